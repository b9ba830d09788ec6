// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/MacroCode.js" as MacroCode
import "../common/NameLists.js" as NameLists
import "../common"

// The macro editor dialog: the macro list (name list 0, which the assignment dialog offers too) and the
// actions of the selected macro, recorded from the keyboard or edited through the action menu. Every edit
// is stored at once and announced with modifyMacroData(name), upon which the root uploads the macro again
// for the buttons bound to it.
DialogFrame {
    id: editor

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times",
        "OK", "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key",
        "Insert Left Key", "Insert Middle Key", "Insert Right Key", "The macro is full: recording stopped", ""]
    property var keyNames: null

    property var macroNames: []
    property int currentMacro: -1
    readonly property string macroName: currentMacro >= 0 && currentMacro < macroNames.length
                                        ? macroNames[currentMacro] : ""
    // The selected macro: its actions [{type, info}], its repeat count and the current action (-1: none).
    property var actions: []
    property int repeat: 1
    property int currentAction: -1
    readonly property int byteCount: MacroCode.recordCount(actions)
    readonly property bool isFull: byteCount >= MacroCode.recordLimit

    property bool recording: false
    // Recording stopped by itself: the next key would not have fitted the mouse's macro.
    property bool stoppedFull: false
    property bool recordDelay: true
    // Ticks of 10 ms since the last recorded key.
    property int ticks: 0
    // The insert-key box waits for the next key press.
    property bool waitingKey: false
    // The action menu: shown, and where.
    property bool menuOpen: false
    property point menuAt: Qt.point(0, 0)
    // Why keys cannot be recorded in this session (empty where the global keyboard capture works).
    readonly property string captureHint: typeof sessionStatus !== "undefined" && sessionStatus
                                          ? sessionStatus.captureHint : ""

    signal modifyMacroData(string name)
    // The Delete button: the root asks first and then calls deleteCurrent().
    signal confirmDelete(string name)
    signal deleteMacro(string name)
    signal modifyMacroName(string oldName, string newName)

    title: macroEditorLang[0]
    width: 700
    height: 470
    onCloseRequested: finish()
    onVisibleChanged: if (visible && currentMacro < 0 && macroNames.length > 0) selectMacro(0)

    // ---- The macro list ----

    function init() {
        stopRecord()
        macroNames = NameLists.readList(ui_View.getNameList(0)).slice(0, NameLists.maxMacros)
        currentMacro = -1
        actions = []
        currentAction = -1
        repeat = 1
    }

    // Stores name list 0; the assignment dialog's macro choices follow `macroNames`.
    function storeNames(names) {
        macroNames = names
        ui_View.updataNameList(0, names)
    }

    function selectMacro(index) {
        stopRecord()
        stoppedFull = false
        waitingKey = false
        menuOpen = false
        currentMacro = index >= 0 && index < macroNames.length ? index : -1
        currentAction = -1
        if (currentMacro < 0) {
            actions = []
            repeat = 1
            return
        }
        var stored = MacroCode.parseStored(ui_View.loadMacroIni(macroNames[currentMacro]))
        actions = stored.actions
        repeat = stored.repeat
    }

    function newMacro() {
        stopRecord()
        var name = NameLists.newMacroName(macroNames)
        if (name === "")
            return false
        ui_View.createMacroIni(name, 0)
        storeNames(macroNames.concat([name]))
        selectMacro(macroNames.length - 1)
        return true
    }

    // A new macro filled from a file the user picks and named after it; cancelling the file dialog leaves
    // it empty (named as New names it).
    function importMacro() {
        stopRecord()
        var name = NameLists.newMacroName(macroNames)
        if (name === "")
            return false
        if (!Values.toBool(ui_View.loadMacroFile(name), false)) {
            ui_View.createMacroIni(name, 0)
        } else {
            var named = NameLists.importedMacroName(macroNames, Values.toText(ui_View.importedName, ""))
            if (named !== "" && Values.toBool(ui_View.modifyMacroNameUpdateProfile(name, named), false))
                name = named
        }
        storeNames(macroNames.concat([name]))
        selectMacro(macroNames.length - 1)
        return true
    }

    function exportMacro() {
        stopRecord()
        if (macroName !== "")
            ui_View.saveMacroFile(macroName)
    }

    function askDelete() {
        if (macroName === "")
            return false
        confirmDelete(macroName)
        return true
    }

    // Deletes the selected macro; the root gives its buttons their factory entries.
    function deleteCurrent() {
        if (macroName === "")
            return false
        recording = false
        tick.stop()
        var name = macroName
        var index = currentMacro
        ui_View.deleteMacroIni(name)
        var names = macroNames.slice()
        names.splice(index, 1)
        deleteMacro(name)
        storeNames(names)
        currentMacro = -1
        selectMacro(Math.min(index, names.length - 1))
        return true
    }

    // Asks for a new name; the root renames the file and the bindings, then calls renamed().
    function rename(index, newName) {
        var name = String(newName).trim()
        if (index < 0 || index >= macroNames.length || !NameLists.isValidMacroName(macroNames, name))
            return false
        stopRecord()
        modifyMacroName(macroNames[index], name)
        return macroNames[index] === name
    }

    function renamed(oldName, newName) {
        var index = macroNames.indexOf(oldName)
        if (index < 0)
            return
        var names = macroNames.slice()
        names[index] = newName
        storeNames(names)
    }

    // ---- The device macro ----

    function codeOf(name) {
        return keyNames ? keyNames.strTokeycode(name) : 0
    }

    function nameOf(code) {
        return keyNames ? keyNames.keycodeTostr(code) : ""
    }

    // The stored macro `name` as the mouse runs it, with its own repeat count.
    function encode(name) {
        var stored = MacroCode.parseStored(ui_View.loadMacroIni(name))
        return MacroCode.deCode(stored.actions, stored.repeat, codeOf)
    }

    // Uploads the stored macro `name` to macro slot `slot` (the index of the button bound to it).
    function sendMacro(name, slot) {
        ui_View.mouseSendMacroData(encode(name), slot)
    }

    // ---- Editing ----

    function save() {
        if (macroName === "")
            return
        ui_View.saveMacroIni(macroName, MacroCode.storedTexts(actions), repeat)
        modifyMacroData(macroName)
    }

    // Takes a change {actions, current} and stores it; a refused change (null) leaves everything as it was.
    function apply(change) {
        if (!change || macroName === "" || recording)
            return false
        actions = change.actions
        currentAction = change.current
        save()
        return true
    }

    function setRepeat(n) {
        var count = MacroCode.clampRepeat(n)
        if (count === repeat || macroName === "")
            return
        repeat = count
        save()
    }

    function setDelay(index, ms) {
        var n = Values.toInt(ms, -1)
        if (n < 0 || index < 0 || index >= actions.length || MacroCode.delayMs(actions[index]) === n)
            return false
        return apply(MacroCode.withDelayChanged(actions, index, n))
    }

    function deleteAction() {
        return apply(MacroCode.withoutAction(actions, currentAction))
    }

    function insertDelay() {
        return apply(MacroCode.withDelayInserted(actions, currentAction))
    }

    function pair(code, afterCurrent) {
        var name = nameOf(code)
        if (name === "")
            return null
        return MacroCode.withPairInserted(actions, currentAction, MacroCode.keyAction(code, true, name),
                                          MacroCode.keyAction(code, false, name), afterCurrent)
    }

    // A left (0xF0), right (0xF1) or middle (0xF2) click after the current action.
    function insertClick(code) {
        return apply(pair(code, true))
    }

    // The insert-key box: the next key pressed goes in before the current action.
    function startKeyInsert() {
        if (macroName === "" || recording || isFull)
            return false
        waitingKey = true
        return true
    }

    // ---- Recording ----

    function toggleRecord() {
        if (recording)
            stopRecord()
        else
            startRecord()
    }

    // Clears the selected macro and records keys until stopped.
    function startRecord() {
        if (macroName === "" || recording)
            return false
        dropFocus()
        actions = []
        currentAction = -1
        ticks = 0
        stoppedFull = false
        recording = true
        tick.start()
        return true
    }

    // Ends a recording: every key still held is released at the end, and the macro is stored.
    function stopRecord() {
        if (!recording)
            return
        tick.stop()
        recording = false
        actions = MacroCode.withHeldReleased(actions)
        save()
    }

    // A key from the keyboard hook. Recording appends it (after the time since the previous key, when the
    // delay option is on); the insert-key box takes the next press.
    function keyInput(isDown, usbCode) {
        var code = usbCode & 0xFF
        if (recording) {
            var name = nameOf(code)
            if (name === "")
                return
            var next = MacroCode.recorded(actions, MacroCode.keyAction(code, isDown, name), ticks * 10, recordDelay)
            if (next === null) {
                stopRecord()
                stoppedFull = true
                return
            }
            actions = next
            ticks = 0
        } else if (waitingKey && isDown && visible) {
            waitingKey = false
            apply(pair(code, false))
        }
    }

    // Closing stops a recording and stores it.
    function finish() {
        stopRecord()
        dropFocus()
        close()
    }

    function dropFocus() {
        waitingKey = false
        menuOpen = false
        if (bodyItem)
            bodyItem.dropFocus()
    }

    // Opens the action menu at (x, y) of the panel, kept inside it.
    function openMenu(x, y) {
        dropFocus()
        menuAt = Qt.point(Math.min(x, width - 170 - 4), Math.min(y, height - 34 - menuEntries.length * 26 - 2 - 4))
        menuOpen = true
    }

    // The action menu's entries: [text index, command, allowed].
    readonly property var menuEntries: [
        [10, "delete", currentAction >= 0 && !recording],
        [13, "delay", macroName !== "" && !recording && !isFull],
        [14, "key", macroName !== "" && !recording && !isFull],
        [15, "left", macroName !== "" && !recording && !isFull],
        [16, "middle", macroName !== "" && !recording && !isFull],
        [17, "right", macroName !== "" && !recording && !isFull]
    ]

    function menuCommand(command) {
        menuOpen = false
        switch (command) {
        case "delete": return deleteAction()
        case "delay": return insertDelay()
        case "key": return startKeyInsert()
        case "left": return insertClick(0xF0)
        case "middle": return insertClick(0xF2)
        case "right": return insertClick(0xF1)
        }
        return false
    }

    function actionText(action) {
        if (action.type === MacroCode.delayAction)
            return macroEditorLang[9] + "  " + action.info + " ms"
        return action.info + (MacroCode.isRelease(action.type) ? "  ↑" : "  ↓")
    }

    Timer {
        id: tick
        interval: 10
        repeat: true
        onTriggered: editor.ticks += 1
    }

    component Heading: Text {
        color: Style.dimColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
    }

    // The controls, made when the dialog first opens.
    bodyComponent: Component {
        Item {
            function dropFocus() {
                repeatInput.dropFocus()
                macroList.endRename()
            }

            // The macro list, with New, Delete, Import and Export under it. A double click renames.
            Heading {
                x: 20
                y: 12
                text: editor.macroEditorLang[1]
            }
            NameListBox {
                id: macroList
                objectName: "macroList"
                accessibleName: editor.macroEditorLang[1]
                x: 20
                y: 34
                width: 200
                height: 320
                names: editor.macroNames
                currentIndex: editor.currentMacro
                onChosen: (index) => editor.selectMacro(index)
                onRenameRequested: (index, name) => editor.rename(index, name)
            }
            Grid {
                x: 20
                y: 364
                columns: 2
                spacing: 8
                TextButton {
                    objectName: "newButton"
                    width: 96
                    text: editor.macroEditorLang[2]
                    enabled: editor.macroNames.length < NameLists.maxMacros
                    onClicked: editor.newMacro()
                }
                TextButton {
                    objectName: "deleteButton"
                    width: 96
                    text: editor.macroEditorLang[3]
                    enabled: editor.macroName !== ""
                    onClicked: editor.askDelete()
                }
                TextButton {
                    objectName: "importButton"
                    width: 96
                    text: editor.macroEditorLang[11]
                    enabled: editor.macroNames.length < NameLists.maxMacros
                    onClicked: editor.importMacro()
                }
                TextButton {
                    objectName: "exportButton"
                    width: 96
                    text: editor.macroEditorLang[12]
                    enabled: editor.macroName !== ""
                    onClicked: editor.exportMacro()
                }
            }

            // The actions of the selected macro; the right button (or the Action button) opens the menu.
            Heading {
                x: 240
                y: 12
                text: editor.macroEditorLang[4]
            }
            TextButton {
                objectName: "actionMenuButton"
                accessibleName: editor.macroEditorLang[4]
                x: 394
                y: 6
                width: 46
                height: 22
                text: "▼"
                enabled: editor.macroName !== ""
                onClicked: editor.openMenu(x, y + height)
            }
            MacroActionList {
                id: actionList
                objectName: "actionList"
                x: 240
                y: 34
                width: 200
                height: 320
                actions: editor.actions
                currentIndex: editor.currentAction
                textOf: editor.actionText
                editable: !editor.recording
                onChosen: (index) => editor.currentAction = index
                accessibleName: editor.macroEditorLang[4]
                delayName: editor.macroEditorLang[9]
                onMenuRequested: (mx, my) => editor.openMenu(actionList.x + mx, actionList.y + my)
                onDelayEdited: (index, ms) => editor.setDelay(index, ms)
                onDeleteRequested: editor.deleteAction()
            }
            RectInput {
                objectName: "insertKeyBox"
                x: 240
                y: 364
                width: 200
                readOnly: true
                visible: editor.waitingKey
                waiting: editor.waitingKey
                placeholder: editor.macroEditorLang[14]
            }
            Text {
                objectName: "byteCount"
                x: 240
                y: 392
                visible: editor.macroName !== ""
                text: editor.byteCount + " / " + MacroCode.deviceMacroSize
                color: editor.isFull ? Style.pendingColor : Style.dimColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize0
            }

            // Recording, the delay option and the repeat count.
            Column {
                x: 464
                y: 34
                spacing: 16
                TextButton {
                    objectName: "recordButton"
                    width: 210
                    height: 36
                    pixelSize: Style.fontSize2
                    text: (editor.recording ? "● " : "") + editor.macroEditorLang[editor.recording ? 5 : 8]
                    accent: editor.recording ? Style.pendingColor : "transparent"
                    enabled: editor.macroName !== ""
                    onClicked: editor.toggleRecord()
                }
                CheckBox {
                    objectName: "delayOption"
                    text: editor.macroEditorLang[9]
                    checked: editor.recordDelay
                    onToggled: (on) => editor.recordDelay = on
                }
                Row {
                    spacing: 10
                    Heading {
                        anchors.verticalCenter: parent.verticalCenter
                        text: editor.macroEditorLang[6]
                    }
                    RectInput {
                        id: repeatInput
                        objectName: "repeatInput"
                        width: 80
                        numeric: true
                        minimum: 1
                        maximum: MacroCode.maxRepeat
                        enabled: editor.macroName !== "" && !editor.recording
                        value: editor.repeat
                        accessibleName: editor.macroEditorLang[6]
                        onEdited: (t) => editor.setRepeat(t)
                    }
                }
                Text {
                    objectName: "captureHint"
                    width: 210
                    visible: (editor.recording || editor.waitingKey) && editor.captureHint !== ""
                    text: editor.captureHint
                    wrapMode: Text.WordWrap
                    color: Style.pendingColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                Text {
                    objectName: "fullNotice"
                    width: 210
                    visible: editor.stoppedFull
                    text: editor.macroEditorLang[18]
                    wrapMode: Text.WordWrap
                    color: Style.pendingColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                    Accessible.role: Accessible.AlertMessage
                    Accessible.name: text
                }
            }
            TextButton {
                objectName: "okButton"
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 16
                text: editor.macroEditorLang[7]
                onClicked: editor.finish()
            }

            MacroActionMenu {
                id: actionMenu
                objectName: "actionMenu"
                z: 20
                visible: editor.menuOpen
                x: editor.menuAt.x
                y: editor.menuAt.y
                entries: editor.menuEntries.map(function (e) { return [editor.macroEditorLang[e[0]], e[1], e[2]] })
                // The menu has the keyboard while it is open, and gives it back to the action list.
                onVisibleChanged: if (visible) forceActiveFocus()
                onChosen: (command) => {
                    actionList.takeFocus()
                    editor.menuCommand(command)
                }
                onDismissed: {
                    editor.menuOpen = false
                    actionList.takeFocus()
                }
            }
        }
    }
}
