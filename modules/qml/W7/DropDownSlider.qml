// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// A button that shows a value's text and opens a slider below it. Moving the slider emits moved(value).
// With the keyboard focus the arrow keys (and the wheel over it) step the value, Enter or Space open and
// close the slider, Escape closes it.
Item {
    id: dropDown

    property string text: ""
    property int from: 0
    property int to: 100
    property int value: 0
    property bool opened: false
    property string accessibleName: ""
    signal moved(int value)

    width: 144
    height: 24
    z: opened ? 100 : 0

    function close() {
        opened = false
    }

    function step(steps) {
        var v = Math.max(from, Math.min(to, value + steps))
        if (v !== value)
            moved(v)
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Slider
    Accessible.name: accessibleName
    Accessible.description: text
    Accessible.onIncreaseAction: step(1)
    Accessible.onDecreaseAction: step(-1)
    Keys.onPressed: (event) => {
        switch (event.key) {
        case Qt.Key_Left: case Qt.Key_Down: step(-1); break
        case Qt.Key_Right: case Qt.Key_Up: step(1); break
        case Qt.Key_PageDown: step(-10); break
        case Qt.Key_PageUp: step(10); break
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: opened = !opened; break
        case Qt.Key_Escape:
            if (!opened)
                return
            close()
            break
        default:
            return
        }
        event.accepted = true
    }

    Rectangle {
        anchors.fill: parent
        color: Style.fieldColor
        border.color: dropDown.opened || area.containsMouse ? Style.colorOrange : Style.lineColor
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.text
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
        }
        Text {
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.opened ? "▲" : "▼"
            color: Style.colorOrange
            font.pixelSize: Style.fontSize0
        }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: dropDown.opened = !dropDown.opened
            onWheel: (wheel) => dropDown.step(wheel.angleDelta.y > 0 ? 1 : wheel.angleDelta.y < 0 ? -1 : 0)
        }
    }
    FocusRing {}

    Rectangle {
        visible: dropDown.opened
        y: dropDown.height
        width: dropDown.width
        height: 34
        color: "#10171d"
        border.color: Style.colorOrange
        SliderButton {
            objectName: "slider"
            anchors.fill: parent
            anchors.margins: 8
            activeFocusOnTab: false
            accessibleName: dropDown.accessibleName
            from: dropDown.from
            to: dropDown.to
            value: dropDown.value
            onMoved: (v) => dropDown.moved(v)
        }
    }
}
