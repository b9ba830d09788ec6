// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// An area that moves the window when dragged. The press hands the drag to the window system where it
// moves windows (always on Wayland, with a window manager on X11); elsewhere every move while pressed sends
// the displacement from the press point to ui_Ctl.onXChanged and then ui_Ctl.onYChanged.
MouseArea {
    id: area

    property point pressPoint
    property bool movedBySystem: false
    // Pressed, before the drag starts.
    signal pressedAt(var mouse)

    onPressed: (mouse) => {
        pressPoint = Qt.point(mouse.x, mouse.y)
        area.pressedAt(mouse)
        movedBySystem = typeof ui_Ctl.startSystemMove === "function" && ui_Ctl.startSystemMove() === true
    }
    onReleased: movedBySystem = false
    onCanceled: movedBySystem = false
    onPositionChanged: (mouse) => {
        if (!pressed || movedBySystem)
            return
        ui_Ctl.onXChanged(Math.round(mouse.x - pressPoint.x))
        ui_Ctl.onYChanged(Math.round(mouse.y - pressPoint.y))
    }
}
