// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// A framed list of names with one current entry and, optionally, one marked entry. A click chooses an
// entry; a double click on an entry from `renamableFrom` on opens a field over it for a new name, which
// Enter hands over with renameRequested (Escape, or endRename(), drops it). With the keyboard focus the
// arrow keys choose an entry and F2 renames it.
Rectangle {
    id: box

    property var names: []
    property int currentIndex: -1
    property int markedIndex: -1
    property int renamableFrom: 0
    // The entry whose name is being edited, or -1.
    property int renaming: -1
    property string accessibleName: ""
    signal chosen(int index)
    signal renameRequested(int index, string name)

    color: Style.fieldColor
    border.color: Style.lineColor

    function startRename(index) {
        if (index < renamableFrom || index >= names.length)
            return
        chosen(index)
        renaming = index
    }

    function endRename() {
        renaming = -1
    }

    ListView {
        id: list
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        model: box.names
        currentIndex: box.currentIndex
        boundsBehavior: Flickable.StopAtBounds
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: box.accessibleName
        Keys.onPressed: (event) => {
            if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
                var step = event.key === Qt.Key_Down ? 1 : -1
                if (box.names.length > 0)
                    box.chosen(Math.max(0, Math.min(box.names.length - 1, box.currentIndex + step)))
            } else if (event.key === Qt.Key_F2) {
                box.startRename(box.currentIndex)
            } else {
                return
            }
            event.accepted = true
        }
        delegate: Rectangle {
            id: row
            required property int index
            required property var modelData
            objectName: "nameRow" + index
            width: list.width
            height: 26
            color: index === box.currentIndex ? Style.colorGray2 : rowArea.containsMouse ? Style.colorGray1 : "transparent"
            Accessible.role: Accessible.ListItem
            Accessible.name: String(modelData)
            Accessible.selected: index === box.currentIndex
            Text {
                x: 10
                width: parent.width - 34
                anchors.verticalCenter: parent.verticalCenter
                visible: box.renaming !== row.index
                text: String(row.modelData)
                elide: Text.ElideRight
                color: row.index === box.currentIndex ? Style.colorOrange : Style.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize1
            }
            Text {
                anchors.right: parent.right
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                visible: row.index === box.markedIndex
                text: "●"
                color: Style.colorOrange
                font.pixelSize: Style.fontSize0
            }
            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: if (box.renaming !== row.index) box.chosen(row.index)
                onDoubleClicked: box.startRename(row.index)
            }
            Loader {
                anchors.fill: parent
                anchors.margins: 2
                active: box.renaming === row.index
                sourceComponent: RectInput {
                    objectName: "renameInput"
                    text: String(row.modelData)
                    cancelOnEscape: true
                    accessibleName: box.accessibleName
                    Component.onCompleted: takeFocus()
                    // The list takes the keyboard back when the field goes.
                    onAccepted: (t) => {
                        list.forceActiveFocus()
                        box.renaming = -1
                        box.renameRequested(row.index, t)
                    }
                    onCancelled: {
                        list.forceActiveFocus()
                        box.renaming = -1
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
}
