import QtQuick
import "../common/Style.js" as Style
import "../theme"

// The action menu of the macro editor: one row per entry [text, command, allowed]; a click on an allowed
// entry emits chosen(command). The owner shows and hides it.
Rectangle {
    id: menu

    property var entries: []
    signal chosen(string command)

    readonly property int rowHeight: 26

    width: 170
    height: entries.length * rowHeight + 2
    color: "#10171d"
    border.color: Style.colorOrange

    Column {
        x: 1
        y: 1
        Repeater {
            model: menu.entries
            Rectangle {
                required property var modelData
                objectName: "menu_" + modelData[1]
                width: menu.width - 2
                height: menu.rowHeight
                color: entryArea.containsMouse && modelData[2] ? Style.colorGray2 : "transparent"
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData[0]
                    color: modelData[2] ? Style.fontColor : Style.dimColor
                    opacity: modelData[2] ? 1 : 0.5
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: if (modelData[2]) menu.chosen(modelData[1])
                }
            }
        }
    }
}
