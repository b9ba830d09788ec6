// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common"

// A colour button that opens the colour choice (ColourChooser: the `model` presets, any other colour by
// hue and brightness or typed). Every choice emits picked(colour) with the colour as "#rrggbb" at once.
// The choice opens above the button when `above`, shifted by `popupX`; a click on the button, Escape or
// close() closes it. With the keyboard focus, Enter or Space open it.
Item {
    id: dropDown

    property color current: "black"
    property var model: []
    property bool opened: false
    property bool selectedLook: false
    property bool above: false
    property int popupX: 0
    property string accessibleName: ""
    signal picked(string colour)

    width: 24
    height: 24
    z: opened ? 100 : 0

    function close() {
        opened = false
    }

    function toggle() {
        opened = !opened
    }

    activeFocusOnTab: true
    Keys.onReturnPressed: toggle()
    Keys.onEnterPressed: toggle()
    Keys.onSpacePressed: toggle()
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: String(current)
    Accessible.onPressAction: toggle()

    Rectangle {
        anchors.fill: parent
        color: dropDown.current
        border.color: dropDown.opened || dropDown.selectedLook || area.containsMouse ? Style.colorOrange : "#7f8a93"
        border.width: dropDown.opened || dropDown.selectedLook ? 2 : 1
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: dropDown.toggle()
        }
    }
    FocusRing {}

    // The choice is made each time it opens, starting from the button's colour.
    Loader {
        id: popup
        active: dropDown.opened
        sourceComponent: ColourChooser {
            objectName: "colourChooser"
            x: dropDown.popupX
            y: dropDown.above ? -height - 4 : dropDown.height + 2
            presets: dropDown.model
            accessibleName: dropDown.accessibleName
            Component.onCompleted: {
                showColour(String(dropDown.current))
                if (dropDown.activeFocus)
                    focusPresets()
            }
            onPicked: (colour) => dropDown.picked(colour)
            onCloseRequested: {
                dropDown.close()
                dropDown.forceActiveFocus()
            }
        }
    }
}
