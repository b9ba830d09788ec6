.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// Values read from the settings files arrive as the engine converts them: numbers and booleans written in
// this run keep their type, values read back from disk are text ("45", "true"), a missing key is
// undefined. These helpers turn them into what the pages work with, with a default for anything unusable.

function isMissing(v)
{
    return v === undefined || v === null || v === ""
}

function toInt(v, fallback)
{
    if (isMissing(v))
        return fallback
    var n = parseInt(v, 10)
    return isNaN(n) ? fallback : n
}

function toBool(v, fallback)
{
    if (isMissing(v))
        return fallback
    if (v === true || v === false)
        return v
    var s = String(v).toLowerCase()
    if (s === "true" || s === "1")
        return true
    if (s === "false" || s === "0")
        return false
    return fallback
}

function toText(v, fallback)
{
    return isMissing(v) ? fallback : String(v)
}

// A list of exactly `count` integers: entries that are missing or not numbers take the fallback list's
// entry at the same position (or 0).
function toIntList(list, count, fallback)
{
    var out = []
    for (var i = 0; i < count; ++i) {
        var def = (fallback && i < fallback.length) ? fallback[i] : 0
        out.push(list && i < list.length ? toInt(list[i], def) : def)
    }
    return out
}

function clamp(v, low, high)
{
    return Math.max(low, Math.min(high, v))
}

// A page's texts after a language group was read: the group's strings replace the built-in texts at the
// same positions; positions the group does not supply, or supplies empty, keep the built-in text, so a
// missing language file, a short group or a group written before a text was added never leaves a label
// empty.
function mergeTexts(builtIn, loaded)
{
    var out = builtIn.slice()
    if (!loaded)
        return out
    for (var i = 0; i < loaded.length; ++i) {
        var text = String(loaded[i])
        if (i >= out.length)
            out.push(text)
        else if (text !== "")
            out[i] = text
    }
    return out
}
