import QtQuick
import "../common/Style.js" as Style
import "../theme"

// A button that shows the current choice and opens a list of texts below it. Choosing an entry closes the
// list and emits selected(index); the owner sets `currentIndex` (or `displayText`).
Item {
    id: dropDown

    property var model: []
    property int currentIndex: -1
    property string displayText: currentIndex >= 0 && currentIndex < model.length ? String(model[currentIndex]) : ""
    property bool opened: false
    property int rowHeight: 22
    property int maxRows: 8
    signal selected(int index)

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
            anchors.right: arrow.left
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.displayText
            elide: Text.ElideRight
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
        }
        Text {
            id: arrow
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

    // The list is made each time it opens.
    Loader {
        y: dropDown.height
        active: dropDown.opened
        sourceComponent: popupComponent
    }
    Component {
        id: popupComponent
        Rectangle {
            id: popup
            objectName: "popup"
            width: dropDown.width
            height: Math.min(dropDown.model.length, dropDown.maxRows) * dropDown.rowHeight + 2
            color: "#10171d"
            border.color: Style.colorOrange
            ListView {
                id: list
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                model: dropDown.model
                boundsBehavior: Flickable.StopAtBounds
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    width: list.width
                    height: dropDown.rowHeight
                    color: rowArea.containsMouse ? Style.colorGray2
                         : index === dropDown.currentIndex ? Style.colorGray1 : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: String(modelData)
                        color: index === dropDown.currentIndex ? Style.colorOrange : Style.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Style.fontSize1
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            // The list goes away when it closes: choose first.
                            dropDown.selected(index)
                            dropDown.opened = false
                        }
                    }
                }
            }
        }
    }
}
