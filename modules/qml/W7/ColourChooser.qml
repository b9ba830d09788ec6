// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common/Formulas.js" as Formulas
import "../common"

// The colour choice of one lighting colour: the preset colours, and beside them any colour by a
// saturation/brightness area with a hue bar, or typed as "#rrggbb". Every choice is emitted at once as
// picked("#rrggbb"), so the swatch it belongs to shows it while the pointer moves. The keyboard: Tab goes
// through the presets (the arrow keys move between them, Enter or Space takes one), the area (arrows:
// saturation and brightness), the hue bar (arrows) and the text (Enter takes it); Escape emits
// closeRequested().
Rectangle {
    id: chooser

    property var presets: []
    property int columns: 8
    property int cell: 20
    property string accessibleName: ""
    signal picked(string colour)
    signal closeRequested()

    // The colour being chosen as hue, saturation and value (0 to 1); the hue stays while the colour is
    // grey or black, so the area keeps its colour.
    property real hue: 0
    property real sat: 0
    property real val: 0
    readonly property string currentText: {
        var c = Formulas.hsvToRgb(hue, sat, val)
        return Formulas.colorText(c[0], c[1], c[2])
    }
    // The preset the keyboard is on.
    property int presetIndex: 0

    width: 200
    height: 222
    color: "#10171d"
    border.color: Style.colorOrange
    radius: 3

    Accessible.role: Accessible.Grouping
    Accessible.name: accessibleName
    Keys.onEscapePressed: chooser.closeRequested()
    // Enter inside the choice belongs to it (it must not reach the button, which would close it).
    Keys.onReturnPressed: (event) => event.accepted = true
    Keys.onEnterPressed: (event) => event.accepted = true

    // Starts from the colour `text` ("#rrggbb").
    function showColour(text) {
        var rgb = Formulas.parseColorText(text) || [0, 0, 0]
        var hsv = Formulas.rgbToHsv(rgb[0], rgb[1], rgb[2])
        if (hsv.s > 0)
            hue = hsv.h
        sat = hsv.s
        val = hsv.v
        hexInput.text = Formulas.colorText(rgb[0], rgb[1], rgb[2])
        presetIndex = Math.max(0, presets.indexOf(hexInput.text))
    }

    function pickHsv(h, s, v) {
        hue = Math.max(0, Math.min(1, h))
        sat = Math.max(0, Math.min(1, s))
        val = Math.max(0, Math.min(1, v))
        hexInput.text = currentText
        picked(currentText)
    }

    function pickText(text) {
        var rgb = Formulas.parseColorText(text)
        if (!rgb)
            return false
        showColour(text)
        picked(Formulas.colorText(rgb[0], rgb[1], rgb[2]))
        return true
    }

    function focusPresets() {
        presetGrid.forceActiveFocus()
    }

    // The preset colours.
    Grid {
        id: presetGrid
        objectName: "presets"
        x: 8
        y: 8
        columns: chooser.columns
        spacing: 3
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: chooser.accessibleName
        Keys.onPressed: (event) => {
            var n = chooser.presets.length
            var i = chooser.presetIndex
            switch (event.key) {
            case Qt.Key_Left: i -= 1; break
            case Qt.Key_Right: i += 1; break
            case Qt.Key_Up: i -= chooser.columns; break
            case Qt.Key_Down: i += chooser.columns; break
            case Qt.Key_Return: case Qt.Key_Enter: case Qt.Key_Space:
                chooser.pickText(chooser.presets[i])
                event.accepted = true
                return
            default:
                return
            }
            chooser.presetIndex = Math.max(0, Math.min(n - 1, i))
            event.accepted = true
        }
        Repeater {
            model: chooser.presets
            Rectangle {
                required property int index
                required property var modelData
                objectName: "preset" + index
                width: chooser.cell
                height: chooser.cell
                color: modelData
                border.width: presetGrid.activeFocus && index === chooser.presetIndex ? 2 : 1
                border.color: presetGrid.activeFocus && index === chooser.presetIndex ? Style.focusColor
                            : presetArea.containsMouse ? "white" : "transparent"
                Accessible.role: Accessible.ListItem
                Accessible.name: String(modelData)
                Accessible.onPressAction: chooser.pickText(modelData)
                MouseArea {
                    id: presetArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: chooser.pickText(parent.modelData)
                }
            }
        }
    }

    // Saturation from left to right, brightness from bottom to top, in the chosen hue.
    Rectangle {
        id: area
        objectName: "satValArea"
        x: 8
        y: presetGrid.y + presetGrid.height + 8
        width: 150
        height: 100
        color: Qt.hsva(chooser.hue, 1, 1, 1)
        activeFocusOnTab: true
        Accessible.role: Accessible.Slider
        Accessible.name: chooser.accessibleName
        Accessible.description: chooser.currentText
        Keys.onPressed: (event) => {
            var ds = 0, dv = 0
            switch (event.key) {
            case Qt.Key_Left: ds = -0.05; break
            case Qt.Key_Right: ds = 0.05; break
            case Qt.Key_Up: dv = 0.05; break
            case Qt.Key_Down: dv = -0.05; break
            default: return
            }
            chooser.pickHsv(chooser.hue, chooser.sat + ds, chooser.val + dv)
            event.accepted = true
        }
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0; color: "white" }
                GradientStop { position: 1; color: "transparent" }
            }
        }
        Rectangle {
            anchors.fill: parent
            gradient: Gradient {
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 1; color: "black" }
            }
        }
        Rectangle {
            x: chooser.sat * area.width - width / 2
            y: (1 - chooser.val) * area.height - height / 2
            width: 10
            height: 10
            radius: 5
            color: "transparent"
            border.color: chooser.val > 0.5 ? "black" : "white"
            border.width: 2
        }
        MouseArea {
            anchors.fill: parent
            preventStealing: true
            function pickAt(mouse) {
                chooser.pickHsv(chooser.hue, mouse.x / area.width, 1 - mouse.y / area.height)
            }
            onPressed: (mouse) => pickAt(mouse)
            onPositionChanged: (mouse) => pickAt(mouse)
        }
        FocusRing {}
    }

    // The hue, from top to bottom.
    Rectangle {
        id: hueBar
        objectName: "hueBar"
        x: area.x + area.width + 10
        y: area.y
        width: 16
        height: area.height
        activeFocusOnTab: true
        Accessible.role: Accessible.Slider
        Accessible.name: chooser.accessibleName
        Keys.onPressed: (event) => {
            var dh = 0
            switch (event.key) {
            case Qt.Key_Up: case Qt.Key_Left: dh = -1 / 72; break
            case Qt.Key_Down: case Qt.Key_Right: dh = 1 / 72; break
            default: return
            }
            chooser.pickHsv((chooser.hue + dh + 1) % 1, chooser.sat, chooser.val)
            event.accepted = true
        }
        gradient: Gradient {
            GradientStop { position: 0 / 6; color: "#ff0000" }
            GradientStop { position: 1 / 6; color: "#ffff00" }
            GradientStop { position: 2 / 6; color: "#00ff00" }
            GradientStop { position: 3 / 6; color: "#00ffff" }
            GradientStop { position: 4 / 6; color: "#0000ff" }
            GradientStop { position: 5 / 6; color: "#ff00ff" }
            GradientStop { position: 6 / 6; color: "#ff0000" }
        }
        Rectangle {
            x: -2
            y: chooser.hue * hueBar.height - 2
            width: hueBar.width + 4
            height: 4
            color: "transparent"
            border.color: "white"
            border.width: 1
        }
        MouseArea {
            anchors.fill: parent
            preventStealing: true
            onPressed: (mouse) => chooser.pickHsv(mouse.y / hueBar.height, chooser.sat, chooser.val)
            onPositionChanged: (mouse) => chooser.pickHsv(Math.max(0, Math.min(0.999, mouse.y / hueBar.height)),
                                                          chooser.sat, chooser.val)
        }
        FocusRing {}
    }

    // The colour, and its text to type.
    Rectangle {
        objectName: "preview"
        x: 8
        y: area.y + area.height + 8
        width: 24
        height: 24
        color: chooser.currentText
        border.color: "#7f8a93"
    }
    RectInput {
        id: hexInput
        objectName: "hexInput"
        x: 40
        y: area.y + area.height + 8
        width: 90
        accessibleName: chooser.accessibleName
        onAccepted: (t) => { if (!chooser.pickText(t)) text = chooser.currentText }
        onEdited: (t) => { if (!chooser.pickText(t)) text = chooser.currentText }
    }
}
