// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common/Formulas.js" as Formulas
import "qrc:/modules/qml/common/KeyFunctions.js" as KeyFunctions
import "qrc:/modules/qml/common/Values.js" as Values

// The arithmetic of the pages, row by row against the worked values.
TestCase {
    name: "Formulas"

    function test_lift_off_values_data() {
        return [
            { tag: "low end", v: 3, sent: 125, label: "0mm" },
            { tag: "middle", v: 46, sent: 108, label: "1mm" },
            { tag: "45", v: 45, sent: 108, label: "0.9mm" },
            { tag: "high end", v: 89, sent: 90, label: "2mm" }
        ]
    }
    function test_lift_off_values(row) {
        compare(Formulas.lodSendValue(row.v), row.sent)
        compare(Formulas.lodLabel(row.v), row.label)
    }

    function test_dpi_slider_data() {
        return [
            { tag: "low end", p: 3, min: 200, max: 6000, base: 50, dpi: 200 },
            { tag: "high end", p: 161, min: 200, max: 6000, base: 50, dpi: 6000 },
            { tag: "step down", p: 50, min: 200, max: 6000, base: 50, dpi: 1900 },
            { tag: "step 100", p: 82, min: 100, max: 16000, base: 100, dpi: 8000 }
        ]
    }
    function test_dpi_slider(row) {
        compare(Formulas.dpiFromSlider(row.p, row.min, row.max, row.base), row.dpi)
        // The position shown for a value gives that value back.
        var p = Formulas.sliderFromDpi(row.dpi, row.min, row.max, row.base)
        compare(Formulas.dpiFromSlider(p, row.min, row.max, row.base), row.dpi)
    }

    function test_speed_index_data() {
        return [
            { tag: "3", p: 3, i: 0 }, { tag: "4", p: 4, i: 1 }, { tag: "36", p: 36, i: 1 },
            { tag: "37", p: 37, i: 2 }, { tag: "171", p: 171, i: 5 }, { tag: "305", p: 305, i: 10 },
            { tag: "337", p: 337, i: 10 }
        ]
    }
    function test_speed_index(row) {
        compare(Formulas.speedIndex(row.p), row.i)
    }

    function test_light_controls_data() {
        var prev = { speed: true, brightness: true }
        return [
            { tag: "static", mode: 0, s: false, b: true, is55328: false },
            { tag: "breath", mode: 1, s: true, b: false, is55328: false },
            { tag: "off", mode: 3, s: false, b: false, is55328: false },
            { tag: "4 plain", mode: 4, s: false, b: true, is55328: false },
            { tag: "4 on 55328", mode: 4, s: true, b: false, is55328: true },
            { tag: "5", mode: 5, s: true, b: true, is55328: false },
            { tag: "7", mode: 7, s: false, b: true, is55328: false },
            { tag: "8 keeps previous", mode: 8, s: prev.speed, b: prev.brightness, is55328: false, prev: prev }
        ]
    }
    function test_light_controls(row) {
        var shown = Formulas.lightControls(row.mode, row.is55328, row.prev || { speed: false, brightness: false })
        compare(shown.speed, row.s)
        compare(shown.brightness, row.b)
    }

    function test_fixed_entry_codes_data() {
        return [
            { tag: "left", text: "0000F000", codes: [0, 0, 0xF0, 0] },
            { tag: "double", text: "00f01e02", codes: [0, 0xF0, 0x1E, 2] },
            { tag: "player", text: "03008301", codes: [3, 0, 0x83, 1] },
            { tag: "max", text: "06042c1b", codes: [6, 4, 0x2C, 0x1B] },
            { tag: "sniper", text: "05000400", codes: [5, 0, 4, 0] }
        ]
    }
    function test_fixed_entry_codes(row) {
        compare(KeyFunctions.codesFromText(row.text), row.codes)
    }

    function test_combination() {
        var c = KeyFunctions.newCombination()
        c = KeyFunctions.addToCombination(c, 0xE0, "LCtrl")
        c = KeyFunctions.addToCombination(c, 0xE1, "LShift")
        c = KeyFunctions.addToCombination(c, 0x04, "A")
        compare(c.codes, [2, 0x03, 0x04, 0])
        c = KeyFunctions.addToCombination(c, 0xE7, "RWin")
        c = KeyFunctions.addToCombination(c, 0x05, "B")
        c = KeyFunctions.addToCombination(c, 0x06, "C")
        compare(c.codes, [2, 0x83, 0x04, 0x05])
        compare(c.text, "LCtrl + LShift + A + RWin + B")
    }

    function test_colours_data() {
        return [
            { tag: "red", text: "#ff0000", rgb: [255, 0, 0], hsv: [0, 1, 1] },
            { tag: "green", text: "00ff00", rgb: [0, 255, 0], hsv: [1 / 3, 1, 1] },
            { tag: "blue", text: " #0000FF ", rgb: [0, 0, 255], hsv: [2 / 3, 1, 1] },
            { tag: "orange", text: "#ff8000", rgb: [255, 128, 0], hsv: [128 / 255 / 6, 1, 1] },
            { tag: "magenta, dark", text: "#800080", rgb: [128, 0, 128], hsv: [5 / 6, 1, 128 / 255] },
            { tag: "grey has no hue", text: "#808080", rgb: [128, 128, 128], hsv: [0, 0, 128 / 255] },
            { tag: "black", text: "#000000", rgb: [0, 0, 0], hsv: [0, 0, 0] },
            { tag: "too short", text: "#ff800", rgb: null },
            { tag: "not hex", text: "#gg0000", rgb: null }
        ]
    }
    function test_colours(row) {
        compare(Formulas.parseColorText(row.text), row.rgb)
        if (!row.rgb)
            return
        var hsv = Formulas.rgbToHsv(row.rgb[0], row.rgb[1], row.rgb[2])
        fuzzyCompare(hsv.h, row.hsv[0], 1e-9)
        fuzzyCompare(hsv.s, row.hsv[1], 1e-9)
        fuzzyCompare(hsv.v, row.hsv[2], 1e-9)
        compare(Formulas.hsvToRgb(hsv.h, hsv.s, hsv.v), row.rgb)
    }

    function test_typed_dpi_values_data() {
        return [
            { tag: "on a step", v: 1600, dpi: 1600 }, { tag: "rounded to the step", v: 1624, dpi: 1600 },
            { tag: "rounded up", v: 1625, dpi: 1650 }, { tag: "below the range", v: 10, dpi: 200 },
            { tag: "above the range", v: 90000, dpi: 6000 }
        ]
    }
    function test_typed_dpi_values(row) {
        compare(Formulas.dpiSnapped(row.v, 200, 6000, 50), row.dpi)
    }

    function test_values_from_settings() {
        compare(Values.toInt("45", 0), 45)
        compare(Values.toInt(undefined, 7), 7)
        compare(Values.toBool("false", true), false)
        compare(Values.toBool("true", false), true)
        compare(Values.toIntList(["1", "x"], 3, [9, 8, 7]), [1, 8, 7])
        compare(Values.mergeTexts(["a", "b", "c"], []), ["a", "b", "c"])
        compare(Values.mergeTexts(["a", "b", "c"], ["x"]), ["x", "b", "c"])
        compare(Values.mergeTexts(["a", "b", "c"], ["x", "", "z", "w"]), ["x", "b", "z", "w"])
    }
}
