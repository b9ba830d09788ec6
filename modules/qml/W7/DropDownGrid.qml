import QtQuick
import "../common/Style.js" as Style

// A colour button that opens a grid of colours below it. Picking one closes the grid and emits
// picked(colour) with the colour as "#rrggbb".
Item {
    id: dropDown

    property color current: "black"
    property var model: []
    property int columns: 6
    property int cell: 20
    property bool opened: false
    property bool selectedLook: false
    signal picked(string colour)

    width: 24
    height: 24
    z: opened ? 100 : 0

    function close() {
        opened = false
    }

    Rectangle {
        anchors.fill: parent
        color: dropDown.current
        border.color: dropDown.opened || dropDown.selectedLook || area.containsMouse ? Style.colorOrange : "#7f8a93"
        border.width: dropDown.opened || dropDown.selectedLook ? 2 : 1
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onClicked: dropDown.opened = !dropDown.opened
        }
    }

    // The grid is made each time it opens.
    Loader {
        active: dropDown.opened
        sourceComponent: gridComponent
    }
    Component {
        id: gridComponent
        Rectangle {
            y: dropDown.height + 2
            x: Math.min(0, 120 - width)
            width: dropDown.columns * (dropDown.cell + 2) + 6
            height: Math.ceil(dropDown.model.length / dropDown.columns) * (dropDown.cell + 2) + 6
            color: "#10171d"
            border.color: Style.colorOrange
            Grid {
                anchors.fill: parent
                anchors.margins: 3
                columns: dropDown.columns
                spacing: 2
                Repeater {
                    model: dropDown.model
                    Rectangle {
                        required property var modelData
                        width: dropDown.cell
                        height: dropDown.cell
                        color: modelData
                        border.color: cellArea.containsMouse ? "white" : "transparent"
                        MouseArea {
                            id: cellArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: {
                                // The grid goes away when it closes: pick first.
                                dropDown.picked(String(parent.modelData))
                                dropDown.opened = false
                            }
                        }
                    }
                }
            }
        }
    }
}
