// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style
import "../theme"
import "Languages.js" as Languages

// The menu of the ask button: the maker's web page (opened with the system's URL handler), the version,
// the language (a list of the shipped languages beside the menu; a choice emits languageChosen) and
// "Quit", which ends the program (the only way where the desktop shows no tray). Opened, it has the
// keyboard: Tab and the arrow keys move between its entries, Enter or Space choose one (Left also opens
// the languages), Escape closes it and gives the keyboard back to where it was.
Rectangle {
    id: menu

    property string url: ""
    property Item returnFocus: null
    // The language shown.
    property string language: ""
    signal languageChosen(string code)

    visible: false
    onVisibleChanged: {
        if (visible) {
            returnFocus = menu.Window.activeFocusItem
            entries.itemAt(0).forceActiveFocus()
        } else if (returnFocus) {
            if (activeFocusInside())
                returnFocus.forceActiveFocus()
            returnFocus = null
        }
    }
    Accessible.role: Accessible.PopupMenu
    Keys.onEscapePressed: menu.visible = false
    Keys.onUpPressed: menu.moveFocus(-1)
    Keys.onDownPressed: menu.moveFocus(1)
    Keys.onTabPressed: menu.moveFocus(1)
    Keys.onBacktabPressed: menu.moveFocus(-1)

    // In the entries or in the list of languages.
    function activeFocusInside() {
        for (var item = menu.Window.activeFocusItem; item; item = item.parent)
            if (item === menu)
                return true
        return false
    }

    function moveFocus(step) {
        for (var i = 0; i < entries.count; ++i) {
            if (entries.itemAt(i).activeFocus) {
                entries.itemAt((i + step + entries.count) % entries.count).forceActiveFocus()
                return
            }
        }
        entries.itemAt(0).forceActiveFocus()
    }
    width: 230
    height: 4 * 29 + 2
    color: "#10171d"
    border.color: Style.colorOrange

    Column {
        anchors.fill: parent
        anchors.margins: 1
        Repeater {
            id: entries
            model: [menu.url, "verison:1.0", "Language: " + Languages.nameOf(menu.language), "Quit"]
            Rectangle {
                required property int index
                required property var modelData
                width: menu.width - 2
                height: 29
                objectName: "askEntry" + index
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData
                Accessible.onPressAction: entryArea.clicked(null)
                Keys.onReturnPressed: entryArea.clicked(null)
                Keys.onEnterPressed: entryArea.clicked(null)
                Keys.onSpacePressed: entryArea.clicked(null)
                Keys.onLeftPressed: if (index === 2) languages.open()
                color: entryArea.containsMouse || activeFocus ? Style.colorGray2 : "transparent"
                Text {
                    x: 10
                    width: parent.width - 20
                    anchors.verticalCenter: parent.verticalCenter
                    text: modelData
                    elide: Text.ElideRight
                    color: Style.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                FocusRing {
                    inset: 1
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        if (index === 2) {
                            if (languages.visible)
                                languages.visible = false
                            else
                                languages.open()
                            return
                        }
                        menu.visible = false
                        if (index === 0)
                            Qt.openUrlExternally(menu.url)
                        else if (index === 3)
                            ui_Ctl.quit()
                    }
                }
            }
        }
    }

    // The languages, to the left of the menu beside their entry.
    LanguageMenu {
        id: languages
        objectName: "languageMenu"
        x: -width + 1
        y: 1 + 2 * 29
        current: menu.language
        onChosen: (code) => {
            menu.visible = false
            menu.languageChosen(code)
        }
        onClosedByKey: entries.itemAt(2).forceActiveFocus()
    }
}
