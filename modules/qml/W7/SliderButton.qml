import QtQuick
import "../common/Style.js" as Style

// A horizontal slider over whole numbers from `from` to `to`. Dragging or clicking emits moved(value);
// the owner stores the value and binds `value` back, so the slider always shows what was stored.
Item {
    id: slider

    property int from: 0
    property int to: 100
    property int value: 0
    property int handleSize: 14
    signal moved(int value)

    implicitWidth: 160
    implicitHeight: 18

    readonly property real fraction: to > from ? Math.max(0, Math.min(1, (value - from) / (to - from))) : 0

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
    }

    // Moves to the value under the x position (in the slider's coordinates).
    function moveTo(x) {
        var f = Math.max(0, Math.min(1, (x - handleSize / 2) / Math.max(1, width - handleSize)))
        var v = Math.round(from + f * (to - from))
        if (v !== value)
            moved(v)
    }
}
