// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// A check box with a text. A click (or Space, with the keyboard focus) emits toggled(newState); the owner
// stores it and binds `checked`.
Item {
    id: box

    property bool checked: false
    property string text: ""
    signal toggled(bool checked)

    implicitWidth: mark.width + label.implicitWidth + 8
    implicitHeight: 18

    activeFocusOnTab: true
    Keys.onSpacePressed: box.toggled(!box.checked)
    Keys.onReturnPressed: box.toggled(!box.checked)
    Keys.onEnterPressed: box.toggled(!box.checked)
    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: box.toggled(!box.checked)
    Accessible.onPressAction: box.toggled(!box.checked)

    Rectangle {
        id: mark
        width: 14
        height: 14
        anchors.verticalCenter: parent.verticalCenter
        color: Style.fieldColor
        border.color: area.containsMouse ? Style.colorOrange : Style.lineColor
        Text {
            anchors.centerIn: parent
            visible: box.checked
            text: "✓"
            color: Style.colorOrange
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
            font.bold: true
        }
    }
    Text {
        id: label
        anchors.left: mark.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: box.text
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: box.toggled(!box.checked)
    }
    FocusRing {}
}
