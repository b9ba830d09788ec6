// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// What the interface leaves on the mouse, read from the virtual mouse behind the real view: a recording cut
// at the size limit releases every key it pressed, and a profile switch uploads the macros the new
// profile's buttons are bound to.
ZephraTestCase {
    name: "MouseSide"

    function requireMouse() {
        if (typeof virtualMouse === "undefined" || virtualMouse === null)
            skip("needs the virtual mouse behind the real view")
    }

    // The 128 bytes of a device macro: `head` and then zeros.
    function deviceMacro(head) {
        var out = head.slice()
        while (out.length < 128)
            out.push(0)
        return out
    }

    function sameBytes(held, head) {
        return JSON.stringify(held) === JSON.stringify(deviceMacro(head))
    }

    function bindMacro(button, name) {
        ui_View.setDataList("mouseKeyMatrix/" + button, [4, 0, button, 0])
        ui_View.setData("mouseMacroKey/" + button, name)
    }

    function test_a_recording_cut_at_the_limit_leaves_no_key_pressed() {
        requireMouse()
        startUp(function () {
            ui_View.updataNameList(0, ["Burst"])
            ui_View.createMacroIni("Burst", 0)
            bindMacro(3, "Burst")
        })
        var editor = page("macroEditorMain")
        root.openDialog(editor)
        findChild(editor, "delayOption").toggled(false)
        editor.startRecord()
        for (var i = 0; i < 52; ++i) {
            root.detectKeyboard(true, 0x08)    // E
            root.detectKeyboard(false, 0x08)
        }
        verify(!editor.recording)
        // Repeat count 1, then 31 presses of E each followed by its release, then the end pair: 128 bytes.
        var expected = [0, 1]
        for (var k = 0; k < 31; ++k)
            expected = expected.concat([0x01, 0x08, 0x81, 0x08])
        compare(virtualMouse.macro(4), deviceMacro(expected.concat([0, 0])))
    }

    function test_a_profile_switch_uploads_the_macros_its_buttons_run() {
        requireMouse()
        startUp(function () {
            ui_View.updataNameList(0, ["Burst", "Spray"])
            ui_View.createMacroIni("Burst", 0)
            ui_View.saveMacroIni("Burst", ["1,A", "2,A"], 2)
            ui_View.createMacroIni("Spray", 0)
            ui_View.saveMacroIni("Spray", ["1,B", "0,50", "2,B"], 1)
            ui_View.updataNameList(2, ["Standard0", "Second1"])
            ui_View.setCurrentProfile(1)
            bindMacro(5, "Spray")
            ui_View.setCurrentProfile(0)
            bindMacro(5, "Burst")
        })
        virtualMouse.forgetMacros()
        // Button 5 runs macro 6 in both profiles: each switch leaves that profile's macro there.
        root.changeProfile(1)
        tryVerify(function () { return sameBytes(virtualMouse.macro(6), [0, 1, 0x05, 0x05, 0x81, 0x05, 0, 0]) })
        root.changeProfile(0)
        tryVerify(function () { return sameBytes(virtualMouse.macro(6), [0, 2, 0x01, 0x04, 0x81, 0x04, 0, 0]) })
    }
}
