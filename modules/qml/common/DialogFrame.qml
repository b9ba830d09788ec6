// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style
import "../theme"

// The frame of a dialog: a title bar with a close button over a panel. A dialog opens centred in the
// 1024 x 640 window; a `draggable` one can be moved by its title bar and stays inside the window.
//
// The panel holds the dialog's children, or the item made from `body`: a dialog with many controls gives
// them as a Component there, so they are made when the dialog first opens (a dialog that stays closed
// costs nothing at start) and then kept; `bodyItem` is that item, null until then.
//
// The keyboard: an open dialog has the focus (its first control, or the dialog itself); Tab and Shift+Tab
// go round its own controls only, Escape emits escapePressed() and, when `escapeCloses`, closeRequested().
// Closing gives the focus back to where it was before the dialog opened. The panel is opaque.
Rectangle {
    id: frame

    property string title: ""
    property bool draggable: false
    property bool closable: true
    property bool escapeCloses: true
    property string closeName: "Close"
    default property alias content: body.data
    property Component bodyComponent: null
    readonly property Item bodyItem: bodyLoader.item
    // Set the first time the dialog shows.
    property bool wasOpened: false
    // Where the keyboard focus was before the dialog opened, and the control of the dialog that had it last.
    property Item returnFocus: null
    property Item focusInside: null
    readonly property bool isDialogFrame: true
    signal closeRequested()
    signal escapePressed()

    onVisibleChanged: if (visible) wasOpened = true

    readonly property int areaWidth: 1024
    readonly property int areaHeight: 640

    visible: false
    color: "#10161b"
    border.color: Style.colorOrange
    radius: 4

    Accessible.role: Accessible.Dialog
    Accessible.name: title
    Keys.onEscapePressed: {
        frame.escapePressed()
        if (frame.escapeCloses)
            frame.closeRequested()
    }
    Keys.onTabPressed: frame.moveFocus(true)
    Keys.onBacktabPressed: frame.moveFocus(false)

    // Tab on the dialog's last control (Shift+Tab on its first) moves the focus out of it, as Qt Quick
    // moves it along all the window's controls: it is brought round to the dialog's first (last) control.
    // A dialog opened over this one takes the focus for itself.
    Connections {
        target: frame.visible ? frame.Window.window : null
        // After the focus change is done (not inside it).
        function onActiveFocusItemChanged() { Qt.callLater(frame.keepFocus) }
    }

    function keepFocus() {
        var item = frame.Window.activeFocusItem
        if (!visible || !item)
            return
        if (holds(item)) {
            focusInside = item
            return
        }
        for (var i = item; i; i = i.parent)
            if (i !== frame && i.isDialogFrame === true && i.visible)
                return
        if (!focusInside)
            return
        var forward = focusInside === edgeControl(true)
        var target = edgeControl(!forward)
        if (target)
            target.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
    }

    // The dialog's last control (or its first), in the order Tab goes.
    function edgeControl(last) {
        var item = frame
        for (var n = 0; n < 1000; ++n) {
            item = item.nextItemInFocusChain(!last)
            if (!item || item === frame)
                return null
            if (holds(item))
                return item
        }
        return null
    }

    function open() {
        x = Math.round((areaWidth - width) / 2)
        y = Math.round((areaHeight - height) / 2)
        if (!visible) {
            var before = frame.Window.activeFocusItem
            returnFocus = before && !holds(before) ? before : null
        }
        visible = true
        focusFirst()
    }

    function close() {
        var back = returnFocus
        returnFocus = null
        focusInside = null
        visible = false
        if (back && back.visible && back.enabled)
            back.forceActiveFocus()
    }

    // Whether `item` is `container` (this dialog unless told) or inside it.
    function holds(item, container) {
        var outer = container || frame
        for (var i = item; i; i = i.parent)
            if (i === outer)
                return true
        return false
    }

    // The keyboard to the dialog's first control below the title bar (or to the dialog).
    function focusFirst() {
        frame.forceActiveFocus()
        var item = frame
        for (var n = 0; n < 1000; ++n) {
            item = item.nextItemInFocusChain(true)
            if (!item || item === frame)
                return
            if (holds(item, body) || holds(item, bodyLoader)) {
                item.forceActiveFocus(Qt.TabFocusReason)
                return
            }
        }
    }

    // The keyboard to the next (or previous) control of the dialog, round from its last to its first.
    function moveFocus(forward) {
        var start = frame.Window.activeFocusItem
        if (!start || !holds(start))
            start = frame
        var item = start
        for (var n = 0; n < 1000; ++n) {
            item = item.nextItemInFocusChain(forward)
            if (!item || item === start)
                return
            if (item !== frame && holds(item)) {
                item.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
                return
            }
        }
    }

    // A new position for the dialog, kept inside the window.
    function moveTo(nx, ny) {
        x = Math.max(0, Math.min(areaWidth - width, nx))
        y = Math.max(0, Math.min(areaHeight - height, ny))
    }

    Rectangle {
        id: titleBar
        width: parent.width
        height: 34
        radius: 4
        color: Style.colorGray1
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            text: frame.title
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize2
            font.bold: true
        }
        MouseArea {
            id: dragArea
            anchors.fill: parent
            enabled: frame.draggable
            property point pressPoint
            onPressed: (mouse) => pressPoint = Qt.point(mouse.x, mouse.y)
            onPositionChanged: (mouse) => frame.moveTo(frame.x + mouse.x - pressPoint.x, frame.y + mouse.y - pressPoint.y)
        }
        Text {
            objectName: "closeButton"
            visible: frame.closable
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: "✕"
            color: closeArea.containsMouse ? Style.colorOrange : Style.fontColor
            font.pixelSize: Style.fontSize2
            activeFocusOnTab: true
            Keys.onReturnPressed: frame.closeRequested()
            Keys.onEnterPressed: frame.closeRequested()
            Keys.onSpacePressed: frame.closeRequested()
            Accessible.role: Accessible.Button
            Accessible.name: frame.closeName
            Accessible.onPressAction: frame.closeRequested()
            FocusRing {}
            MouseArea {
                id: closeArea
                anchors.fill: parent
                anchors.margins: -6
                hoverEnabled: true
                onClicked: frame.closeRequested()
            }
        }
    }
    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: titleBar.height
    }
    Loader {
        id: bodyLoader
        anchors.fill: body
        active: frame.wasOpened && frame.bodyComponent !== null
        sourceComponent: frame.bodyComponent
    }
}
