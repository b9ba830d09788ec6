import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/MacroCode.js" as MacroCode

// The actions of a macro, one row each, with one current action. A click makes an action current; the
// right button asks for the action menu at the pointer. The current delay shows a field for its length.
Rectangle {
    id: box

    property var actions: []
    property int currentIndex: -1
    property bool editable: true
    // The text of an action.
    property var textOf: function (action) { return "" }
    signal chosen(int index)
    signal menuRequested(real x, real y)
    signal delayEdited(int index, int ms)

    color: Style.fieldColor
    border.color: Style.lineColor

    ListView {
        id: list
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        model: box.actions
        currentIndex: box.currentIndex
        boundsBehavior: Flickable.StopAtBounds
        // Recording appends at the end: keep the newest action in sight.
        onCountChanged: if (!box.editable) positionViewAtEnd()
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
                x: 36
                width: 90
                height: 20
                anchors.verticalCenter: parent.verticalCenter
                active: row.isDelay && row.isCurrent && box.editable
                sourceComponent: Row {
                    spacing: 4
                    RectInput {
                        objectName: "delayInput"
                        width: 64
                        height: 20
                        numeric: true
                        minimum: 0
                        maximum: MacroCode.maxDelayMs
                        text: row.modelData.info
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
    // The right button below the last action opens the menu too.
    MouseArea {
        anchors.fill: parent
        z: -1
        acceptedButtons: Qt.RightButton
        onPressed: (mouse) => box.menuRequested(mouse.x, mouse.y)
    }
}
