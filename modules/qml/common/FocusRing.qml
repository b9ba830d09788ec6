// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style

// The one look of keyboard focus: a ring around its parent while the parent (or `target`) has the active
// focus. `inset` is how far inside the parent's edge it is drawn (negative: outside; a parent that clips
// needs it inside).
Rectangle {
    property Item target: parent
    property int inset: -3

    anchors.fill: parent
    anchors.margins: inset
    visible: target !== null && target.activeFocus
    color: "transparent"
    radius: 4
    border.width: 2
    border.color: Style.focusColor
}
