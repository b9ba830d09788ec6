// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "Style.js" as Style
import "../theme"

// A question with OK and Cancel (and, when `otherText` is set, a third answer between them), draggable
// inside the window. OK emits accepted(), the third answer other(), Cancel and Escape rejected(); each
// closes the box. The keyboard starts on Cancel, or on OK when `okFirst`. ask() sets the question and its
// answers and hands the answer to a function.
DialogFrame {
    id: box

    property string text: ""
    property string okText: "OK"
    property string otherText: ""
    property string cancelText: "Cancel"
    property bool okFirst: false
    // What gets the answer to the question ask() asked.
    property var answerTo: null
    signal accepted()
    signal other()
    signal rejected()

    width: 360
    height: 170
    draggable: true
    title: text
    onCloseRequested: {
        close()
        rejected()
    }
    onVisibleChanged: if (visible) (okFirst ? okButton : cancelButton).forceActiveFocus()
    onAccepted: answer("ok")
    onOther: answer("other")
    onRejected: answer("cancel")

    // Asks `question` with the answers OK (`okText`), an optional third (`otherText`, which the keyboard
    // then starts on OK for) and Cancel; `then` gets "ok", "other" or "cancel".
    function ask(question, okText, otherAnswer, then) {
        text = question
        box.okText = okText
        otherText = otherAnswer
        okFirst = otherAnswer !== ""
        answerTo = then
        open()
    }

    function answer(choice) {
        var then = answerTo
        answerTo = null
        if (then)
            then(choice)
    }

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
            id: cancelButton
            objectName: "cancelButton"
            text: box.cancelText
            onClicked: {
                box.close()
                box.rejected()
            }
        }
        TextButton {
            objectName: "otherButton"
            visible: box.otherText !== ""
            text: box.otherText
            onClicked: {
                box.close()
                box.other()
            }
        }
        TextButton {
            id: okButton
            objectName: "okButton"
            text: box.okText
            onClicked: {
                box.close()
                box.accepted()
            }
        }
    }
}
