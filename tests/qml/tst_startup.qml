// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// Start-up: the first initUI loads everything once; later calls only guard and re-read the DPI stage.
ZephraTestCase {
    name: "Startup"

    readonly property var groups: ["main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl",
        "macroEditor", "systemSetting", "gunControl", "profile", "keyCode", "other"]

    function test_first_call_loads_language_groups_in_order() {
        requireStandIn()
        createMain(function () {
            standIn.setGlobal("common/language", "Deutsch")
            standIn.setLang("main", ["Bearbeiten", "Makro-Editor"])
            standIn.setLang("keyCode", ["Ä"])
            standIn.setLang("systemSetting", ["Systemeinstellung"])
        })
        root.initUI()
        var requests = argsOf("getLangStrings")
        compare(requests.length, 11)
        for (var i = 0; i < groups.length; ++i) {
            compare(requests[i][0], groups[i])
            compare(requests[i][1], "Deutsch")
        }
        // Supplied texts replace the built-in ones; the rest stay.
        compare(root.mainLang[0], "Bearbeiten")
        compare(root.mainLang[1], "Makro-Editor")
        compare(root.mainLang[10], "Save")
        compare(root.mainLang.length, 15)
        compare(page("systemSettingMain").systemSettingLang[0], "Systemeinstellung")
        compare(page("_KeyCodeString").keycodeTostr(0x04), "Ä")
        compare(page("_KeyCodeString").strTokeycode("Ä"), 0x04)
        compare(page("_KeyCodeString").keycodeTostr(0x05), "B")
    }

    function test_first_call_reads_flags_and_profile() {
        requireStandIn()
        createMain(function () {
            standIn.setGlobal("mouse/isColorful", "true")
            standIn.setGlobal("mouse/isGun", "false")
            standIn.setGlobal("mouse/keyCount", "6")
            standIn.setGlobal("mouse/profileNo", "3")
            standIn.setGlobal("common/url", "https://example.org/z")
        })
        root.initUI()
        verify(root.visible)
        compare(root.isColorful, true)
        compare(root.isGun, false)
        compare(page("mouseMain").keyCount, 6)
        compare(root.url, "https://example.org/z")
        compare(root.profileNo, 3)
        compare(numbers(lastArgs("setCurrentProfile")), [3])
        compare(standIn.currentProfile, 3)
        // Nothing is sent to the mouse at start-up.
        compare(recorder.count("mouseSetKeyMatrix"), 0)
        compare(recorder.count("mouseSetDpi"), 0)
        compare(recorder.count("mouseSetReportRate"), 0)
        compare(page("lodBoxMain").isSave, false)
        verify(root.isPownOn)
    }

    function test_560_device_is_switched_to_profile_1() {
        requireStandIn()
        var cases = [{ answer: 3, sent: [[1]] }, { answer: 1, sent: [] }]
        for (var i = 0; i < cases.length; ++i) {
            createMain(function () {
                standIn.setGlobal("mouse/icType", "560")
                standIn.setCurrentProfileAnswer(cases[i].answer)
            })
            root.initUI()
            compare(argsOf("hid.hid560_02H_SetCurrentProfile").map(numbers), cases[i].sent)
        }
    }

    function test_second_call_only_guards_and_rereads_the_stage() {
        requireStandIn()
        startUp(function () { standIn.setCurrentDpiAnswer(2) })
        compare(page("dpiSettingMain").currentStage, 1)
        standIn.setCurrentDpiAnswer(4)
        var texts = root.mainLang.slice()
        texts[0] = "x"
        root.mainLang = texts
        root.initUI()
        compare(deviceCalls(), ["mouseGetCurrentDPI"])
        compare(page("dpiSettingMain").currentStage, 3)
        compare(root.mainLang[0], "x")
        compare(standIn.enabled, false)
        tryCompare(standIn, "enabled", true, 3000)
    }

    function test_busy_guard_and_power_on_logo() {
        createMain()
        root.initUI()
        verify(page("protectUIItem").visible)
        verify(!page("panels").visible)
        verify(page("background").powerOn)
        tryCompare(page("protectUIItem"), "visible", false, 3000)
        verify(page("panels").visible)
        verify(!page("background").powerOn)
    }

    // What start-up does not need is made on first use: the dialogs' controls, the drop-down lists and a
    // button's highlight on the mouse picture.
    function test_dialogs_and_lists_are_made_when_first_shown() {
        startUp()
        var dialogs = ["keyAssigmentMain", "systemSettingMain", "macroEditorMain", "profileMain"]
        for (var i = 0; i < dialogs.length; ++i) {
            var dialog = page(dialogs[i])
            compare(dialog.bodyItem, null, dialogs[i])
            root.openDialog(dialog)
            verify(dialog.bodyItem !== null, dialogs[i])
            verify(findChild(dialog, "okButton") !== null || findChild(dialog, "newButton") !== null, dialogs[i])
            dialog.close()
            verify(dialog.bodyItem !== null, dialogs[i])   // kept once made
        }
        var modes = findChild(page("lightControlMain"), "modeList")
        compare(findChild(modes, "popup"), null)
        modes.opened = true
        verify(findChild(modes, "popup") !== null)
        modes.close()
        var highlight = findChild(page("mouseMain"), "highlight1")
        compare(String(highlight.source), "")
        page("mouseMain").highlighted = 1
        verify(String(highlight.source).indexOf("key2.png") > 0)
    }

    function test_set_current_dpi() {
        startUp()
        var dpi = page("dpiSettingMain")
        dpi.currentStage = 4
        root.setCurrentDPI(0)
        compare(dpi.currentStage, 4)
        root.setCurrentDPI(3)
        compare(dpi.currentStage, 2)
    }

    function test_key_events_are_reemitted() {
        startUp()
        var spy = createTemporaryObject(signalSpyComponent, this, { target: root, signalName: "msg_KB" })
        root.detectKeyboard(true, 30)
        compare(spy.count, 1)
        compare(spy.signalArguments[0][0], true)
        compare(spy.signalArguments[0][1], 30)
        var mouseSpy = createTemporaryObject(signalSpyComponent, this, { target: root, signalName: "msg_MS" })
        root.detectMouse(true, 240, 100, 200)
        compare(Array.prototype.slice.call(mouseSpy.signalArguments[0]), [true, 240, 100, 200])
    }

    Component {
        id: signalSpyComponent
        SignalSpy {}
    }
}
