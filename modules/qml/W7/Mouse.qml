// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"

// The picture of the mouse, from above and from the left side, with its first `keyCount` buttons (up to
// eight) numbered. A button lights up while the pointer is over it here or over its entry in the button
// list; clicking it asks for its assignment. (The root is not called "mouse": that is the name of the
// event inside a MouseArea's handlers.)
Item {
    id: picture

    property int skin: 1
    property int keyCount: 8
    property int highlighted: -1
    // The list's label of a button ("Key "), for the names a screen reader gives the buttons.
    property string keyLabel: "Key "
    signal keyHovered(int index)
    signal keyClicked(int index)

    width: 384
    height: 500

    // Where each button is: the view it is drawn in, its area in that view, and where its number stands.
    readonly property var spots: [
        { view: "top", x: 22, y: 14, w: 64, h: 104, lx: -22, ly: 40 },
        { view: "top", x: 94, y: 14, w: 64, h: 104, lx: 190, ly: 40 },
        { view: "top", x: 82, y: 34, w: 16, h: 40, lx: 190, ly: 2 },
        { view: "side", x: 128, y: 34, w: 40, h: 18, lx: 150, ly: -6 },
        { view: "side", x: 82, y: 36, w: 40, h: 18, lx: 80, ly: -6 },
        { view: "top", x: 82, y: 84, w: 16, h: 14, lx: 190, ly: 80 },
        { view: "top", x: 82, y: 102, w: 16, h: 14, lx: 190, ly: 110 },
        { view: "top", x: 6, y: 128, w: 14, h: 44, lx: -22, ly: 140 }
    ]
    readonly property point topOrigin: Qt.point(102, 10)
    readonly property point sideOrigin: Qt.point(72, 340)

    function origin(view) {
        return view === "top" ? topOrigin : sideOrigin
    }

    // The pictures are decoded in the background while the start-up guard runs; a button's highlight only
    // when it first lights up.
    Image {
        x: picture.topOrigin.x
        y: picture.topOrigin.y
        asynchronous: true
        source: Style.imageUrl(picture.skin, "mouse", "mouseTop.png")
    }
    Image {
        x: picture.sideOrigin.x
        y: picture.sideOrigin.y
        asynchronous: true
        source: Style.imageUrl(picture.skin, "mouse", "mouseSide.png")
    }

    Repeater {
        model: Math.min(picture.keyCount, picture.spots.length)
        Item {
            id: button
            required property int index
            readonly property var spot: picture.spots[index]
            readonly property point at: picture.origin(spot.view)

            Image {
                objectName: "highlight" + button.index
                x: button.at.x
                y: button.at.y
                visible: picture.highlighted === button.index
                source: visible ? Style.imageUrl(picture.skin, "mouse", "key" + (button.index + 1) + ".png") : ""
            }
            Rectangle {
                x: button.at.x + button.spot.lx
                y: button.at.y + button.spot.ly
                width: 18
                height: 18
                radius: 9
                color: picture.highlighted === button.index ? Style.colorOrange : Style.colorGray2
                Text {
                    anchors.centerIn: parent
                    text: button.index + 1
                    color: Style.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize0
                    font.bold: true
                }
            }
            MouseArea {
                x: button.at.x + button.spot.x
                y: button.at.y + button.spot.y
                width: button.spot.w
                height: button.spot.h
                hoverEnabled: true
                onContainsMouseChanged: picture.keyHovered(containsMouse ? button.index : -1)
                onClicked: picture.keyClicked(button.index)
                Accessible.role: Accessible.Button
                Accessible.name: picture.keyLabel + " " + (button.index + 1)
                Accessible.onPressAction: picture.keyClicked(button.index)
            }
        }
    }
}
