import QtQuick
import "Style.js" as Style

// The menu of the ask button: the maker's web page (opened with the system's URL handler) and the
// version.
Rectangle {
    id: menu

    property string url: ""

    visible: false
    width: 200
    height: 60
    color: "#10171d"
    border.color: Style.colorOrange

    Column {
        anchors.fill: parent
        anchors.margins: 1
        Repeater {
            model: [menu.url, "verison:1.0"]
            Rectangle {
                required property int index
                required property var modelData
                width: menu.width - 2
                height: 29
                color: entryArea.containsMouse ? Style.colorGray2 : "transparent"
                Text {
                    x: 10
                    width: parent.width - 20
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    elide: Text.ElideRight
                    color: Style.fontColor
                    font.family: Style.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        menu.visible = false
                        if (index === 0)
                            Qt.openUrlExternally(menu.url)
                    }
                }
            }
        }
    }
}
