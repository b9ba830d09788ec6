// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common"

// A horizontal slider over whole numbers from `from` to `to`. Dragging or clicking emits moved(value);
// the owner stores the value and binds `value` back, so the slider always shows what was stored.
// With the keyboard focus the arrow keys step it (Page Up and Page Down by a tenth of the range, Home and
// End to its ends), and so does the mouse wheel over it. Each step is emitted as stepped(steps); unless
// `ownSteps` is false (the owner steps the value itself) it also moves the value by `steps` x `stepSize`.
Item {
    id: slider

    property int from: 0
    property int to: 100
    property int value: 0
    property int stepSize: 1
    property bool ownSteps: true
    property int handleSize: 14
    property string accessibleName: ""
    signal moved(int value)
    signal stepped(int steps)

    implicitWidth: 160
    implicitHeight: 18

    readonly property real fraction: to > from ? Math.max(0, Math.min(1, (value - from) / (to - from))) : 0
    readonly property int pageSteps: Math.max(1, Math.round((to - from) / stepSize / 10))

    activeFocusOnTab: true
    Accessible.role: Accessible.Slider
    Accessible.name: accessibleName
    Accessible.onIncreaseAction: slider.step(1)
    Accessible.onDecreaseAction: slider.step(-1)
    Keys.onPressed: (event) => {
        var steps = 0
        switch (event.key) {
        case Qt.Key_Left: case Qt.Key_Down: steps = -1; break
        case Qt.Key_Right: case Qt.Key_Up: steps = 1; break
        case Qt.Key_PageDown: steps = -pageSteps; break
        case Qt.Key_PageUp: steps = pageSteps; break
        case Qt.Key_Home: steps = -Math.ceil((value - from) / stepSize); break
        case Qt.Key_End: steps = Math.ceil((to - value) / stepSize); break
        default: return
        }
        event.accepted = true
        slider.step(steps)
    }

    // Moves by `steps` steps (the owner's own steps when `ownSteps` is false).
    function step(steps) {
        if (steps === 0)
            return
        stepped(steps)
        if (!ownSteps)
            return
        var v = Math.max(from, Math.min(to, value + steps * stepSize))
        if (v !== value)
            moved(v)
    }

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        x: slider.handleSize / 2
        width: slider.width - slider.handleSize
        height: 4
        radius: 2
        color: Style.lineColor
        Rectangle {
            width: track.width * slider.fraction
            height: parent.height
            radius: 2
            color: Style.colorOrange
        }
    }

    Rectangle {
        id: handle
        width: slider.handleSize
        height: slider.handleSize
        radius: width / 2
        anchors.verticalCenter: parent.verticalCenter
        x: track.width * slider.fraction
        color: area.pressed || area.containsMouse ? Style.colorOrange : "#e8eef2"
        border.color: Style.colorOrange
        border.width: 2
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true
        onPressed: (mouse) => slider.moveTo(mouse.x)
        onPositionChanged: (mouse) => { if (pressed) slider.moveTo(mouse.x) }
        onWheel: (wheel) => {
            var notches = Math.round((wheel.angleDelta.y || wheel.angleDelta.x) / 120)
            slider.step(notches !== 0 ? notches : (wheel.angleDelta.y > 0 ? 1 : wheel.angleDelta.y < 0 ? -1 : 0))
        }
    }

    FocusRing {}

    // Moves to the value under the x position (in the slider's coordinates).
    function moveTo(x) {
        var f = Math.max(0, Math.min(1, (x - handleSize / 2) / Math.max(1, width - handleSize)))
        var v = Math.round(from + f * (to - from))
        if (v !== value)
            moved(v)
    }
}
