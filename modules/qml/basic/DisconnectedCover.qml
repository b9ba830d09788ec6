// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// The mouse is gone: a cover over the settings below the title bar says so until it is found again. The
// title bar stays free (drag, the ask menu, minimise, close); the cover itself drags the window too.
Rectangle {
    id: cover

    readonly property string text: "Mouse disconnected — plug it in again"
    property int skin: 1

    color: "#e60a0f13"
    Accessible.role: Accessible.AlertMessage
    Accessible.name: text

    WindowDragArea {
        anchors.fill: parent
        hoverEnabled: true   // nothing under the cover reacts to the mouse
        onWheel: (wheel) => wheel.accepted = true
    }

    Column {
        anchors.centerIn: parent
        spacing: 14
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: Style.imageUrl(cover.skin, "index", "logo.png")
            asynchronous: true
            opacity: 0.5
        }
        Text {
            objectName: "disconnectedText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: cover.text
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize3 + 6
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "The settings come back as soon as the mouse is found."
            color: Style.dimColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize2
        }
    }
}
