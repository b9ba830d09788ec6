// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"

// Shown while the interface is busy: a blinking "LOADING ......" over the whole window, which also keeps
// the pointer away from the pages.
Item {
    id: busy

    visible: false
    width: 1024
    height: 640

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: "LOADING ......"
        color: Style.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize3
        font.bold: true
        SequentialAnimation on opacity {
            running: busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
