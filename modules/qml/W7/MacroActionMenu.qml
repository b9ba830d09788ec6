// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"

// The action menu of the macro editor: one row per entry [text, command, allowed]; a click on an allowed
// entry emits chosen(command). The owner shows and hides it, and gives it the keyboard focus when it
// opens: the arrow keys then move between the allowed entries, Enter chooses one, Escape emits dismissed().
Rectangle {
    id: menu

    property var entries: []
    // The entry the keyboard is on.
    property int keyIndex: -1
    signal chosen(string command)
    signal dismissed()

    readonly property int rowHeight: 26

    width: 170
    height: entries.length * rowHeight + 2
    color: "#10171d"
    border.color: Style.colorOrange

    // The next allowed entry from `from` in `direction`, or `from` when there is none.
    function nextAllowed(from, direction) {
        for (var i = from + direction; i >= 0 && i < entries.length; i += direction)
            if (entries[i][2])
                return i
        return from
    }

    onVisibleChanged: if (visible) keyIndex = nextAllowed(-1, 1)
    Accessible.role: Accessible.PopupMenu
    Keys.onPressed: (event) => {
        switch (event.key) {
        case Qt.Key_Down: keyIndex = nextAllowed(keyIndex, 1); break
        case Qt.Key_Up: keyIndex = nextAllowed(keyIndex, -1); break
        case Qt.Key_Return:
        case Qt.Key_Enter:
        case Qt.Key_Space:
            if (keyIndex >= 0 && keyIndex < entries.length && entries[keyIndex][2])
                menu.chosen(entries[keyIndex][1])
            break
        case Qt.Key_Escape: menu.dismissed(); break
        case Qt.Key_Tab:
        case Qt.Key_Backtab:
            break   // the menu keeps the keyboard until it closes
        default: return
        }
        event.accepted = true
    }

    Column {
        x: 1
        y: 1
        Repeater {
            model: menu.entries
            Rectangle {
                required property int index
                required property var modelData
                objectName: "menu_" + modelData[1]
                width: menu.width - 2
                height: menu.rowHeight
                color: (entryArea.containsMouse || index === menu.keyIndex) && modelData[2] ? Style.colorGray2 : "transparent"
                border.color: index === menu.keyIndex && menu.activeFocus ? Style.focusColor : "transparent"
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData[0]
                Accessible.onPressAction: if (modelData[2]) menu.chosen(modelData[1])
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
