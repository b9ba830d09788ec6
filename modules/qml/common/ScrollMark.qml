// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style

// Shows where a view that holds more than it shows is scrolled to: a thin bar at the list's right edge,
// its length the part in view. Put it beside the view (same parent) with `view` set.
Rectangle {
    property Flickable view: null

    visible: view !== null && view.visibleArea.heightRatio < 1
    x: view ? view.x + view.width - width - 1 : 0
    y: view ? view.y + view.visibleArea.yPosition * view.height : 0
    width: 4
    height: view ? Math.max(12, view.visibleArea.heightRatio * view.height) : 0
    radius: 2
    color: Style.colorOrange
    opacity: 0.8
}
