.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// The name lists as the pages keep them: the macro list (name list 0) and the profile list (name list 2).
// The store writes a one-name list with a marker entry after it; the pages drop that marker when they
// read a list back.

var oneNameMarker = "loaderfennic"
var maxMacros = 100
var macroPrefix = "Macro_"
var maxProfiles = 6
var profilePrefix = "profile_"
// Profile names take the numbers below this one.
var profileNameNumbers = 12
// Profile files the profile list may use: 0 to 5.
var profileCount = 6

// A stored list as texts, without the marker of a one-name list.
function readList(list)
{
    var out = []
    for (var i = 0; list && i < list.length; ++i)
        out.push(String(list[i]))
    if (out.length === 2 && out[1] === oneNameMarker)
        out.pop()
    return out
}

// The first name made of `prefix` and a number below `limit` that is not in `names`, or "".
function firstFreeName(names, prefix, limit)
{
    for (var n = 0; n < limit; ++n)
        if (names.indexOf(prefix + n) < 0)
            return prefix + n
    return ""
}

// The name a new or imported macro gets, or "" when the list is full.
function newMacroName(names)
{
    return names.length >= maxMacros ? "" : firstFreeName(names, macroPrefix, maxMacros)
}

// The name a macro imported from the file `fileName` (without its extension) gets: that name, or with
// " (2)", " (3)", ... when the list has it already; "" when the file's name cannot name a macro.
function importedMacroName(names, fileName)
{
    var name = String(fileName).trim()
    if (!isValidMacroName([], name))
        return ""
    for (var n = 1; n <= maxMacros + 1; ++n) {
        var candidate = n === 1 ? name : name + " (" + n + ")"
        if (names.indexOf(candidate) < 0)
            return candidate
    }
    return ""
}

// Whether a macro may be given the name `name`: not empty, not a name the list has already, and not the
// marker (in a list of one other name it would read back as one name).
function isValidMacroName(names, name)
{
    return name !== "" && name !== oneNameMarker && names.indexOf(name) < 0
}

// The profile list from name list 2: entries of {name, profile}, each stored as the name followed by its
// profile digit (0 to 5). Entries without a valid digit, or with a profile already listed, are skipped; at
// most six. Entry 0 is shown with `standardName`; an empty list is the standard profile alone.
function readProfiles(list, standardName)
{
    var texts = readList(list)
    var out = []
    var used = []
    for (var i = 0; i < texts.length && out.length < maxProfiles; ++i) {
        var digit = texts[i].slice(-1)
        var n = parseInt(digit, 10)
        if (!/^[0-9]$/.test(digit) || n >= profileCount || used.indexOf(n) >= 0)
            continue
        used.push(n)
        out.push({ name: texts[i].slice(0, -1), profile: n })
    }
    if (out.length === 0)
        out.push({ name: "", profile: 0 })
    out[0] = { name: standardName, profile: out[0].profile }
    return out
}

function profileTexts(profiles)
{
    return profiles.map(function (p) { return p.name + p.profile })
}

// A new entry: the first free "profile_" name and the lowest profile number not in the list; null when
// the list is full.
function newProfile(profiles)
{
    if (profiles.length >= maxProfiles)
        return null
    var numbers = profiles.map(function (p) { return p.profile })
    var names = profiles.map(function (p) { return p.name })
    for (var n = 0; n < profileCount; ++n)
        if (numbers.indexOf(n) < 0)
            return { name: firstFreeName(names, profilePrefix, profileNameNumbers), profile: n }
    return null
}

// Entry 0 (the standard profile) and the profile in use are never deleted.
function mayDeleteProfile(profiles, index, profileInUse)
{
    return index > 0 && index < profiles.length && profiles[index].profile !== profileInUse
}

// A new name for entry `index`: not for entry 0 (always shown as the standard profile), not empty.
function mayRenameProfile(profiles, index, name)
{
    return index > 0 && index < profiles.length && name !== ""
}
