.pragma library
// Macros as the interface keeps them: actions of (type, info), type 0 delay (info: milliseconds),
// 1 key down, 2 key up, 3 mouse button down, 4 mouse button up (info: the key name). This file turns the
// stored form into actions and the actions into the bytes the mouse runs.

var delayAction = 0
var keyDown = 1
var keyUp = 2
var buttonDown = 3
var buttonUp = 4

// The most bytes the mouse holds for one macro, and the length at which the editor stops adding actions.
var deviceMacroSize = 128
var recordLimit = 126

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
    var repeat = parseInt(list[list.length - 1], 10)
    out.repeat = (isNaN(repeat) || repeat < 1) ? 1 : Math.min(repeat, 65535)
    return out
}

function storedTexts(actions)
{
    var out = []
    for (var i = 0; i < actions.length; ++i)
        out.push(actions[i].type + "," + actions[i].info)
    return out
}

function isRelease(type)
{
    return type === keyUp || type === buttonUp
}

function delayUnits(action)
{
    var ms = parseInt(action.info, 10)
    return isNaN(ms) || ms < 0 ? 0 : ms / 10
}

// The device macro: two repeat-count bytes, then one (control byte, key code) pair per key or button
// action, with long delays as extra pairs, then the end pair. `codeOf` turns a key name into its code.
function deCode(actions, repeat, codeOf)
{
    var out = [(repeat >> 8) & 0xFF, repeat & 0xFF]
    var first = 0
    while (first < actions.length && actions[first].type === delayAction)
        ++first
    if (first >= actions.length - 1)
        return out
    var p = 2
    out[p] = 0
    out[p + 1] = codeOf(actions[first].info) & 0xFF
    var previous = actions[first].type
    var t = 0
    for (var i = first + 1; i < actions.length; ++i) {
        var x = actions[i]
        if (x.type === delayAction) {
            t += delayUnits(x)
            continue
        }
        t = Math.round(t)
        var release = isRelease(previous) ? 0x80 : 0
        if (t < 127) {
            out[p] = (t === 0 ? 1 : t) | release
            p += 2
        } else {
            out[p] = release
            p += 2
            var unit = t < 100000 ? 1 : t < 300000 ? 2 : t < 600000 ? 3 : 0
            if (unit) {
                out[p] = 0
                out[p + 1] = unit
                p += 2
                t = Math.floor(t / [0, 2, 5, 10][unit])
            }
            out[p] = (t >> 8) & 0xFF
            out[p + 1] = t & 0xFF
            p += 2
        }
        t = 0
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

// The length of deCode's result, without building it.
function recordCount(actions)
{
    var count = 4
    var t = 0
    var started = false
    for (var i = 0; i < actions.length; ++i) {
        if (actions[i].type === delayAction) {
            t += delayUnits(actions[i])
            continue
        }
        count += (started && Math.round(t) >= 127) ? 6 : 2
        started = true
        t = 0
    }
    return count
}
