// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The window by keyboard alone, and the questions asked before something is lost: Tab goes through the
// main window's controls and round an open dialog only, Escape closes it, the keys operate the controls;
// deleting a macro or a profile and switching profile with unsaved changes ask first.
ZephraTestCase {
    name: "Keyboard"

    function focused() {
        return root.Window.activeFocusItem
    }

    function tab(times) {
        for (var i = 0; i < times; ++i)
            keyClick(Qt.Key_Tab)
    }

    // The objectNames met by pressing Tab until the focus is back where it started.
    function tabRound() {
        var start = focused()
        var names = []
        for (var i = 0; i < 200; ++i) {
            keyClick(Qt.Key_Tab)
            if (focused() === start)
                return names
            verify(focused().visible, "a hidden item has the focus")
            // A text field's focus is on the input inside it.
            names.push(focused().objectName || focused().parent.objectName)
        }
        fail("Tab never came round")
    }

    function test_tab_reaches_the_main_window_controls() {
        startUp()
        page("saveButton").forceActiveFocus()
        var names = tabRound()
        var wanted = ["profileList", "askButton", "minButton", "closeButton", "resetButton", "keyEntry0", "keyEntry5",
                      "lodSlider", "lodEnable", "stageCount", "stageButton", "slider", "valueInput", "modeList",
                      "brightnessSlider", "colour0", "colour7", "macroEditorButton", "systemSettingButton",
                      "configButton", "factoryResetButton"]
        for (var i = 0; i < wanted.length; ++i)
            verify(names.indexOf(wanted[i]) >= 0, wanted[i] + " is not reached by Tab")
        compare(names.indexOf("keyEntry" + page("mouseMain").keyCount), -1)   // entries not shown are skipped
    }

    function test_tab_goes_round_an_open_dialog_and_escape_closes_it() {
        startUp()
        var button = page("systemSettingButton")
        button.forceActiveFocus()
        keyClick(Qt.Key_Space)
        var dialog = page("systemSettingMain")
        verify(dialog.visible)
        dialog.setScrollLines(3)
        verify(dialog.holds(focused()))
        // Round the eight controls (two sliders, two options and the line count, Reset, OK, the close
        // button) back to the first.
        var names = tabRound()
        compare(names.length, 7)
        for (var i = 0; i < 12; ++i) {
            keyClick(Qt.Key_Backtab)
            verify(dialog.holds(focused()), "Shift+Tab left the dialog")
        }
        keyClick(Qt.Key_Escape)
        verify(!dialog.visible)
        compare(focused(), button)
    }

    function test_keys_operate_the_controls() {
        startUp()
        // A DPI slider steps by the DPI step; the key list opens an entry, Escape cancels it.
        var dpi = page("dpiSettingMain")
        var before = dpi.dpiValues[0]
        findChild(page("stage0"), "slider").forceActiveFocus()
        keyClick(Qt.Key_Right)
        compare(dpi.dpiValues[0], before + dpi.dpiBase)
        keyClick(Qt.Key_Left)
        keyClick(Qt.Key_Left)
        compare(dpi.dpiValues[0], before - dpi.dpiBase)
        dpi.setStageCount(2)
        findChild(page("stage1"), "stageButton").forceActiveFocus()
        keyClick(Qt.Key_Return)
        compare(dpi.currentStage, 1)

        page("keyEntry2").forceActiveFocus()
        keyClick(Qt.Key_Return)
        var dialog = page("keyAssigmentMain")
        verify(dialog.visible)
        compare(dialog.selectKey, 2)
        dialog.chooseFixed("0000F100")
        keyClick(Qt.Key_Escape)
        verify(!dialog.visible)
        compare(page("keyMatrixMain").keyList[2].codes, [0, 0, 0xF2, 0])   // cancelled: unchanged
        // The one left click refuses, and says why.
        page("keyEntry0").forceActiveFocus()
        keyClick(Qt.Key_Space)
        verify(!dialog.visible)
        verify(findChild(page("keyMatrixMain"), "refusalNotice").visible)
    }

    function test_macro_editor_by_keyboard() {
        var stored = []
        for (var i = 0; i < 40; ++i)
            stored.push(i % 2 ? "0,30" : "1,A", i % 2 ? "2,A" : "0,20")
        startUp(function () {
            ui_View.updataNameList(0, ["Burst"])
            ui_View.createMacroIni("Burst", 0)
            ui_View.saveMacroIni("Burst", stored, 3)
        })
        var editor = page("macroEditorMain")
        root.openDialog(editor)
        // An edit keeps the list where it was scrolled to; Delete removes the current action.
        var view = findChild(editor, "actionListView")
        view.positionViewAtEnd()
        var y = view.contentY
        verify(y > 0)
        editor.currentAction = 77
        view.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(editor.currentAction, 78)
        keyClick(Qt.Key_Delete)
        compare(editor.actions.length, 79)
        compare(view.contentY, y - 24)   // one row less below: still at the end, not back at the top
        // The repeat count refuses 0 and shows the stored count again when left.
        var times = findChild(editor, "repeatInput")
        times.takeFocus()
        keyClick(Qt.Key_0)
        compare(times.text, "0")
        keyClick(Qt.Key_Tab)
        tryCompare(times, "text", "3")
        compare(editor.repeat, 3)
    }

    function test_scroll_one_screen_right_after_typing_a_line_count() {
        startUp()
        var system = page("systemSettingMain")
        root.openDialog(system)
        var lines = findChild(system, "linesInput")
        lines.takeFocus()
        keyClick(Qt.Key_7)
        mouseClick(findChild(system, "screenOption"))
        compare(system.scrollRate, 1000)
        compare(String(ui_View.getData("mouse/scrollRate", false)), "1000")
    }

    function test_deleting_asks_first_data() {
        return [{ tag: "cancel", answer: "cancelButton", deleted: false }, { tag: "ok", answer: "okButton", deleted: true }]
    }
    function test_deleting_asks_first(row) {
        startUp(function () {
            ui_View.updataNameList(0, ["Burst", "Spray"])
            ui_View.createMacroIni("Burst", 0)
            ui_View.createMacroIni("Spray", 0)
            ui_View.updataNameList(2, ["Standard0", "FPS1"])
        })
        var box = page("confirmBox")
        var editor = page("macroEditorMain")
        root.openDialog(editor)
        findChild(editor, "deleteButton").clicked()
        verify(box.visible)
        compare(box.text, "Delete Burst")
        compare(focused().objectName, "cancelButton")   // the keyboard starts on Cancel
        mouseClick(findChild(box, row.answer))
        verify(!box.visible)
        compare(editor.macroNames, row.deleted ? ["Spray"] : ["Burst", "Spray"])
        editor.finish()

        var profiles = page("profileMain")
        root.openDialog(profiles)
        profiles.currentIndex = 1
        findChild(profiles, "deleteButton").clicked()
        verify(box.visible)
        compare(box.text, "Delete FPS")
        mouseClick(findChild(box, row.answer))
        compare(profiles.profiles.length, row.deleted ? 1 : 2)
    }

    function test_a_profile_switch_asks_about_unsaved_changes() {
        startUp(function () { ui_View.updataNameList(2, ["Standard0", "FPS1"]) })
        var box = page("confirmBox")
        var dpi = page("dpiSettingMain")
        dpi.setStageCount(2)
        // Cancel: nothing changes, the change still waits.
        root.changeProfile(1)
        verify(box.visible)
        keyClick(Qt.Key_Escape)
        verify(!box.visible)
        settle()
        compare(root.profileNo, 0)
        verify(dpi.isSave)
        // Save: the change goes to the profile it was made in, then the switch.
        root.changeProfile(1)
        mouseClick(findChild(box, "okButton"))
        settle()
        compare(root.profileNo, 1)
        verify(!root.isPending)
        ui_View.setCurrentProfile(0)
        compare(String(ui_View.getData("mouse/currentDpiCount", false)), "2")
        ui_View.setCurrentProfile(1)
        // Discard: the switch without saving.
        dpi.setStageCount(3)
        root.changeProfile(0)
        mouseClick(findChild(box, "otherButton"))
        settle()
        compare(root.profileNo, 0)
        compare(dpi.currentDpiCount, 2)
        verify(!root.isPending)
    }
}
