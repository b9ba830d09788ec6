// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/MacroCode.js" as MacroCode
import "../common"

// The actions of a macro, one row each, with one current action. A click makes an action current; the
// right button asks for the action menu at the pointer. The current delay shows a field for its length.
// An edit keeps the list where it was scrolled to (while recording, the newest action stays in sight).
// With the keyboard focus the arrow keys choose the action, Delete asks to delete it, the menu key (or
// Shift+F10) opens the action menu and Enter edits the current delay.
Rectangle {
    id: box

    property var actions: []
    property int currentIndex: -1
    property bool editable: true
    // The text of an action.
    property var textOf: function (action) { return "" }
    property string accessibleName: ""
    property string delayName: ""
    signal chosen(int index)
    signal menuRequested(real x, real y)
    signal delayEdited(int index, int ms)
    signal deleteRequested()

    color: Style.fieldColor
    border.color: Style.lineColor

    // A new list keeps the scroll position (a new model would start at the top).
    onActionsChanged: {
        var y = list.contentY
        list.model = actions
        list.currentIndex = currentIndex
        list.forceLayout()
        if (!editable) {
            list.positionViewAtEnd()
            return
        }
        list.contentY = Math.max(list.originY, Math.min(y, list.originY + list.contentHeight - list.height))
        if (currentIndex >= 0)
            list.positionViewAtIndex(currentIndex, ListView.Contain)
    }
    onCurrentIndexChanged: list.currentIndex = currentIndex
    Component.onCompleted: {
        list.model = actions
        list.currentIndex = currentIndex
    }

    function takeFocus() {
        list.forceActiveFocus()
    }

    function menuAtCurrent() {
        var row = list.currentItem
        if (row)
            menuRequested(row.x + 40, row.y - list.contentY + row.height)
        else
            menuRequested(20, 20)
    }

    ListView {
        id: list
        objectName: "actionListView"
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        highlightFollowsCurrentItem: false
        boundsBehavior: Flickable.StopAtBounds
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: box.accessibleName
        Keys.onPressed: (event) => {
            var n = box.actions.length
            switch (event.key) {
            case Qt.Key_Up:
            case Qt.Key_Down:
                if (n > 0)
                    box.chosen(Math.max(0, Math.min(n - 1, box.currentIndex + (event.key === Qt.Key_Down ? 1 : -1))))
                break
            case Qt.Key_Delete:
                box.deleteRequested()
                break
            case Qt.Key_Menu:
                box.menuAtCurrent()
                break
            case Qt.Key_F10:
                if (!(event.modifiers & Qt.ShiftModifier))
                    return
                box.menuAtCurrent()
                break
            case Qt.Key_Return:
            case Qt.Key_Enter:
                if (!list.currentItem || !list.currentItem.editDelay())
                    return
                break
            default:
                return
            }
            event.accepted = true
        }
        onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)
        delegate: Rectangle {
            id: row
            required property int index
            required property var modelData
            readonly property bool isDelay: modelData.type === MacroCode.delayAction
            readonly property bool isCurrent: index === box.currentIndex
            objectName: "actionRow" + index
            width: list.width
            height: 24
            color: isCurrent ? Style.colorGray2 : "transparent"
            Accessible.role: Accessible.ListItem
            Accessible.name: box.textOf(modelData)
            Accessible.selected: isCurrent

            // Puts the keyboard into the delay field of this row; false when it has none.
            function editDelay() {
                if (!delayEditor.item)
                    return false
                delayEditor.item.edit()
                return true
            }

            Text {
                x: 8
                width: 26
                anchors.verticalCenter: parent.verticalCenter
                text: row.index + 1
                color: Style.dimColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize0
            }
            Text {
                x: 36
                anchors.verticalCenter: parent.verticalCenter
                visible: !(row.isDelay && row.isCurrent && box.editable)
                text: box.textOf(row.modelData)
                color: row.isDelay ? Style.dimColor : row.isCurrent ? Style.colorOrange : Style.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize1
            }
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onPressed: (mouse) => {
                    box.chosen(row.index)
                    if (mouse.button === Qt.RightButton)
                        box.menuRequested(row.x + mouse.x, row.y - list.contentY + mouse.y)
                }
            }
            Loader {
                id: delayEditor
                x: 36
                width: 90
                height: 20
                anchors.verticalCenter: parent.verticalCenter
                active: row.isDelay && row.isCurrent && box.editable
                sourceComponent: Row {
                    spacing: 4
                    function edit() {
                        delayInput.takeFocus()
                    }
                    RectInput {
                        id: delayInput
                        objectName: "delayInput"
                        width: 64
                        height: 20
                        numeric: true
                        minimum: 0
                        maximum: MacroCode.maxDelayMs
                        value: row.modelData.info
                        accessibleName: box.delayName
                        onEdited: (t) => box.delayEdited(row.index, parseInt(t, 10))
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "ms"
                        color: Style.dimColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Style.fontSize0
                    }
                }
            }
        }
    }
    ScrollMark {
        view: list
    }
    FocusRing {
        target: list
        inset: 1
    }
    // The right button below the last action opens the menu too.
    MouseArea {
        anchors.fill: parent
        z: -1
        acceptedButtons: Qt.RightButton
        onPressed: (mouse) => box.menuRequested(mouse.x, mouse.y)
    }
}
