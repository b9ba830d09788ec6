import QtQuick
import "Style.js" as Style
import "../theme"

// The frame of a dialog: a title bar with a close button over a panel. A dialog opens centred in the
// 1024 x 640 window; a `draggable` one can be moved by its title bar and stays inside the window.
//
// The panel holds the dialog's children, or the item made from `body`: a dialog with many controls gives
// them as a Component there, so they are made when the dialog first opens (a dialog that stays closed
// costs nothing at start) and then kept; `bodyItem` is that item, null until then.
Rectangle {
    id: frame

    property string title: ""
    property bool draggable: false
    property bool closable: true
    default property alias content: body.data
    property Component bodyComponent: null
    readonly property Item bodyItem: bodyLoader.item
    // Set the first time the dialog shows.
    property bool wasOpened: false
    signal closeRequested()

    onVisibleChanged: if (visible) wasOpened = true

    readonly property int areaWidth: 1024
    readonly property int areaHeight: 640

    visible: false
    color: "#ee10161b"
    border.color: Style.colorOrange
    radius: 4

    function open() {
        x = Math.round((areaWidth - width) / 2)
        y = Math.round((areaHeight - height) / 2)
        visible = true
    }

    function close() {
        visible = false
    }

    // A new position for the dialog, kept inside the window.
    function moveTo(nx, ny) {
        x = Math.max(0, Math.min(areaWidth - width, nx))
        y = Math.max(0, Math.min(areaHeight - height, ny))
    }

    Rectangle {
        id: titleBar
        width: parent.width
        height: 34
        radius: 4
        color: Style.colorGray1
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            text: frame.title
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize2
            font.bold: true
        }
        MouseArea {
            id: dragArea
            anchors.fill: parent
            enabled: frame.draggable
            property point pressPoint
            onPressed: (mouse) => pressPoint = Qt.point(mouse.x, mouse.y)
            onPositionChanged: (mouse) => frame.moveTo(frame.x + mouse.x - pressPoint.x, frame.y + mouse.y - pressPoint.y)
        }
        Text {
            objectName: "closeButton"
            visible: frame.closable
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: "✕"
            color: closeArea.containsMouse ? Style.colorOrange : Style.fontColor
            font.pixelSize: Style.fontSize2
            MouseArea {
                id: closeArea
                anchors.fill: parent
                anchors.margins: -6
                hoverEnabled: true
                onClicked: frame.closeRequested()
            }
        }
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: titleBar.height
    }
    Loader {
        id: bodyLoader
        anchors.fill: body
        active: frame.wasOpened && frame.bodyComponent !== null
        sourceComponent: frame.bodyComponent
    }
}
