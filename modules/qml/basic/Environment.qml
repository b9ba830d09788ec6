import QtQuick
import "../common/Style.js" as Style

// The background of the window: the power-on logo while the interface starts, then the background
// picture with the title bar and the logo.
Item {
    id: environment

    property int skin: 1
    property bool powerOn: true   // the power-on logo is showing

    width: 1024
    height: 640

    Image {
        objectName: "powerLogo"
        anchors.centerIn: parent
        visible: environment.powerOn
        source: Style.imageUrl(environment.skin, "index", "powerLogo.png")
    }

    Item {
        anchors.fill: parent
        visible: !environment.powerOn
        Image {
            anchors.fill: parent
            source: Style.imageUrl(environment.skin, "index", "background.png")
        }
        Image {
            x: 22
            y: 13
            source: Style.imageUrl(environment.skin, "index", "logo.png")
        }
    }
}
