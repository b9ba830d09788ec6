// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The button list and the assignment dialog.
ZephraTestCase {
    name: "KeyAssignment"

    property var dialog: null
    property var list: null

    function open(index) {
        startUp()
        dialog = page("keyAssigmentMain")
        list = page("keyMatrixMain")
        root.openAssignment(index)
        verify(dialog.visible)
    }

    function press(usage) {
        root.detectKeyboard(true, usage)
        root.detectKeyboard(false, usage)
    }

    function test_key_combination_takes_modifiers_and_two_keys() {
        open(3)
        dialog.chooseCategory(2)
        dialog.startCapture("group")
        press(0xE0)
        press(0xE1)
        press(0x04)
        compare(dialog.codes, [2, 0x03, 0x04, 0])
        press(0x05)
        press(0x06)   // a third key is ignored
        compare(dialog.codes, [2, 0x03, 0x04, 0x05])
        compare(findChild(dialog, "groupInput").text, "LCtrl + LShift + A + B")
        dialog.finish()
        compare(list.keyList[3].codes, [2, 0x03, 0x04, 0x05])
        verify(list.isSave)
    }

    function test_keys_are_ignored_unless_a_field_waits() {
        open(3)
        dialog.chooseCategory(2)
        press(0x04)
        compare(dialog.codes, [0, 0, 0xF4, 0])
    }

    function test_fire_input() {
        open(1)
        dialog.chooseCategory(1)
        compare(findChild(dialog, "rateList").displayText, "10ms")
        dialog.startCapture("fire")
        press(0x1E)
        press(0x1F)   // only the next key counts
        compare(dialog.codes, [1, 0x1E, 10, 0])
        verify(findChild(dialog, "endlessBox").checked)   // 0 repetitions: endless
        dialog.chooseRate(29)
        compare(findChild(dialog, "rateList").displayText, "30MS")
        dialog.setTimes(5)
        verify(!findChild(dialog, "endlessBox").checked)
        compare(dialog.codes, [1, 0x1E, 30, 5])
        findChild(dialog, "endlessBox").toggled(true)
        compare(dialog.codes, [1, 0x1E, 30, 0])
        compare(findChild(dialog, "timesInput").text, "0")
    }

    function test_fixed_entries_data() {
        return [
            { tag: "media", category: 3, text: "0300e900", codes: [3, 0, 0xE9, 0] },
            { tag: "windows", category: 6, text: "06042c1b", codes: [6, 4, 0x2C, 0x1B] },
            { tag: "shortcut", category: 7, text: "0700e006", codes: [7, 0, 0xE0, 0x06] },
            { tag: "sniper", category: 5, text: "05000400", codes: [5, 0, 4, 0] },
            { tag: "gun", category: 8, text: "08000300", codes: [8, 0, 3, 0] }
        ]
    }
    function test_fixed_entries(row) {
        open(2)
        dialog.chooseCategory(row.category)
        dialog.chooseFixed(row.text)
        dialog.finish()
        compare(list.keyList[2].codes, row.codes)
        verify(list.keyList[2].text !== "")
    }

    function test_cancel_keeps_the_codes() {
        open(2)
        dialog.chooseCategory(3)
        dialog.chooseFixed("0300e200")
        dialog.cancel()
        compare(list.keyList[2].codes, [0, 0, 0xF2, 0])
        verify(!list.isSave)
    }

    function test_closing_unchanged_leaves_nothing_to_save() {
        open(2)
        dialog.finish()
        verify(!list.isSave)
    }

    function test_last_left_click_cannot_be_reassigned() {
        startUp()
        list = page("keyMatrixMain")
        dialog = page("keyAssigmentMain")
        verify(!list.requestAssignment(0))
        verify(!dialog.visible)
        list.setEntry(4, [0, 0, 0xF0, 0])
        verify(list.requestAssignment(0))
        verify(dialog.visible)
    }

    function test_macro_assignment_uploads_to_the_buttons_slot() {
        requireStandIn()
        startUp(function () {
            standIn.setNameList(0, ["Burst", "loaderfennic"])
            standIn.setMacro("Burst", ["1,A", "0,50", "2,A", "1"])
        })
        dialog = page("keyAssigmentMain")
        list = page("keyMatrixMain")
        compare(dialog.macroNames, ["Burst"])
        root.openAssignment(3)
        dialog.chooseCategory(4)
        dialog.chooseMacro("Burst", 1)
        recorder.clear()
        dialog.finish()
        compare(list.keyList[3].codes, [4, 1, 3, 0])
        var upload = lastArgs("mouseSendMacroData")
        compare(numbers(upload[0]), [0, 1, 5, 4, 0x81, 4, 0, 0])
        compare(Number(upload[1]), 3)
        compare(lastArgs("setData")[0], "mouseMacroKey/3")
        compare(lastArgs("setData")[1], "Burst")
        compare(list.keyList[3].text, "Burst")
    }

    function test_reset_restores_factory_entries_and_macros() {
        requireStandIn()
        startUp(function () {
            standIn.setDefault("mouseKeyMatrix/2", [4, 0, 2, 0])
            standIn.setDefault("mouseMacroKey/2", "Burst")
            standIn.setMacro("Burst", ["1,B", "2,B", "1"])
        })
        list = page("keyMatrixMain")
        list.setEntry(1, [3, 0, 0xE2, 0])
        recorder.clear()
        findChild(list, "resetButton").clicked()
        compare(list.keyList[1].codes, [0, 0, 0xF1, 0])
        compare(list.keyList[2].codes, [4, 0, 2, 0])
        compare(Number(lastArgs("mouseSendMacroData")[1]), 2)
        compare(standIn.profileValue(0, "mouseMacroKey/2"), "Burst")
        verify(list.isSave)
        compare(recorder.count("mouseSetKeyMatrix"), 0)
    }

    function test_stored_entries_and_texts() {
        requireStandIn()
        startUp(function () {
            standIn.setProfileValue(0, "mouseKeyMatrix/0", ["0", "0", "240", "0"])
            standIn.setProfileValue(0, "mouseKeyMatrix/1", ["2", "5", "4", "0"])
            standIn.setGlobal("mouse/keyCount", 5)
        })
        list = page("keyMatrixMain")
        compare(list.keyList[0].codes, [0, 0, 0xF0, 0])
        compare(list.keyList[1].text, "LCtrl + LAlt + A")
        compare(list.keyList[7].codes, [0, 0xF0, 0x1E, 2])   // not stored: the built-in entry
        compare(findChild(list, "keyEntry4") !== null, true)
        compare(findChild(list, "keyEntry5"), null)
    }
}
