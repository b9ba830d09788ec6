// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The save model: pages keep changes pending until Save, which sends them in a fixed order; profile
// changes and the factory reset read the profile anew and send it.
ZephraTestCase {
    name: "SaveModel"

    function test_save_with_nothing_pending_sends_nothing() {
        requireStandIn()
        startUp()
        verify(!root.isPending)
        root.saveAll()
        compare(deviceCalls(), [])
        compare(standIn.enabled, true)
    }

    function test_save_sends_in_order_and_clears_flags() {
        requireStandIn()
        startUp()
        page("keyMatrixMain").setEntry(2, [5, 0, 3, 0])
        page("dpiSettingMain").setStageFromSlider(0, 161)
        page("lightControlMain").setSpeed(3)
        page("lodBoxMain").setValue(89)
        verify(root.isPending)
        recorder.clear()
        root.saveAll()
        // The busy indicator shows before anything is sent (the uploads block the window).
        verify(findChild(root, "protectUIItem").visible)
        compare(deviceCalls(), [])
        settle()
        var sends = deviceCalls().filter(function (n) { return n.indexOf("mouse") === 0 })
        compare(sends, ["mouseSetKeyMatrix", "mouseSetDpi", "mouseSetRGBColor", "mouseSetRGBEffect",
                        "mouseSetRGBEffect", "mouseSetReportRate"])
        var matrix = lastArgs("mouseSetKeyMatrix")
        compare(numbers(matrix[0]).slice(8, 12), [5, 0, 3, 0])
        compare(matrix[1], true)
        compare(numbers(matrix[2]), [9, 9, 9])
        compare(numbers(lastArgs("mouseSetDpi")[2])[0], 6000)
        compare(numbers(lastArgs("mouseSetReportRate")), [90, 0])
        verify(!root.isPending)
        compare(standIn.enabled, true)
        // The stored DPI values went to the profile before sending.
        compare(numbers(standIn.profileValue(0, "mouse/dpiValueArray"))[0], 6000)
    }

    function test_lift_off_ends() {
        requireStandIn()
        startUp()
        var lod = page("lodBoxMain")
        var rows = [{ v: 3, sent: 125, label: "0mm" }, { v: 89, sent: 90, label: "2mm" }]
        for (var i = 0; i < rows.length; ++i) {
            lod.setValue(rows[i].v)
            compare(lod.slider.text, rows[i].label)
            compare(standIn.profileValue(0, "mouse/reportRate"), rows[i].v)
            recorder.clear()
            root.saveAll()
            settle()
            compare(numbers(lastArgs("mouseSetReportRate"))[0], rows[i].sent)
        }
    }

    function test_save_button_turns_red_while_pending() {
        startUp()
        var save = findChild(root, "saveButton")
        verify(!Qt.colorEqual(save.accent, "#ff3030"))
        page("lightControlMain").setMode(2)
        verify(Qt.colorEqual(save.accent, "#ff3030"))
    }

    function test_selecting_the_profile_in_use_does_nothing() {
        requireStandIn()
        startUp()
        root.changeProfile(root.profileNo)
        compare(deviceCalls(), [])
    }

    function test_profile_change_reads_and_sends_the_new_profile() {
        requireStandIn()
        startUp(function () {
            standIn.setProfileValue(2, "mouse/reportRate", "46")
            standIn.setProfileValue(2, "mouse/dpiValueArray", ["400", "800", "1600", "3200", "5000", "6000", "7000", "8000"])
        })
        root.changeProfile(2)
        settle()
        compare(lastArgs("setGlobalData")[0], "mouse/profileNo")
        compare(Number(lastArgs("setGlobalData")[1]), 2)
        compare(numbers(lastArgs("setCurrentProfile")), [2])
        var sends = deviceCalls().filter(function (n) { return n.indexOf("mouseSet") === 0 })
        compare(sends, ["mouseSetKeyMatrix", "mouseSetReportRate", "mouseSetDpi", "mouseSetRGBColor",
                        "mouseSetRGBEffect", "mouseSetRGBEffect", "mouseSetCursorSpeed",
                        "mouseSetDoubleClickSpeed", "mouseSetVerticalScrollLines"])
        compare(numbers(lastArgs("mouseSetReportRate"))[0], 108)
        compare(numbers(lastArgs("mouseSetDpi")[2]).slice(0, 2), [400, 800])
        verify(!root.isPending)
        compare(standIn.enabled, true)
    }

    function test_factory_reset() {
        requireStandIn()
        startUp(function () {
            standIn.setGlobal("mouse/profileNo", 1)
            standIn.setDefault("mouse/reportRate", 20)
        })
        page("lightControlMain").setMode(1)
        tryCompare(findChild(root, "panels"), "visible", true, 3000)
        mouseClick(findChild(root, "factoryResetButton"))
        verify(findChild(root, "confirmBox").visible)
        verify(findChild(root, "mask").visible)
        recorder.clear()
        mouseClick(findChild(findChild(root, "confirmBox"), "okButton"))
        verify(!findChild(root, "confirmBox").visible)
        settle()
        compare(numbers(lastArgs("resetProfile")), [1])
        compare(numbers(lastArgs("mouseSetCurrentDPI")), [2])
        compare(page("dpiSettingMain").currentStage, 1)
        compare(numbers(lastArgs("mouseSetReportRate"))[0], 125 - parseInt(17 * 35 / 86))
        compare(recorder.count("mouseSendGundata"), 3)
        compare(numbers(lastArgs("mouseSendGundata")[1]), [0, 0, 8])
        verify(!root.isPending)
    }

    function test_confirm_box_stays_inside_the_window() {
        startUp()
        var box = findChild(root, "confirmBox")
        box.open()
        compare(box.x, (1024 - box.width) / 2)
        box.moveTo(-50, 900)
        compare(box.x, 0)
        compare(box.y, 640 - box.height)
        box.moveTo(2000, -3)
        compare(box.x, 1024 - box.width)
        compare(box.y, 0)
    }
}
