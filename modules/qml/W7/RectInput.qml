import QtQuick
import "../common/Style.js" as Style
import "../theme"

// A framed text field. As a number field (`numeric`) it takes whole numbers from `minimum` to `maximum`
// and emits edited(text) when the user finishes. As a capture field (`readOnly`) it shows what the owner
// puts in `text`, lights up while `waiting` for a key, and emits clicked(). Enter also emits accepted(text)
// and Escape cancelled().
Rectangle {
    id: field

    property alias text: input.text
    property bool numeric: false
    property int minimum: 0
    property int maximum: 255
    property bool readOnly: false
    property bool waiting: false
    property string placeholder: ""
    signal edited(string text)
    signal accepted(string text)
    signal cancelled()
    signal clicked()

    implicitWidth: 120
    implicitHeight: 24
    color: Style.fieldColor
    border.color: waiting || input.activeFocus ? Style.colorOrange : Style.lineColor
    border.width: waiting ? 2 : 1
    clip: true

    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        verticalAlignment: TextInput.AlignVCenter
        readOnly: field.readOnly
        color: Style.fontColor
        selectionColor: Style.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
        validator: field.numeric ? numbers : null
        onEditingFinished: if (!field.readOnly) field.edited(text)
        onAccepted: if (!field.readOnly) field.accepted(text)
        Keys.onEscapePressed: field.cancelled()
        IntValidator {
            id: numbers
            bottom: field.minimum
            top: field.maximum
        }
    }
    Text {
        anchors.fill: input
        verticalAlignment: Text.AlignVCenter
        visible: input.text === ""
        text: field.placeholder
        color: Style.dimColor
        font: input.font
    }
    MouseArea {
        anchors.fill: parent
        visible: field.readOnly
        onClicked: field.clicked()
    }

    // Gives up the keyboard focus (the dialog mask was pressed).
    function dropFocus() {
        input.focus = false
    }

    // Takes the keyboard focus with the whole text selected.
    function takeFocus() {
        input.forceActiveFocus()
        input.selectAll()
    }
}
