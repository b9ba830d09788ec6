// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The macro editor: the macro list, recording from the keyboard hook, the action menu, and what the root
// does when a macro changes, is deleted or renamed.
ZephraTestCase {
    name: "MacroEditor"

    property var editor: null

    // Starts with the macro list `names`, each macro stored with `stored` (texts, then the repeat count).
    function startWith(names, stored) {
        startUp(function () {
            ui_View.updataNameList(0, names)
            for (var i = 0; i < names.length; ++i) {
                ui_View.createMacroIni(names[i], 0)
                if (stored)
                    ui_View.saveMacroIni(names[i], stored.slice(0, -1), stored[stored.length - 1])
            }
        })
        editor = page("macroEditorMain")
        root.openDialog(editor)
        verify(editor.visible)
        if (onStandIn)
            recorder.clear()
    }

    function key(usage, isDown) {
        root.detectKeyboard(isDown, usage)
    }

    function texts() {
        return editor.actions.map(function (a) { return a.type + "," + a.info })
    }

    function test_opening_shows_the_first_macro() {
        startWith(["Burst", "Spray"], ["1,A", "0,50", "2,A", "4"])
        compare(editor.macroNames, ["Burst", "Spray"])
        compare(editor.macroName, "Burst")
        compare(texts(), ["1,A", "0,50", "2,A"])
        compare(editor.repeat, 4)
        compare(page("keyAssigmentMain").macroNames, ["Burst", "Spray"])
    }

    function test_recording_with_delays() {
        startWith(["Burst"], ["1,Z", "2,Z", "1"])
        editor.toggleRecord()
        verify(editor.recording)
        compare(editor.actions, [])
        editor.ticks = 7
        key(0x04, true)                 // the first key: no delay before it
        editor.ticks = 12
        key(0x04, false)
        editor.ticks = 3
        key(0xF0, true)                 // codes from 0xF0 on are mouse buttons
        compare(texts(), ["1,A", "0,120", "2,A", "0,30", "3,MS-L"])
        if (onStandIn)
            compare(recorder.count("saveMacroIni"), 0)   // not stored one action at a time
        findChild(editor, "recordButton").clicked()
        verify(!editor.recording)
        // Stopping releases what is still held.
        compare(ui_View.loadMacroIni("Burst"), ["1,A", "0,120", "2,A", "0,30", "3,MS-L", "4,MS-L", "1"])
    }

    function test_recording_without_delays_and_mouse_hook_ignored() {
        startWith(["Burst"])
        findChild(editor, "delayOption").toggled(false)
        editor.startRecord()
        editor.ticks = 40
        key(0x05, true)
        editor.ticks = 40
        key(0x05, false)
        root.detectMouse(true, 0xF0, 10, 10)   // mouse buttons come from the hook only as msg_MS
        root.detectMouse(false, 0xF0, 10, 10)
        compare(texts(), ["1,B", "2,B"])
    }

    function test_recording_stops_adding_at_126_bytes() {
        startWith(["Burst"])
        findChild(editor, "delayOption").toggled(false)
        editor.startRecord()
        for (var i = 0; i < 70; ++i) {
            key(0x04, true)
            key(0x04, false)
        }
        // The 31st press came at 124 bytes, its release at 126; the next press would not fit: recording
        // stops by itself and says why.
        compare(editor.actions.length, 62)   // 4 + 62 * 2 = 128 bytes
        compare(editor.byteCount, 128)
        compare(editor.actions[61].type, 2)
        verify(!editor.recording)
        verify(findChild(editor, "fullNotice").visible)
        compare(ui_View.loadMacroIni("Burst").length, 63)
        editor.startRecord()
        verify(!findChild(editor, "fullNotice").visible)
    }

    function test_inserting_a_left_click_in_the_middle() {
        requireStandIn()
        startWith(["Burst"], ["1,A", "0,50", "2,A", "2"])
        editor.currentAction = 1
        verify(editor.menuCommand("left"))
        compare(texts(), ["1,A", "0,50", "3,MS-L", "4,MS-L", "2,A"])
        compare(lastArgs("saveMacroIni"), ["Burst", ["1,A", "0,50", "3,MS-L", "4,MS-L", "2,A"], 2])
        // At the end of the list the pair is appended.
        editor.currentAction = 4
        editor.menuCommand("right")
        compare(texts().slice(5), ["3,MS-R", "4,MS-R"])
    }

    function test_inserting_keys_and_delays() {
        startWith(["Burst"], ["1,A", "2,A", "1,C", "1"])
        editor.currentAction = 1
        editor.menuCommand("delay")
        compare(texts(), ["1,A", "0,50", "2,A", "1,C"])
        compare(editor.currentAction, 1)
        editor.currentAction = 2
        verify(editor.menuCommand("key"))
        verify(findChild(editor, "insertKeyBox").visible)
        key(0xE1, true)                       // the next key pressed goes in before the current action
        key(0xE1, false)
        key(0x05, true)
        compare(texts(), ["1,A", "0,50", "1,LShift", "2,LShift", "2,A", "1,C"])
        verify(!editor.waitingKey)
        editor.setDelay(1, 80)
        editor.currentAction = 0
        editor.menuCommand("delete")
        compare(texts(), ["0,80", "1,LShift", "2,LShift", "2,A", "1,C"])
        compare(ui_View.loadMacroIni("Burst"), ["0,80", "1,LShift", "2,LShift", "2,A", "1,C", "1"])
    }

    function test_menu_refuses_inserts_at_126_bytes() {
        var full = []
        for (var i = 0; i < 61; ++i)
            full.push(i % 2 ? "2,A" : "1,A")
        startWith(["Burst"], full.concat(["1"]))
        compare(editor.byteCount, 126)
        editor.currentAction = 3
        var commands = ["delay", "key", "left", "middle", "right"]
        for (var c = 0; c < commands.length; ++c)
            verify(!editor.menuCommand(commands[c]), commands[c])
        compare(editor.actions.length, 61)
        verify(editor.menuCommand("delete"))   // a full macro can still be made shorter
        compare(editor.actions.length, 60)
    }

    function test_edits_upload_the_macro_to_its_buttons() {
        requireStandIn()
        startUp(function () {
            standIn.setNameList(0, ["Burst", "Other"])
            standIn.setMacro("Burst", ["1,A", "2,A", "1"])
            standIn.setProfileValue(0, "mouseKeyMatrix/3", [4, 0, 3, 0])
            standIn.setProfileValue(0, "mouseKeyMatrix/5", [4, 1, 5, 0])
            standIn.setProfileValue(0, "mouseKeyMatrix/6", [4, 1, 6, 0])
            standIn.setProfileValue(0, "mouseMacroKey/3", "Burst")
            standIn.setProfileValue(0, "mouseMacroKey/5", "Burst")
            standIn.setProfileValue(0, "mouseMacroKey/6", "Other")
        })
        editor = page("macroEditorMain")
        root.openDialog(editor)
        recorder.clear()
        findChild(editor, "repeatInput").edited("3")
        compare(lastArgs("saveMacroIni"), ["Burst", ["1,A", "2,A"], 3])
        var uploads = argsOf("mouseSendMacroData")
        compare(uploads.map(function (u) { return Number(u[1]) }), [3, 5])
        compare(numbers(uploads[0][0]), [0, 3, 0x01, 0x04, 0x81, 0x04, 0, 0])
        editor.selectMacro(1)
        recorder.clear()
        editor.setRepeat(2)
        compare(recorder.count("saveMacroIni"), 1)
        compare(argsOf("mouseSendMacroData").map(function (u) { return Number(u[1]) }), [6])
    }

    function test_new_macros_take_the_smallest_free_name() {
        requireStandIn()
        startWith(["Macro_0", "Macro_2"])
        verify(editor.newMacro())
        compare(deviceCalls(), ["createMacroIni", "updataNameList", "loadMacroIni"])
        compare(lastArgs("createMacroIni"), ["Macro_1", 0])
        compare(lastArgs("updataNameList"), [0, ["Macro_0", "Macro_2", "Macro_1"]])
        compare(editor.macroName, "Macro_1")
        compare(page("keyAssigmentMain").macroNames, ["Macro_0", "Macro_2", "Macro_1"])
    }

    function test_a_101st_macro_is_not_created() {
        var names = []
        for (var i = 0; i < 100; ++i)
            names.push("m" + i)
        requireStandIn()
        startUp(function () { standIn.setNameList(0, names) })
        editor = page("macroEditorMain")
        recorder.clear()
        verify(!editor.newMacro())
        verify(!editor.importMacro())
        compare(editor.macroNames.length, 100)
        compare(recorder.count("createMacroIni"), 0)
        compare(recorder.count("loadMacroFile"), 0)
        compare(recorder.count("updataNameList"), 0)
    }

    function test_import_and_export() {
        requireStandIn()
        startWith(["Macro_0"])
        editor.importMacro()          // cancelled: the new macro is created empty
        compare(deviceCalls().slice(0, 3), ["loadMacroFile", "createMacroIni", "updataNameList"])
        compare(lastArgs("loadMacroFile"), ["Macro_1"])
        standIn.setFileChosen(true)
        recorder.clear()
        editor.importMacro()
        compare(recorder.count("createMacroIni"), 0)
        compare(lastArgs("updataNameList"), [0, ["Macro_0", "Macro_1", "Macro_2"]])
        compare(texts(), ["1,A", "2,A"])
        editor.exportMacro()
        compare(lastArgs("saveMacroFile"), ["Macro_2"])
    }

    function test_import_from_a_file() {
        if (onStandIn)
            skip("reads a file through the real view")
        startWith(["Macro_0"])
        ui_View.deleteMacroIni("Macro_1")
        var file = "import_test.mc"
        verify(testFiles.writeText(file, "[config]\ntotal=2\nrepeat=7\n[macro]\n0=\"1,B\"\n1=\"2,B\"\n"))
        testFiles.setDialogAnswer(file)
        editor.importMacro()
        testFiles.setDialogAnswer("")
        // Named after its file; a second import of it gets a name of its own.
        compare(editor.macroName, "import_test")
        compare(texts(), ["1,B", "2,B"])
        compare(editor.repeat, 7)
        testFiles.setDialogAnswer(file)
        editor.importMacro()
        testFiles.setDialogAnswer("")
        compare(editor.macroNames, ["Macro_0", "import_test", "import_test (2)"])
        compare(ui_View.loadMacroIni("import_test (2)"), ["1,B", "2,B", "7"])
    }

    function test_deleting_a_macro_unbinds_its_buttons() {
        requireStandIn()
        startUp(function () {
            standIn.setNameList(0, ["Burst", "Other"])
            standIn.setMacro("Burst", ["1,A", "2,A", "1"])
            standIn.setMacro("Other", ["1,B", "2,B", "1"])
            standIn.setProfileValue(0, "mouseKeyMatrix/2", [4, 0, 2, 0])
            standIn.setProfileValue(0, "mouseKeyMatrix/4", [4, 0, 4, 0])
            standIn.setProfileValue(0, "mouseMacroKey/2", "Burst")
            standIn.setProfileValue(0, "mouseMacroKey/4", "Other")
            standIn.setDefault("mouseKeyMatrix/2", [5, 0, 1, 0])
        })
        editor = page("macroEditorMain")
        root.openDialog(editor)
        recorder.clear()
        verify(editor.deleteCurrent())
        compare(deviceCalls().filter(function (n) { return n !== "getData" }),
                ["deleteMacroIni", "mouseSetKeyMatrix", "deleteMacroUpdateProfile", "updataNameList", "loadMacroIni"])
        var list = page("keyMatrixMain")
        compare(list.keyList[2].codes, [5, 0, 1, 0])     // the factory entry
        compare(list.keyList[4].codes, [4, 0, 4, 0])     // bound to another macro: kept
        compare(numbers(lastArgs("mouseSetKeyMatrix")[0]).slice(8, 12), [5, 0, 1, 0])
        verify(!list.isSave)
        compare(lastArgs("deleteMacroUpdateProfile"), ["Burst"])
        compare(lastArgs("updataNameList"), [0, ["Other"]])
        compare(editor.macroName, "Other")
        compare(page("keyAssigmentMain").macroNames, ["Other"])
    }

    function test_renaming() {
        startWith(["Burst", "Spray"])
        ui_View.setDataList("mouseKeyMatrix/1", [4, 0, 1, 0])
        ui_View.setData("mouseMacroKey/1", "Spray")
        page("keyMatrixMain").init(false, false)
        if (onStandIn)
            recorder.clear()
        verify(!editor.rename(1, "Burst"))       // a name the list has already
        verify(!editor.rename(1, ""))
        if (onStandIn)
            compare(recorder.count("modifyMacroNameUpdateProfile"), 0)
        verify(editor.rename(1, " Reload "))
        if (onStandIn) {
            compare(deviceCalls().filter(function (n) { return n !== "getData" }),
                    ["modifyMacroNameUpdateProfile", "setData", "updataNameList"])
            compare(lastArgs("setData"), ["mouseMacroKey/1", "Reload"])
        }
        compare(String(ui_View.getData("mouseMacroKey/1", false)), "Reload")
        compare(page("keyMatrixMain").keyList[1].text, "Reload")
        compare(editor.macroNames, ["Burst", "Reload"])
        compare(page("keyAssigmentMain").macroNames, ["Burst", "Reload"])
        compare(ui_View.getNameList(0), ["Burst", "Reload"])
    }

    function test_a_rename_the_store_refuses_changes_nothing() {
        startWith(["Burst", "Spray"])
        ui_View.deleteMacroIni("Spray")          // its file is gone: the store refuses the rename
        verify(!editor.rename(1, "Reload"))
        compare(editor.macroNames, ["Burst", "Spray"])
        compare(ui_View.getNameList(0), ["Burst", "Spray"])
    }

    function test_renaming_in_place() {
        startWith(["Burst", "Spray"])
        var list = findChild(editor, "macroList")
        list.startRename(1)
        compare(editor.currentMacro, 1)
        var input = findChild(list, "renameInput")
        verify(input !== null)
        input.accepted("Hold")
        compare(editor.macroNames, ["Burst", "Hold"])
        compare(list.renaming, -1)
    }
}
