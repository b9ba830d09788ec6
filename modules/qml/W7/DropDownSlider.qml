import QtQuick
import "../common/Style.js" as Style
import "../theme"

// A button that shows a value's text and opens a slider below it. Moving the slider emits moved(value).
Item {
    id: dropDown

    property string text: ""
    property int from: 0
    property int to: 100
    property int value: 0
    property bool opened: false
    signal moved(int value)

    width: 144
    height: 24
    z: opened ? 100 : 0

    function close() {
        opened = false
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
        }
    }

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
            from: dropDown.from
            to: dropDown.to
            value: dropDown.value
            onMoved: (v) => dropDown.moved(v)
        }
    }
}
