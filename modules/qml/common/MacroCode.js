.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// Macros as the interface keeps them: actions of (type, info), type 0 delay (info: milliseconds),
// 1 key down, 2 key up, 3 mouse button down, 4 mouse button up (info: the key name). This file turns the
// stored form into actions, the actions into the bytes the mouse runs, and holds the editing rules that
// keep a macro within what the mouse can hold. The editor and every upload use these functions.

var delayAction = 0
var keyDown = 1
var keyUp = 2
var buttonDown = 3
var buttonUp = 4

// The most bytes the mouse holds for one macro, and the length at which the editor stops adding actions.
var deviceMacroSize = 128
var recordLimit = 126
var maxRepeat = 65535
var maxDelayMs = 65535
// The delay the menu inserts, in milliseconds.
var insertedDelayMs = 50
// Key codes from this one on are mouse buttons.
var firstButtonCode = 0xF0
// The longest wait the mouse can run between two events, in units of 10 ms (6553.5 s counted in units of
// 100 ms); longer waits are cut to it rather than wrapped to a short one.
var maxDelayUnits = 599999

// The code of the first pair of the key table with this name, or 0.
function strTokeycode(names, codes, name)
{
    if (name === undefined || name === null || String(name) === "")
        return 0
    var i = names.indexOf(String(name))
    return i >= 0 && i < codes.length ? codes[i] : 0
}

// The name of the first pair of the key table with this code, or the empty text.
function keycodeTostr(names, codes, code)
{
    var i = codes.indexOf(Number(code))
    return i >= 0 && i < names.length ? String(names[i]) : ""
}

// The stored texts ("1,A", "0,50", ..., then the repeat count) as {actions, repeat}.
function parseStored(list)
{
    var out = { actions: [], repeat: 1 }
    if (!list || list.length === 0)
        return out
    for (var i = 0; i < list.length - 1; ++i) {
        var s = String(list[i])
        var comma = s.indexOf(",")
        if (comma < 1)
            continue
        var type = parseInt(s.substr(0, comma), 10)
        if (isNaN(type) || type < 0 || type > 4)
            continue
        out.actions.push({ type: type, info: s.substr(comma + 1) })
    }
    out.repeat = clampRepeat(list[list.length - 1])
    return out
}

function storedTexts(actions)
{
    var out = []
    for (var i = 0; i < actions.length; ++i)
        out.push(actions[i].type + "," + actions[i].info)
    return out
}

function clampRepeat(value)
{
    var n = parseInt(value, 10)
    return isNaN(n) || n < 1 ? 1 : Math.min(n, maxRepeat)
}

function isRelease(type)
{
    return type === keyUp || type === buttonUp
}

function delayMs(action)
{
    var ms = parseInt(action.info, 10)
    return isNaN(ms) || ms < 0 ? 0 : ms
}

// Milliseconds waited as the mouse counts them: units of 10 ms, rounded to the nearest.
function delayUnits(ms)
{
    return Math.min(Math.round(ms / 10), maxDelayUnits)
}

// The device macro: two repeat-count bytes, then one (control byte, key code) pair per key or button
// action, with long delays as extra pairs, then the end pair. `codeOf` turns a key name into its code.
// A macro whose only key action is its last one is just the two count bytes.
function deCode(actions, repeat, codeOf)
{
    var count = clampRepeat(repeat)
    var out = [(count >> 8) & 0xFF, count & 0xFF]
    var first = 0
    while (first < actions.length && actions[first].type === delayAction)
        ++first
    if (first >= actions.length - 1)
        return out
    var p = 2
    out[p] = 0
    out[p + 1] = codeOf(actions[first].info) & 0xFF
    var previous = actions[first].type
    var waited = 0   // milliseconds since the previous event
    for (var i = first + 1; i < actions.length; ++i) {
        var x = actions[i]
        if (x.type === delayAction) {
            waited += delayMs(x)
            continue
        }
        var t = delayUnits(waited)
        var release = isRelease(previous) ? 0x80 : 0
        if (t < 127) {
            out[p] = (t === 0 ? 1 : t) | release
            p += 2
        } else {
            // A long wait: the control byte without a delay, then the unit (20, 50 or 100 ms) and the count.
            out[p] = release
            p += 2
            var unit = t < 100000 ? 1 : t < 300000 ? 2 : 3
            out[p] = 0
            out[p + 1] = unit
            p += 2
            t = Math.floor(t / [0, 2, 5, 10][unit])
            out[p] = (t >> 8) & 0xFF
            out[p + 1] = t & 0xFF
            p += 2
        }
        waited = 0
        previous = x.type
        out[p] = 0
        out[p + 1] = codeOf(x.info) & 0xFF
    }
    out[p] = 1 | (isRelease(previous) ? 0x80 : 0)
    p += 2
    out[p] = 0
    out[p + 1] = 0
    return out
}

