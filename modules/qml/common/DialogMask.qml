// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style

// The mask behind the dialogs: a press drops the focus of the `dialogs`' fields (each that has dropFocus())
// and gives the keyboard to the first of them that is open (list them from the top down); a drag moves
// the window.
Rectangle {
    id: mask

    property var dialogs: []

    color: Style.maskColor

    WindowDragArea {
        anchors.fill: parent
        hoverEnabled: true
        onPressedAt: {
            var focused = false
            for (var i = 0; i < mask.dialogs.length; ++i) {
                var dialog = mask.dialogs[i]
                if (typeof dialog.dropFocus === "function")
                    dialog.dropFocus()
                if (dialog.visible && !focused) {
                    dialog.forceActiveFocus()
                    focused = true
                }
            }
        }
    }
}
