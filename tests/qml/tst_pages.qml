// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The DPI, lighting and system settings pages and the window chrome.
ZephraTestCase {
    name: "Pages"

    function test_dpi_sliders_and_stage_count() {
        requireStandIn()
        startUp(function () {
            standIn.setGlobal("mouse/minDPI", "100")
            standIn.setGlobal("mouse/maxDPI", "16000")
            standIn.setGlobal("mouse/dpiBase", "100")
            standIn.setGlobal("mouse/sensorType", "3389")
            standIn.setProfileValue(0, "mouse/dpiCount", "8")
            standIn.setProfileValue(0, "mouse/currentDpiCount", "6")
        })
        var dpi = page("dpiSettingMain")
        compare(dpi.currentDpiCount, 6)
        compare(findChild(dpi, "stageCount").model.length, 8)
        verify(findChild(dpi, "stage5") !== null)
        compare(findChild(dpi, "stage6"), null)
        dpi.setStageFromSlider(2, 82)
        compare(dpi.dpiValues[2], 8000)
        dpi.setStageCount(3)
        verify(dpi.isSave)
        root.saveAll()
        settle()
        var sent = lastArgs("mouseSetDpi")
        compare(Number(sent[0]), 3)
        compare(sent[1], "3389")
        compare(numbers(sent[2]), [500, 1000, 8000, 2000, 3000, 4000, 5000, 6000])
        compare(Number(standIn.profileValue(0, "mouse/currentDpiCount")), 3)
    }

    function test_dpi_reset_reads_the_default_values_only() {
        requireStandIn()
        startUp(function () {
            standIn.setDefault("mouse/dpiValueArray", [400, 800, 1200, 1600, 2000, 2400, 2800, 3200])
            standIn.setDefault("mouse/currentDpiCount", 8)
        })
        var dpi = page("dpiSettingMain")
        findChild(dpi, "resetButton").clicked()
        compare(dpi.dpiValues, [400, 800, 1200, 1600, 2000, 2400, 2800, 3200])
        compare(dpi.currentDpiCount, 4)
        verify(dpi.isSave)
    }

    function test_lighting_modes_data() {
        return [
            { tag: "plain", colorful: false, is55328: false, count: 4, last: "OFF" },
            { tag: "55328", colorful: false, is55328: true, count: 5, last: "Breath Loop" },
            { tag: "full colour", colorful: true, is55328: false, count: 11, last: "Spotlight" },
            { tag: "both", colorful: true, is55328: true, count: 12, last: "Breath Loop" }
        ]
    }
    function test_lighting_modes(row) {
        requireStandIn()
        startUp(function () {
            standIn.setGlobal("mouse/isColorful", row.colorful)
            standIn.setGlobal("mouse/is55328", row.is55328)
        })
        var modes = findChild(page("lightControlMain"), "modeList").model
        compare(modes.length, row.count)
        compare(modes[modes.length - 1], row.last)
    }

    function test_55328_eighth_colour_is_black_unless_breath_loop() {
        requireStandIn()
        startUp(function () { standIn.setGlobal("mouse/is55328", true) })
        var light = page("lightControlMain")
        light.setColor(7, "#ff8000")
        light.setMode(1)
        root.saveAll()
        settle()
        var colours = numbers(lastArgs("mouseSetRGBColor")[1])
        compare(Number(lastArgs("mouseSetRGBColor")[0]), 1)
        compare(colours.slice(21), [0, 0, 0])
        compare(numbers(standIn.profileValue(0, "mouse/colorValue")).slice(21), [0, 0, 0])
        light.setColor(7, "#ff8000")
        light.setMode(4)
        verify(light.showSpeed && !light.showBrightness)
        root.saveAll()
        settle()
        compare(numbers(lastArgs("mouseSetRGBColor")[1]).slice(21), [255, 128, 0])
        compare(numbers(lastArgs("mouseSetRGBEffect")), [4, 2, 4])
        compare(recorder.count("mouseSetRGBEffect"), 4)
    }

    function test_system_settings_apply_at_once() {
        requireStandIn()
        startUp()
        var system = page("systemSettingMain")
        root.openDialog(system)   // its controls are made when it first opens
        system.setMouseRate(337)
        compare(numbers(lastArgs("mouseSetCursorSpeed")), [10])
        system.setDoubleRate(4)
        compare(numbers(lastArgs("mouseSetDoubleClickSpeed")), [1])
        system.setScrollLines(1000)
        compare(numbers(lastArgs("mouseSetVerticalScrollLines")), [1000])
        compare(Number(standIn.profileValue(0, "mouse/scrollRate")), 1000)
        verify(findChild(system, "screenOption").checked)
        verify(!root.isPending)
    }

    function test_stored_scroll_above_100_selects_one_screen() {
        requireStandIn()
        startUp(function () { standIn.setProfileValue(0, "mouse/scrollRate", "250") })
        var system = page("systemSettingMain")
        root.openDialog(system)
        verify(findChild(system, "screenOption").checked)
        verify(!findChild(system, "linesOption").checked)
        compare(system.scrollRate, 1000)
    }

    function test_dragging_moves_the_window() {
        requireStandIn()
        startUp()
        mousePress(root, 500, 300)
        mouseMove(root, 515, 296)
        mouseRelease(root, 515, 296)
        var names = recorder.names()
        var x = names.indexOf("ui_Ctl.onXChanged")
        verify(x >= 0)
        compare(names[x + 1], "ui_Ctl.onYChanged")
        compare(numbers(lastArgs("ui_Ctl.onXChanged")), [15])
        compare(numbers(lastArgs("ui_Ctl.onYChanged")), [-4])
    }

    function test_window_buttons() {
        requireStandIn()
        startUp()
        tryCompare(findChild(root, "panels"), "visible", true, 3000)
        mouseClick(findChild(root, "minButton"))
        mouseClick(findChild(root, "closeButton"))
        compare(recorder.names(), ["ui_Ctl.onMinimize", "ui_Ctl.onClose"])
        mouseClick(findChild(root, "askButton"))
        verify(findChild(root, "askMenu").visible)
        root.mainFocus()
        verify(!findChild(root, "askMenu").visible)
        // The menu always ends the program (the only way without a tray).
        mouseClick(findChild(root, "askButton"))
        mouseClick(findChild(root, "askEntry3"))
        compare(recorder.names().slice(-1), ["ui_Ctl.quit"])
        verify(!findChild(root, "askMenu").visible)
    }
}