// The length of deCode's full form, without building it: 2 bytes per key or button action, 4 more for one
// that follows a wait of 127 units or longer, and 4 for the closing pairs.
function recordCount(actions)
{
    var count = 4
    var waited = 0
    var started = false
    for (var i = 0; i < actions.length; ++i) {
        if (actions[i].type === delayAction) {
            waited += delayMs(actions[i])
            continue
        }
        count += (started && delayUnits(waited) >= 127) ? 6 : 2
        started = true
        waited = 0
    }
    return count
}

// ---- Editing ----

// Whether a macro may change from `before` to `after` by adding actions: nothing is added once the macro
// has reached the recording limit, and never beyond what the mouse holds (an action after a long wait
// takes six bytes, which would not fit after 124).
function mayGrow(before, after)
{
    return recordCount(before) < recordLimit && recordCount(after) <= deviceMacroSize
}

// Whether an edit that adds no action may change `before` to `after`: a deleted key or a longer delay can
// join two waits into a long one, which takes more bytes; the macro must still fit (or not grow).
function stillFits(before, after)
{
    var count = recordCount(after)
    return count <= deviceMacroSize || count <= recordCount(before)
}

// The press or release of a key code: codes from 0xF0 on are mouse buttons.
function keyAction(code, isDown, name)
{
    var button = code >= firstButtonCode
    var type = isDown ? (button ? buttonDown : keyDown) : (button ? buttonUp : keyUp)
    return { type: type, info: String(name) }
}

// The presses of `actions` that no later action releases (the same key or button), in the order pressed.
function heldKeys(actions)
{
    var held = []
    for (var i = 0; i < actions.length; ++i) {
        var a = actions[i]
        if (a.type === keyDown || a.type === buttonDown) {
            held.push(a)
        } else if (isRelease(a.type)) {
            for (var j = held.length - 1; j >= 0; --j) {
                if (held[j].type === a.type - 1 && held[j].info === a.info) {
                    held.splice(j, 1)
                    break
                }
            }
        }
    }
    return held
}

// `actions` with a release at the end for every key and button they leave pressed, the last pressed
// first, so that the mouse never ends the macro with a key held down.
function withHeldReleased(actions)
{
    var held = heldKeys(actions)
    var out = actions.slice()
    for (var i = held.length - 1; i >= 0; --i)
        out.push({ type: held[i].type + 1, info: held[i].info })
    return out
}

// A recorded key: `waitedMs` before it as a delay action when `withDelay` and the list is not empty. The new
// list, or null when it does not fit. Room is kept for releasing every key still held: a press is taken
// only while the list is below the recording limit and the list with it, closed by withHeldReleased, fits
// the mouse; the release of a held key only needs that closed list to fit. A recording cut at the limit so
// never leaves a key pressed.
function recorded(actions, action, waitedMs, withDelay)
{
    var out = actions.slice()
    if (withDelay && out.length > 0)
        out.push({ type: delayAction, info: String(Math.max(0, Math.round(waitedMs))) })
    out.push(action)
    var releasesHeld = isRelease(action.type) && heldKeys(actions).some(function (h) {
        return h.type === action.type - 1 && h.info === action.info
    })
    if (!releasesHeld && recordCount(actions) >= recordLimit)
        return null
    return recordCount(withHeldReleased(out)) <= deviceMacroSize ? out : null
}

// `current` is the index of the current action, or -1 for none. Each function answers {actions, current}
// with the new list and the action to show as current, or null when the change is refused.

// A delay of 50 ms before the current action (at the end when there is none).
function withDelayInserted(actions, current)
{
    var at = current >= 0 && current < actions.length ? current : actions.length
    var out = actions.slice()
    out.splice(at, 0, { type: delayAction, info: String(insertedDelayMs) })
    return mayGrow(actions, out) ? { actions: out, current: at } : null
}

// A press and its release. At the end of the list (the current action is the last, or there is none) the
// pair is appended; otherwise a key pair goes before the current action and a click pair after it.
function withPairInserted(actions, current, press, release, afterCurrent)
{
    var atEnd = current < 0 || current >= actions.length - 1
    var at = atEnd ? actions.length : (afterCurrent ? current + 1 : current)
    var out = actions.slice()
    out.splice(at, 0, press, release)
    return mayGrow(actions, out) ? { actions: out, current: at } : null
}

function withoutAction(actions, current)
{
    if (current < 0 || current >= actions.length)
        return null
    var out = actions.slice()
    out.splice(current, 1)
    return stillFits(actions, out) ? { actions: out, current: Math.min(current, out.length - 1) } : null
}

// A delay given a new length (0 to 65535 ms); null when the action is not a delay.
function withDelayChanged(actions, index, ms)
{
    if (index < 0 || index >= actions.length || actions[index].type !== delayAction)
        return null
    var out = actions.slice()
    out[index] = { type: delayAction, info: String(Math.max(0, Math.min(maxDelayMs, Math.round(ms)))) }
    return stillFits(actions, out) ? { actions: out, current: index } : null
}
