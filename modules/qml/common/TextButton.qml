// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style
import "../theme"

// A flat button with a text; `accent` gives it the colour of a button that waits to be pressed. It takes
// the keyboard focus on Tab, and Enter or Space press it.
Rectangle {
    id: button

    property string text: ""
    property color accent: "transparent"
    property int pixelSize: Style.fontSize1
    // What a screen reader calls it: the text unless the text is only a sign.
    property string accessibleName: text
    signal clicked()

    implicitWidth: Math.max(72, label.implicitWidth + 24)
    implicitHeight: 28
    radius: 3
    color: area.pressed ? Style.colorGray3 : area.containsMouse ? Style.colorGray2 : Style.colorGray1
    border.color: accent !== Qt.color("transparent") ? accent : area.containsMouse ? Style.colorOrange : Style.colorGray2
    border.width: accent !== Qt.color("transparent") ? 2 : 1
    opacity: enabled ? 1.0 : 0.4

    activeFocusOnTab: true
    Keys.onReturnPressed: button.clicked()
    Keys.onEnterPressed: button.clicked()
    Keys.onSpacePressed: button.clicked()
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.onPressAction: button.clicked()

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        color: area.containsMouse ? Style.colorOrange
             : button.accent !== Qt.color("transparent") ? button.accent : Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: button.pixelSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
    FocusRing {}
}
