// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// One choice of a group. A click (or Space or Enter, with the keyboard focus) emits clicked(); the owner
// decides which choice is `checked`.
Item {
    id: radio

    property bool checked: false
    property string text: ""
    property int pixelSize: Style.fontSize1
    signal clicked()

    implicitWidth: dot.width + label.implicitWidth + 8
    implicitHeight: 20

    activeFocusOnTab: true
    Keys.onSpacePressed: radio.clicked()
    Keys.onReturnPressed: radio.clicked()
    Keys.onEnterPressed: radio.clicked()
    Accessible.role: Accessible.RadioButton
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onPressAction: radio.clicked()
    Accessible.onToggleAction: radio.clicked()

    Rectangle {
        id: dot
        width: 14
        height: 14
        radius: 7
        anchors.verticalCenter: parent.verticalCenter
        color: Style.fieldColor
        border.color: radio.checked || area.containsMouse ? Style.colorOrange : Style.lineColor
        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 3
            visible: radio.checked
            color: Style.colorOrange
        }
    }
    Text {
        id: label
        anchors.left: dot.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: radio.text
        color: radio.checked || area.containsMouse ? Style.colorOrange : Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: radio.pixelSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: radio.clicked()
    }
    FocusRing {}
}
