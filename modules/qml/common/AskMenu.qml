import QtQuick
import "Style.js" as Style

// The menu of the ask button: the maker's web page (opened with the system's URL handler), the version,
// and "Quit", which ends the program (the only way where the desktop shows no tray).
Rectangle {
    id: menu

    property string url: ""

    visible: false
    width: 200
    height: 89
    color: "#10171d"
    border.color: Style.colorOrange

    Column {
        anchors.fill: parent
        anchors.margins: 1
        Repeater {
            model: [menu.url, "verison:1.0", "Quit"]
            Rectangle {
                required property int index
                required property var modelData
                width: menu.width - 2
                height: 29
                objectName: "askEntry" + index
                activeFocusOnTab: true
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData
                Accessible.onPressAction: entryArea.clicked(null)
                Keys.onReturnPressed: entryArea.clicked(null)
                color: entryArea.containsMouse || activeFocus ? Style.colorGray2 : "transparent"
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
                        else if (index === 2)
                            ui_Ctl.quit()
                    }
                }
            }
        }
    }
}
