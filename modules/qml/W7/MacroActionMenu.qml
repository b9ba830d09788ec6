import QtQuick
import "../common/Style.js" as Style

// The action menu of the macro editor: one row per entry [text, command, allowed]; a click on an allowed
// entry closes the menu and emits chosen(command).
Rectangle {
    id: menu

    property var entries: []
    signal chosen(string command)

    visible: false
    width: 170
    height: entries.length * 26 + 2
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
                height: 26
                color: entryArea.containsMouse && modelData[2] ? Style.colorGray2 : "transparent"
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData[0]
                    color: modelData[2] ? Style.fontColor : Style.dimColor
                    opacity: modelData[2] ? 1 : 0.5
                    font.family: Style.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        if (!modelData[2])
                            return
                        menu.visible = false
                        menu.chosen(modelData[1])
                    }
                }
            }
        }
    }
}
