import QtQuick
import "Style.js" as Style
import "../theme"

// A question with OK and Cancel, draggable inside the window. OK emits accepted(); Cancel only closes.
DialogFrame {
    id: box

    property string text: ""
    property string okText: "OK"
    property string cancelText: "Cancel"
    signal accepted()

    width: 360
    height: 170
    draggable: true
    title: text
    onCloseRequested: close()

    Text {
        x: 20
        y: 24
        width: parent.width - 40
        wrapMode: Text.WordWrap
        text: box.text + "?"
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize2
    }
    Row {
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: 10
        TextButton {
            objectName: "cancelButton"
            text: box.cancelText
            onClicked: box.close()
        }
        TextButton {
            objectName: "okButton"
            text: box.okText
            onClicked: box.accepted()
        }
    }
}
