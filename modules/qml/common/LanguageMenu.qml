// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style
import "Languages.js" as Languages

// The list of the shipped languages, each by its own name and in its own script's font; the one shown is
// marked. A click, Enter or Space emits chosen(code). Up and Down (and Tab) move between the languages;
// Escape or Right close the list and emit closedByKey() so that the owner takes the keyboard back.
Rectangle {
    id: list

    property string current: ""
    // The entries are made when the list first opens: until then none of its texts asks for a font.
    property bool made: false
    signal chosen(string code)
    signal closedByKey()

    visible: false
    width: 180
    height: Languages.all.length * 26 + 2
    color: "#10171d"
    border.color: Style.colorOrange
    Accessible.role: Accessible.PopupMenu
    Accessible.name: "Language"

    // Hidden with the menu it belongs to, it stays closed when that menu opens again.
    onVisibleChanged: if (!visible) visible = false

    // Shows the list with the keyboard on the language shown.
    function open() {
        made = true
        visible = true
        focusEntry(Math.max(0, Languages.indexOf(current)))
    }

    function focusEntry(i) {
        var entries = body.item.entries
        entries.itemAt((i + entries.count) % entries.count).forceActiveFocus()
    }

    function closeByKey() {
        visible = false
        closedByKey()
    }

    Loader {
        id: body
        anchors.fill: parent
        anchors.margins: 1
        active: list.made
        sourceComponent: Column {
            property alias entries: entries
            Repeater {
                id: entries
                model: Languages.all
                Rectangle {
                    id: entry
                    required property int index
                    required property var modelData
                    readonly property bool shown: modelData.code === list.current
                    objectName: "language" + modelData.code
                    width: list.width - 2
                    height: 26
                    activeFocusOnTab: true
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: modelData.name
                    Accessible.checkable: true
                    Accessible.checked: shown
                    Accessible.onPressAction: list.chosen(modelData.code)
                    Keys.onReturnPressed: list.chosen(modelData.code)
                    Keys.onEnterPressed: list.chosen(modelData.code)
                    Keys.onSpacePressed: list.chosen(modelData.code)
                    Keys.onUpPressed: list.focusEntry(index - 1)
                    Keys.onDownPressed: list.focusEntry(index + 1)
                    Keys.onBacktabPressed: list.focusEntry(index - 1)
                    Keys.onTabPressed: list.focusEntry(index + 1)
                    Keys.onEscapePressed: list.closeByKey()
                    Keys.onRightPressed: list.closeByKey()
                    color: area.containsMouse || activeFocus ? Style.colorGray2 : "transparent"
                    Text {
                        x: 8
                        anchors.verticalCenter: parent.verticalCenter
                        visible: entry.shown
                        text: "✓"
                        color: Style.colorOrange
                        font.family: Style.latinFamily
                        font.pixelSize: Style.fontSize1
                    }
                    Text {
                        x: 26
                        width: parent.width - 34
                        anchors.verticalCenter: parent.verticalCenter
                        text: modelData.name
                        elide: Text.ElideRight
                        color: entry.shown ? Style.colorOrange : Style.fontColor
                        font.family: Languages.fontFamilyFor(modelData.code)
                        font.pixelSize: Style.fontSize1
                    }
                    MouseArea {
                        id: area
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: list.chosen(entry.modelData.code)
                    }
                }
            }
        }
    }
}
