.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the settings pages: slider positions, the values they stand for and the values sent.

// Lift-off distance: slider positions 3 to 89.
var lodLow = 3
var lodHigh = 89

// The label of a lift-off position, in millimetres with one decimal (0 to 2 mm).
function lodLabel(v)
{
    return (Math.floor(((v - 3) * 2 / 86) * 10) / 10) + "mm"
}

// The lift-off value handed to the device: 125 at the low end of the slider, 90 at the high end.
function lodSendValue(v)
{
    return 125 - parseInt((v - 3) * 35 / 86)
}

// DPI stage sliders: positions 3 to 161.
var dpiLow = 3
var dpiHigh = 161

// The DPI value of a stage slider position, a multiple of the DPI step.
function dpiFromSlider(p, minDPI, maxDPI, dpiBase)
{
    return Math.floor(((p - 3) * (maxDPI - minDPI) / 158 + minDPI) / dpiBase) * dpiBase
}

// A DPI value typed or stepped with the keys: the nearest multiple of the DPI step, within the values the
// slider gives (its ends are the limits rounded down to the step).
function dpiSnapped(value, minDPI, maxDPI, dpiBase)
{
    var low = Math.floor(minDPI / dpiBase) * dpiBase
    var high = Math.max(low, Math.floor(maxDPI / dpiBase) * dpiBase)
    return Math.max(low, Math.min(high, Math.round(value / dpiBase) * dpiBase))
}

// The slider position that shows a DPI value: the first position whose value reaches it.
function sliderFromDpi(value, minDPI, maxDPI, dpiBase)
{
    if (maxDPI <= minDPI)
        return dpiLow
    var p = 3 + Math.ceil((value - minDPI) * 158 / (maxDPI - minDPI))
    p = Math.max(dpiLow, Math.min(dpiHigh, p))
    while (p > dpiLow && dpiFromSlider(p - 1, minDPI, maxDPI, dpiBase) >= value)
        --p
    return p
}

// Pointer speed and double-click speed sliders: positions 3 to 337, turned into a step 0 to 10 (the
// pointer settings take no step above 10).
var speedLow = 3
var speedHigh = 337
var speedThresholds = [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]

function speedIndex(position)
{
    for (var i = 0; i < speedThresholds.length; ++i)
        if (speedThresholds[i] > position)
            return i
    return speedThresholds.length - 1
}

// Scroll lines: 1000 means one screen per notch; any stored value above 100 stands for that choice.
var scrollOneScreen = 1000
var scrollMaxLines = 100

function isOneScreen(lines)
{
    return lines > scrollMaxLines
}

// Which controls of the lighting page a mode shows: {speed, brightness}. Modes the table does not name
// keep what the previous mode showed.
function lightControls(mode, is55328, previous)
{
    switch (mode) {
    case 0: return { speed: false, brightness: true }
    case 1:
    case 2: return { speed: true, brightness: false }
    case 3: return { speed: false, brightness: false }
    case 4: return is55328 ? { speed: true, brightness: false } : { speed: false, brightness: true }
    case 5: return { speed: true, brightness: true }
    case 6: return { speed: false, brightness: false }
    case 7: return { speed: false, brightness: true }
    default: return { speed: previous.speed, brightness: previous.brightness }
    }
}

// The lighting mode names, as indices into the "lightControl" texts: the four basic modes, then the seven
// effects of full-colour mice, then the breath loop of the 55328 variant.
function lightModeTextIndices(isColorful, is55328)
{
    var out = [1, 2, 3, 4]
    if (isColorful)
        out = out.concat([8, 9, 10, 11, 12, 13, 14])
    if (is55328)
        out.push(15)
    return out
}

// The 24 colour numbers as stored and sent: on the 55328 variant the eighth colour is black except in
// the breath-loop mode (4).
function colorsForSave(colors, is55328, mode)
{
    var out = colors.slice(0, 24)
    while (out.length < 24)
        out.push(0)
    if (is55328 && mode !== 4) {
        out[21] = 0
        out[22] = 0
        out[23] = 0
    }
    return out
}

function colorText(r, g, b)
{
    function hex(v) { var s = Math.max(0, Math.min(255, v)).toString(16); return s.length < 2 ? "0" + s : s }
    return "#" + hex(r) + hex(g) + hex(b)
}

// A colour as typed: "#rrggbb" or "rrggbb" (blanks around it allowed), as [r, g, b]; null for anything else.
function parseColorText(text)
{
    var m = /^\s*#?([0-9a-fA-F]{6})\s*$/.exec(String(text))
    if (!m)
        return null
    var n = parseInt(m[1], 16)
    return [(n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF]
}

// Hue, saturation and value (each 0 to 1) as [r, g, b] (0 to 255).
function hsvToRgb(h, s, v)
{
    var f = (((h % 1) + 1) % 1) * 6
    var i = Math.floor(f)
    var t = f - i
    var p = v * (1 - s), q = v * (1 - s * t), u = v * (1 - s * (1 - t))
    var rgb = [[v, u, p], [q, v, p], [p, v, u], [p, q, v], [u, p, v], [v, p, q]][i % 6]
    return rgb.map(function (c) { return Math.round(c * 255) })
}

// [r, g, b] (0 to 255) as {h, s, v} (each 0 to 1); a grey has hue 0.
function rgbToHsv(r, g, b)
{
    var max = Math.max(r, g, b), min = Math.min(r, g, b), d = max - min
    var h = 0
    if (d > 0) {
        if (max === r)
            h = ((g - b) / d + 6) % 6
        else if (max === g)
            h = (b - r) / d + 2
        else
            h = (r - g) / d + 4
    }
    return { h: h / 6, s: max > 0 ? d / max : 0, v: max / 255 }
}
