// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/KeyFunctions.js" as KeyFunctions
import "../common"

// The button list: what each of the mouse's buttons does. Sixteen entries are kept (the working entries
// and the factory entries of the default profile); the first `keyCount` are shown. Changes wait for Save.
// An entry opens with a click, or with Enter or Space when it has the keyboard focus; the one left click
// the mouse keeps refuses and says why.
Item {
    id: keyMatrix

    property var keyMatrixLang: ["Key ", "Key Function", "The only left click stays: the mouse needs one", "", ""]
    property bool isSave: false
    property int keyCount: 8
    property string resetText: "Reset"
    // The working and factory entries: 16 of {codes: [keyCode0..keyCode3], text}.
    property var keyList: builtInList()
    property var factoryList: builtInList()
    property int highlighted: -1
    // The entry that refused to change (its notice shows), or -1.
    property int refused: -1

    // Set by the root: key names, the assignment dialog's texts, the gun data and the macro editor.
    property var keyNames: null
    property var assignTexts: []
    property var gunControl: null
    property var macroEditor: null

    signal keyHovered(int index)
    signal openAssignment(int index)

    width: 290
    height: 380

    function builtInList() {
        var out = []
        for (var j = 0; j < 16; ++j)
            out.push({ codes: KeyFunctions.builtInSet[j].slice(), text: "" })
        return out
    }

    function macroNameOf(slot) {
        return Values.toText(ui_View.getData("mouseMacroKey/" + slot, false), "")
    }

    function entryText(codes) {
        var names = keyNames
        return KeyFunctions.describe(codes, assignTexts, function (c) { return names ? names.keycodeTostr(c) : "" },
                                     macroNameOf)
    }

    // One stored entry; an entry the profile lacks (or a short one) keeps the built-in assignment.
    function readEntry(j, isRecovery) {
        var stored = ui_View.mouseGetKeydefine(j, isRecovery)
        if (!stored || stored.length < 4)
            return KeyFunctions.builtInSet[j].slice()
        return Values.toIntList(stored, 4, KeyFunctions.builtInSet[j])
    }

    // Reads the entries (from the default profile when isRecovery) and the factory entries, and sends the
    // entries when isSendData: first the macros they are bound to, then the key matrices that name them, so
    // that a profile's buttons never run the macro another profile left in their slots.
    function init(isSendData, isRecovery) {
        var work = []
        var factory = []
        for (var j = 0; j < 16; ++j) {
            var codes = readEntry(j, isRecovery)
            work.push({ codes: codes, text: entryText(codes) })
            var original = readEntry(j, true)
            factory.push({ codes: original, text: entryText(original) })
        }
        keyList = work
        factoryList = factory
        if (isSendData) {
            sendBoundMacros()
            saveData()
        }
    }

    // Uploads the macro of every entry bound to one, to the entry's macro slot.
    function sendBoundMacros() {
        for (var j = 0; j < 16; ++j) {
            var codes = keyList[j].codes
            var name = codes[0] === KeyFunctions.macroFunction ? macroNameOf(codes[2]) : ""
            if (macroEditor && name !== "")
                macroEditor.sendMacro(name, codes[2])
        }
    }

    function refreshTexts() {
        keyList = keyList.map(function (e) { return { codes: e.codes, text: entryText(e.codes) } })
        factoryList = factoryList.map(function (e) { return { codes: e.codes, text: entryText(e.codes) } })
    }

    function codes64() {
        var out = []
        for (var j = 0; j < 16; ++j)
            out = out.concat(keyList[j].codes)
        return out
    }

    // Stores and sends the 16 entries with the fire periods of the three selected guns.
    function saveData() {
        var periods = gunControl ? gunControl.selectedPeriods() : [0, 0, 0]
        ui_View.mouseSetKeyMatrix(codes64(), true, periods)
    }

    function codesOf(index) {
        return keyList[index].codes.slice()
    }

    // The one remaining left click cannot be given another function, so the mouse keeps a left button.
    function isLastLeftClick(index) {
        if (!KeyFunctions.isLeftClick(keyList[index].codes))
            return false
        var count = 0
        for (var j = 0; j < 16; ++j)
            if (KeyFunctions.isLeftClick(keyList[j].codes))
                ++count
        return count === 1
    }

    function requestAssignment(index) {
        if (index < 0 || index >= 16)
            return false
        if (isLastLeftClick(index)) {
            refused = index
            refusalTimer.restart()
            return false
        }
        refused = -1
        openAssignment(index)
        return true
    }

    // Puts new codes into an entry; returns whether anything changed (which leaves a change to save).
    function setEntry(index, codes) {
        if (KeyFunctions.sameCodes(keyList[index].codes, codes))
            return false
        var list = keyList.slice()
        list[index] = { codes: codes.slice(), text: entryText(codes) }
        keyList = list
        isSave = true
        return true
    }

    // The entries bound to the macro `name`.
    function boundTo(name) {
        var out = []
        for (var j = 0; j < 16; ++j) {
            var codes = keyList[j].codes
            if (codes[0] === KeyFunctions.macroFunction && macroNameOf(codes[2]) === name)
                out.push(j)
        }
        return out
    }

    // The macro `name` is gone: its buttons get their factory entries (or, where the factory entry is bound
    // to that macro too, the built-in ones) and the list is stored and sent. Returns whether any changed.
    function unbindMacro(name) {
        var bound = boundTo(name)
        if (bound.length === 0)
            return false
        var list = keyList.slice()
        for (var i = 0; i < bound.length; ++i) {
            var j = bound[i]
            var codes = factoryList[j].codes.slice()
            if (codes[0] === KeyFunctions.macroFunction && macroNameOf(codes[2]) === name)
                codes = KeyFunctions.builtInSet[j].slice()
            list[j] = { codes: codes, text: entryText(codes) }
        }
        keyList = list
        isSave = false
        saveData()
        return true
    }

    // Back to the factory entries; every macro entry uploads its macro again and names it in the profile.
    function reset() {
        var list = []
        for (var j = 0; j < 16; ++j) {
            var codes = factoryList[j].codes.slice()
            if (codes[0] === KeyFunctions.macroFunction) {
                var slot = codes[2]
                var name = Values.toText(ui_View.getData("mouseMacroKey/" + slot, true), macroNameOf(slot))
                if (macroEditor && name !== "")
                    macroEditor.sendMacro(name, slot)
                ui_View.setData("mouseMacroKey/" + slot, name)
            }
            list.push({ codes: codes, text: entryText(codes) })
        }
        keyList = list
        isSave = true
    }

    Text {
        id: title
        x: 4
        text: keyMatrix.keyMatrixLang[1]
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize3
        font.bold: true
    }
    TextButton {
        objectName: "resetButton"
        anchors.right: parent.right
        anchors.verticalCenter: title.verticalCenter
        height: 24
        text: keyMatrix.resetText
        onClicked: keyMatrix.reset()
    }

    Timer {
        id: refusalTimer
        interval: 5000
        onTriggered: keyMatrix.refused = -1
    }

    Column {
        id: rows
        y: 36
        width: parent.width
        spacing: 6
        Repeater {
            model: Math.min(keyMatrix.keyCount, 16)
            Rectangle {
                id: row
                required property int index
                readonly property string label: keyMatrix.keyMatrixLang[0] + " " + (row.index + 1)
                objectName: "keyEntry" + index
                width: parent.width
                height: 34
                radius: 3
                color: rowArea.containsMouse || keyMatrix.highlighted === index ? Style.colorGray2 : Style.colorGray0
                border.color: rowArea.containsMouse ? Style.colorOrange : Style.colorGray1
                activeFocusOnTab: true
                onActiveFocusChanged: keyMatrix.keyHovered(activeFocus ? row.index : -1)
                Keys.onReturnPressed: keyMatrix.requestAssignment(row.index)
                Keys.onEnterPressed: keyMatrix.requestAssignment(row.index)
                Keys.onSpacePressed: keyMatrix.requestAssignment(row.index)
                Accessible.role: Accessible.Button
                Accessible.name: label + ": " + keyMatrix.keyList[row.index].text
                Accessible.description: keyMatrix.refused === row.index ? keyMatrix.keyMatrixLang[2] : ""
                Accessible.onPressAction: keyMatrix.requestAssignment(row.index)
                FocusRing {}
                Text {
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.label
                    color: Style.dimColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                Text {
                    x: 80
                    width: parent.width - 90
                    anchors.verticalCenter: parent.verticalCenter
                    text: keyMatrix.keyList[row.index].text
                    elide: Text.ElideRight
                    color: rowArea.containsMouse ? Style.colorOrange : Style.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onContainsMouseChanged: keyMatrix.keyHovered(containsMouse ? row.index : -1)
                    onClicked: keyMatrix.requestAssignment(row.index)
                }
            }
        }
    }
    // Why an entry did not open.
    Text {
        objectName: "refusalNotice"
        x: 4
        y: rows.y + rows.height + 10
        width: parent.width - 8
        visible: keyMatrix.refused >= 0
        text: keyMatrix.keyMatrixLang[0] + " " + (keyMatrix.refused + 1) + ": " + keyMatrix.keyMatrixLang[2]
        wrapMode: Text.WordWrap
        color: Style.pendingColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
        Accessible.role: Accessible.AlertMessage
        Accessible.name: text
    }
}
