// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// A button that shows the current choice and opens a list of texts below it. Choosing an entry closes the
// list and emits selected(index); the owner sets `currentIndex` (or `displayText`). A list longer than
// `maxRows` scrolls, with a mark that shows where. With the keyboard focus, Enter or Space opens the list,
// the arrow keys move through it, Enter chooses and Escape closes it.
Item {
    id: dropDown

    property var model: []
    property int currentIndex: -1
    property string displayText: currentIndex >= 0 && currentIndex < model.length ? String(model[currentIndex]) : ""
    property bool opened: false
    property int rowHeight: 22
    property int maxRows: 8
    property string accessibleName: ""
    // The entry the keyboard is on while the list is open.
    property int keyIndex: -1
    signal selected(int index)

    width: 144
    height: 24
    z: opened ? 100 : 0

    function close() {
        opened = false
    }

    function toggle() {
        keyIndex = currentIndex
        opened = !opened
    }

    function choose(index) {
        // The list goes away when it closes: choose first.
        if (index >= 0 && index < model.length)
            selected(index)
        opened = false
    }

    activeFocusOnTab: true
    onActiveFocusChanged: if (!activeFocus) close()
    Accessible.role: Accessible.ComboBox
    Accessible.name: accessibleName
    Accessible.description: displayText
    Accessible.onPressAction: toggle()
    Keys.onPressed: (event) => {
        switch (event.key) {
        case Qt.Key_Space:
        case Qt.Key_Return:
        case Qt.Key_Enter:
            if (opened)
                choose(keyIndex)
            else
                toggle()
            break
        case Qt.Key_Escape:
            if (!opened)
                return
            close()
            break
        case Qt.Key_Down:
        case Qt.Key_Up:
            if (!opened)
                toggle()
            else
                keyIndex = Math.max(0, Math.min(model.length - 1, keyIndex + (event.key === Qt.Key_Down ? 1 : -1)))
            break
        default:
            return
        }
        event.accepted = true
    }

    Rectangle {
        anchors.fill: parent
        color: Style.fieldColor
        border.color: dropDown.opened || area.containsMouse ? Style.colorOrange : Style.lineColor
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.right: arrow.left
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.displayText
            elide: Text.ElideRight
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
        }
        Text {
            id: arrow
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.opened ? "▲" : "▼"
            color: Style.colorOrange
            font.pixelSize: Style.fontSize0
        }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: dropDown.toggle()
        }
    }
    FocusRing {}

    // The list is made each time it opens.
    Loader {
        y: dropDown.height
        active: dropDown.opened
        sourceComponent: popupComponent
    }
    Component {
        id: popupComponent
        Rectangle {
            id: popup
            objectName: "popup"
            width: dropDown.width
            height: Math.min(dropDown.model.length, dropDown.maxRows) * dropDown.rowHeight + 2
            color: "#10171d"
            border.color: Style.colorOrange
            ListView {
                id: list
                objectName: "popupList"
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                model: dropDown.model
                currentIndex: dropDown.keyIndex
                highlightFollowsCurrentItem: false
                boundsBehavior: Flickable.StopAtBounds
                Component.onCompleted: positionViewAtIndex(Math.max(0, dropDown.keyIndex), ListView.Center)
                onCurrentIndexChanged: if (currentIndex >= 0) positionViewAtIndex(currentIndex, ListView.Contain)
                delegate: Rectangle {
                    required property int index
                    required property var modelData
                    width: list.width
                    height: dropDown.rowHeight
                    color: rowArea.containsMouse || index === dropDown.keyIndex ? Style.colorGray2
                         : index === dropDown.currentIndex ? Style.colorGray1 : "transparent"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        text: String(modelData)
                        color: index === dropDown.currentIndex ? Style.colorOrange : Style.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Style.fontSize1
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: dropDown.choose(index)
                    }
                }
            }
            ScrollMark {
                view: list
            }
        }
    }
}
