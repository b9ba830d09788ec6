// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style

// A button drawn by an image; it lights up under the mouse. It takes the keyboard focus on Tab, and Enter
// or Space press it.
Item {
    id: button

    property alias source: picture.source
    property string accessibleName: ""
    signal clicked()

    implicitWidth: 24
    implicitHeight: 24

    activeFocusOnTab: true
    Keys.onReturnPressed: button.clicked()
    Keys.onEnterPressed: button.clicked()
    Keys.onSpacePressed: button.clicked()
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.onPressAction: button.clicked()

    Rectangle {
        anchors.fill: parent
        radius: 3
        color: area.containsMouse ? Style.colorGray2 : "transparent"
    }
    Image {
        id: picture
        anchors.centerIn: parent
        asynchronous: true
        opacity: area.containsMouse ? 1.0 : 0.8
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
    FocusRing {}
}
