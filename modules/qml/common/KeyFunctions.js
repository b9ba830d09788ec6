.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// Button assignments: four codes per button (keyCode0 names the function, the others depend on it), the
// fixed entries the assignment dialog offers, and the rules that build codes from captured keys.

// Function numbers (keyCode0); the assignment dialog's categories use the same numbers.
var mouseFunction = 0
var fireFunction = 1
var groupFunction = 2
var mediaFunction = 3
var macroFunction = 4
var dpiFunction = 5
var windowsFunction = 6
var shortcutFunction = 7
var gunFunction = 8

// The category names, as indices into the "keyAssigment" texts, by function number.
var categoryTextIndex = [1, 8, 14, 15, 16, 21, 25, 26, 52]

// Fixed entries per category: [index of the label in the "keyAssigment" texts, the codes as eight
// hexadecimal digits, two per code].
var fixedEntries = {
    0: [[2, "0000F000"], [3, "0000F200"], [4, "0000F100"], [5, "0000F400"], [6, "0000F300"], [7, "00f01e02"]],
    3: [[27, "03008301"], [28, "0300b500"], [29, "0300b600"], [30, "0300b700"], [31, "0300e200"],
        [32, "0300cd00"], [33, "0300e900"], [34, "0300ea00"]],
    5: [[22, "05000100"], [23, "05000200"], [24, "05000300"], [56, "05000400"]],
    6: [[35, "06009401"], [36, "06002302"], [37, "06002102"], [38, "06042c1b"], [39, "06042c11"],
        [40, "0600e307"], [41, "0600e315"]],
    7: [[42, "0700e011"], [43, "0700e01b"], [44, "0700e006"], [45, "0700e019"], [46, "0700e016"],
        [47, "0700e013"], [48, "0700e009"], [49, "0700e01c"], [50, "0700e01d"], [51, "0700e004"]],
    8: [[53, "08000100"], [54, "08000200"], [55, "08000300"]]
}

// What the buttons do before any assignment is stored: left, right, middle, forward, back, DPI up,
// DPI down, double click, six empty entries, and the two entries of function 0xFF.
var builtInSet = [
    [0, 0, 0xF0, 0], [0, 0, 0xF1, 0], [0, 0, 0xF2, 0], [0, 0, 0xF4, 0], [0, 0, 0xF3, 0],
    [5, 0, 1, 0], [5, 0, 2, 0], [0, 0xF0, 0x1E, 2],
    [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
    [0xFF, 0, 1, 0], [0xFF, 0, 2, 0]
]

// "0000F000" -> [0, 0, 0xF0, 0]
function codesFromText(text)
{
    var out = []
    for (var i = 0; i < 4; ++i)
        out.push(parseInt(text.substr(2 * i, 2), 16))
    return out
}

function sameCodes(a, b)
{
    for (var i = 0; i < 4; ++i)
        if ((a[i] | 0) !== (b[i] | 0))
            return false
    return true
}

// The fixed entry of a category that has these codes, or -1.
function fixedIndexOf(category, codes)
{
    var list = fixedEntries[category]
    if (!list)
        return -1
    for (var i = 0; i < list.length; ++i)
        if (sameCodes(codesFromText(list[i][1]), codes))
            return i
    return -1
}

// An entry that performs a left click.
function isLeftClick(codes)
{
    return codes[0] === 0 && codes[1] === 0 && codes[2] === 0xF0
}

// Key combinations: the modifier usages 0xE0 to 0xE7 are bits 0 to 7 of keyCode1.
function modifierBit(usage)
{
    return (usage >= 0xE0 && usage <= 0xE7) ? (1 << (usage - 0xE0)) : 0
}

// A key combination being captured: {codes, keys, text}. `keys` counts the non-modifier keys taken.
function newCombination()
{
    return { codes: [groupFunction, 0, 0, 0], keys: 0, text: "" }
}

// Adds one key press to a combination; returns the new combination. A modifier sets its bit (pressed
// again it changes nothing); other keys fill keyCode2, then keyCode3; later keys are ignored.
function addToCombination(combo, usage, name)
{
    var next = { codes: combo.codes.slice(), keys: combo.keys, text: combo.text }
    var bit = modifierBit(usage)
    if (bit) {
        if (next.codes[1] & bit)
            return next
        next.codes[1] |= bit
    } else {
        if (next.keys >= 2)
            return next
        next.codes[2 + next.keys] = usage
        next.keys += 1
    }
    next.text = next.text === "" ? name : next.text + " + " + name
    return next
}

// The combination's text from its codes (for an entry read from the profile).
function combinationText(codes, nameOf)
{
    var parts = []
    for (var bit = 0; bit < 8; ++bit)
        if (codes[1] & (1 << bit))
            parts.push(nameOf(0xE0 + bit))
    if (codes[2])
        parts.push(nameOf(codes[2]))
    if (codes[3])
        parts.push(nameOf(codes[3]))
    return parts.join(" + ")
}

// Fire: one key repeated at `rate` milliseconds, `times` times (0: endlessly).
function fireCodes(usage, rate, times)
{
    return [fireFunction, usage & 0xFF, rate & 0xFF, times & 0xFF]
}

// The text of a fire rate: the first choice is shown as "10ms" until one is made; choice i is i + 1 ms.
function rateText(rate, chosen)
{
    return chosen ? (rate + "MS") : "10ms"
}

// Macro: run mode 0 once, 1 until any button is pressed, 2 while held; the macro slot is the button.
function macroCodes(runMode, buttonIndex)
{
    return [macroFunction, runMode, buttonIndex, 0]
}

// The text shown for an entry in the button list. `lang` is the "keyAssigment" texts, `nameOf` turns a
// key code into its name, `macroName` gives the name of the macro in a slot.
function describe(codes, lang, nameOf, macroName)
{
    var f = codes[0]
    var fixed = fixedIndexOf(f, codes)
    if (fixed >= 0)
        return lang[fixedEntries[f][fixed][0]]
    switch (f) {
    case mouseFunction:
        return codes[2] ? nameOf(codes[2]) : ""
    case fireFunction:
        return lang[8] + ": " + nameOf(codes[1])
    case groupFunction:
        return combinationText(codes, nameOf)
    case macroFunction:
        return macroName(codes[2]) || lang[16]
    case 0xFF:
        return ""
    default:
        return lang[categoryTextIndex[f]] || ""
    }
}
