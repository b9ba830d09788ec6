// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common"

// A framed text field. As a number field (`numeric`) it takes whole numbers from `minimum` to `maximum`
// and emits edited(text) when the user finishes; it shows `value`, the number its owner keeps, again
// after every edit and when the field is left, so an entry the owner refused never stays on view. As a
// capture field (`readOnly`) it shows what the owner puts in `text`, lights up while `waiting` for a key,
// and emits clicked() (on a click, or Enter or Space with the keyboard focus). Enter also emits
// accepted(text). Escape emits cancelled() and stays in the field when `cancelOnEscape`; otherwise it shows
// `value` again and goes on to the dialog (which closes).
Rectangle {
    id: field

    property alias text: input.text
    property var value: undefined
    property bool numeric: false
    property int minimum: 0
    property int maximum: 255
    property bool readOnly: false
    property bool waiting: false
    property bool cancelOnEscape: false
    // A field drawn as plain text until it is pointed at or has the focus.
    property bool flat: false
    property bool alignRight: false
    property string placeholder: ""
    property string accessibleName: placeholder
    signal edited(string text)
    signal accepted(string text)
    signal cancelled()
    signal clicked()

    implicitWidth: 120
    implicitHeight: 24
    color: flat && !input.activeFocus ? "transparent" : Style.fieldColor
    border.color: waiting || input.activeFocus ? Style.colorOrange
                : flat && !hover.hovered ? "transparent" : Style.lineColor
    border.width: waiting ? 2 : 1
    clip: true

    onValueChanged: showValue()
    Component.onCompleted: showValue()

    // A capture field takes the focus itself; a text field's input does.
    activeFocusOnTab: readOnly
    Keys.onPressed: (event) => {
        var press = event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space
        event.accepted = readOnly && press
        if (event.accepted)
            field.clicked()
    }
    Accessible.role: readOnly ? Accessible.Button : Accessible.Grouping
    Accessible.name: accessibleName
    Accessible.description: readOnly ? text : ""
    Accessible.ignored: !readOnly
    Accessible.onPressAction: if (readOnly) field.clicked()

    // Shows the owner's value (a field without one keeps its text).
    function showValue() {
        if (value !== undefined && value !== null)
            input.text = String(value)
    }

    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        verticalAlignment: TextInput.AlignVCenter
        horizontalAlignment: field.alignRight ? TextInput.AlignRight : TextInput.AlignLeft
        readOnly: field.readOnly
        activeFocusOnTab: !field.readOnly
        color: Style.fontColor
        selectionColor: Style.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
        validator: field.numeric ? numbers : null
        Accessible.name: field.accessibleName
        // A field that was switched off while it had the focus does not hand over what it held.
        onEditingFinished: {
            if (!field.readOnly && field.enabled)
                field.edited(text)
            field.showValue()
        }
        onAccepted: if (!field.readOnly) field.accepted(text)
        onActiveFocusChanged: {
            if (activeFocus)
                selectAll()
            else
                Qt.callLater(field.showValue)
        }
        Keys.onEscapePressed: (event) => {
            if (field.cancelOnEscape) {
                field.cancelled()
                return
            }
            field.showValue()
            event.accepted = false
        }
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
    HoverHandler {
        id: hover
    }
    FocusRing {
        target: field.readOnly ? field : input
        inset: 0
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
