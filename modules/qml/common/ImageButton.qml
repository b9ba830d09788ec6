import QtQuick
import "Style.js" as Style

// A button drawn by an image; it lights up under the mouse.
Item {
    id: button

    property alias source: picture.source
    signal clicked()

    implicitWidth: 24
    implicitHeight: 24

    Rectangle {
        anchors.fill: parent
        radius: 3
        color: area.containsMouse ? Style.colorGray2 : "transparent"
    }
    Image {
        id: picture
        anchors.centerIn: parent
        asynchronous: true
        opacity: area.containsMouse ? 1.0 : 0.8
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
