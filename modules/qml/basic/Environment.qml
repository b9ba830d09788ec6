// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style

// The background of the window: the power-on logo while the interface starts, then the background with
// the title bar and the logo.
Item {
    id: environment

    property int skin: 1
    property bool powerOn: true   // the power-on logo is showing

    width: 1024
    height: 640

    Image {
        objectName: "powerLogo"
        anchors.centerIn: parent
        visible: environment.powerOn
        source: Style.imageUrl(environment.skin, "index", "powerLogo.png")
    }

    // Shown after the power-on logo. The background is drawn rather than a window-sized picture, which
    // would have to be decoded at start: a dark gradient, the title bar with its accent line, the two side
    // panels, a faint ellipse behind the mouse and the line over the bottom bar.
    Item {
        objectName: "backdrop"
        anchors.fill: parent
        visible: !environment.powerOn
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0.0; color: "#111a21" }
                GradientStop { position: 0.6; color: "#0b1116" }
                GradientStop { position: 1.0; color: "#070b0e" }
            }
        }
        Rectangle {
            width: parent.width
            height: 52
            color: "#0e161c"
        }
        Rectangle {
            y: 52
            width: parent.width
            height: 1
            color: "#8004a6e1"
        }
        Repeater {
            model: [12, 706]
            Rectangle {
                required property int modelData
                x: modelData
                y: 60
                width: 306
                height: 508
                radius: 6
                color: "#d90f171d"
                border.color: "#1f3440"
            }
        }
        Rectangle {
            x: 512 - 170
            y: 330 - 170
            width: 340
            height: 340
            radius: 170
            color: "#0d04a6e1"
            transform: Scale { origin.x: 170; origin.y: 170; yScale: 230 / 170 }
        }
        Rectangle {
            y: 578
            width: parent.width
            height: 1
            color: "#1f3440"
        }
        Image {
            x: 22
            y: 13
            asynchronous: true
            source: Style.imageUrl(environment.skin, "index", "logo.png")
        }
    }
}
