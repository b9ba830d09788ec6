// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common/MacroCode.js" as MacroCode
import "qrc:/modules/qml/common/NameLists.js" as NameLists

// The device macro, its length, the editing rules that keep a macro within the mouse's 128 bytes, and the
// name-list rules of the macro and profile lists.
TestCase {
    name: "MacroCode"

    function codeOf(name) {
        return { "A": 0x04, "B": 0x05, "LCtrl": 0xE0, "MS-L": 0xF0 }[name] || 0
    }
    function act(type, info) {
        return { type: type, info: String(info) }
    }
    function delays(ms, count) {
        var out = []
        for (var i = 0; i < count; ++i)
            out.push(act(0, ms))
        return out
    }

    function test_device_macro_data() {
        return [
            { tag: "press, 50 ms, release", repeat: 1, actions: [act(1, "A"), act(0, 50), act(2, "A")],
              bytes: [0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00] },
            { tag: "1270 ms after a press", repeat: 2, actions: [act(1, "A"), act(0, 1270), act(2, "A")],
              bytes: [0, 2, 0x00, 0x04, 0x00, 0x01, 0x00, 0x3F, 0x81, 0x04, 0, 0] },
            { tag: "1270 ms after a release", repeat: 1, actions: [act(1, "A"), act(2, "A"), act(0, 1270), act(1, "B"),
                                                                   act(2, "B")],
              bytes: [0, 1, 0x01, 0x04, 0x80, 0x04, 0x00, 0x01, 0x00, 0x3F, 0x01, 0x05, 0x81, 0x05, 0, 0] },
            { tag: "1260 ms still fits the control byte", repeat: 1, actions: [act(1, "A"), act(0, 1260), act(2, "A")],
              bytes: [0, 1, 126, 0x04, 0x81, 0x04, 0, 0] },
            { tag: "delays add up", repeat: 1, actions: [act(1, "A"), act(0, 20), act(0, 30), act(2, "A")],
              bytes: [0, 1, 5, 0x04, 0x81, 0x04, 0, 0] },
            { tag: "no delay is 10 ms", repeat: 1, actions: [act(1, "A"), act(2, "A")],
              bytes: [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0] },
            { tag: "delay 0 is 10 ms", repeat: 1, actions: [act(1, "A"), act(0, 0), act(2, "A")],
              bytes: [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0] },
            { tag: "leading delays dropped", repeat: 1, actions: [act(0, 500), act(0, 90), act(3, "MS-L"), act(4, "MS-L")],
              bytes: [0, 1, 0x01, 0xF0, 0x81, 0xF0, 0, 0] },
            { tag: "trailing delays dropped", repeat: 1, actions: [act(1, "A"), act(2, "A"), act(0, 3000)],
              bytes: [0, 1, 0x01, 0x04, 0x81, 0x04, 0, 0] },
            { tag: "only the last action", repeat: 300, actions: [act(0, 20), act(1, "A")], bytes: [0x01, 0x2C] },
            { tag: "empty", repeat: 65535, actions: [], bytes: [0xFF, 0xFF] },
            { tag: "unknown name is code 0", repeat: 1, actions: [act(1, "Nope"), act(2, "Nope")],
              bytes: [0, 1, 0x01, 0x00, 0x81, 0x00, 0, 0] },
            // 1 000 000 ms = 100 000 units: counted in units of 50 ms.
            { tag: "unit of 50 ms", repeat: 1,
              actions: [act(1, "A")].concat(delays(62500, 16)).concat([act(2, "A")]),
              bytes: [0, 1, 0x00, 0x04, 0x00, 0x02, 0x4E, 0x20, 0x81, 0x04, 0, 0] },
            // 3 000 000 ms = 300 000 units: counted in units of 100 ms.
            { tag: "unit of 100 ms", repeat: 1,
              actions: [act(1, "A")].concat(delays(60000, 50)).concat([act(2, "A")]),
              bytes: [0, 1, 0x00, 0x04, 0x00, 0x03, 0x75, 0x30, 0x81, 0x04, 0, 0] },
            // Beyond what 16 bits of 100 ms hold: the longest wait, not a wrapped short one.
            { tag: "longest wait", repeat: 1,
              actions: [act(1, "A")].concat(delays(65535, 100)).concat([act(2, "A")]),
              bytes: [0, 1, 0x00, 0x04, 0x00, 0x03, 0xEA, 0x5F, 0x81, 0x04, 0, 0] }
        ]
    }
    function test_device_macro(row) {
        compare(MacroCode.deCode(row.actions, row.repeat, codeOf), row.bytes)
    }

    function test_repeat_count_is_kept_in_range() {
        compare(MacroCode.deCode([], 0, codeOf), [0, 1])
        compare(MacroCode.deCode([], 70000, codeOf), [0xFF, 0xFF])
        compare(MacroCode.parseStored(["1,A", "0"]).repeat, 1)
        compare(MacroCode.parseStored(["1,A", "512"]).repeat, 512)
    }

    // recordCount is the length of the full form for any action list: random lists of keys, buttons and
    // delays of every size (a fixed seed, so a failure repeats).
    function test_record_count_agrees_with_the_encoding() {
        var seed = 20240611
        function random(n) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            return seed % n
        }
        var names = ["A", "B", "LCtrl", "MS-L"]
        var delayChoices = [0, 10, 50, 1260, 1270, 5000, 65535]
        for (var run = 0; run < 400; ++run) {
            var actions = []
            var length = 2 + random(40)
            for (var i = 0; i < length; ++i) {
                var type = random(5)
                actions.push(type === 0 ? act(0, delayChoices[random(delayChoices.length)])
                                        : act(type, names[random(names.length)]))
            }
            var bytes = MacroCode.deCode(actions, 1 + random(65535), codeOf)
            if (bytes.length > 2)
                compare(MacroCode.recordCount(actions), bytes.length, JSON.stringify(actions))
        }
    }

    function test_stored_form_round_trip() {
        var m = MacroCode.parseStored(["1,A", "0,50", "2,A", "bad", "9,x", "3,,", "3"])
        compare(m.actions.length, 4)
        compare(m.actions[1], act(0, 50))
        compare(m.actions[3], act(3, ","))   // the info is everything after the first comma
        compare(m.repeat, 3)
        compare(MacroCode.storedTexts(m.actions), ["1,A", "0,50", "2,A", "3,,"])
        compare(MacroCode.parseStored([]).actions, [])
    }

    function test_key_actions_data() {
        return [
            { tag: "key down", code: 0x04, down: true, type: 1 },
            { tag: "key up", code: 0xE7, down: false, type: 2 },
            { tag: "left button down", code: 0xF0, down: true, type: 3 },
            { tag: "fifth button up", code: 0xF4, down: false, type: 4 }
        ]
    }
    function test_key_actions(row) {
        compare(MacroCode.keyAction(row.code, row.down, "n"), act(row.type, "n"))
    }

    // n key actions with no delays: 4 + 2n bytes.
    function keys(n) {
        var out = []
        for (var i = 0; i < n; ++i)
            out.push(act(1 + i % 2, "A"))
        return out
    }

    function test_recording() {
        compare(MacroCode.recorded([], act(1, "A"), 350, true), [act(1, "A")])
        compare(MacroCode.recorded([act(1, "A")], act(2, "A"), 350, true), [act(1, "A"), act(0, 350), act(2, "A")])
        compare(MacroCode.recorded([act(1, "A")], act(2, "A"), 350, false), [act(1, "A"), act(2, "A")])
        // At 126 bytes nothing more is added.
        compare(MacroCode.recordCount(keys(61)), 126)
        compare(MacroCode.recorded(keys(61), act(1, "B"), 0, false), null)
        verify(MacroCode.recorded(keys(60), act(1, "B"), 0, false) !== null)
        // At 124 bytes a key after a long wait would need six: it does not fit the mouse.
        compare(MacroCode.recorded(keys(60), act(1, "B"), 2000, true), null)
        compare(MacroCode.recordCount(MacroCode.recorded(keys(60), act(1, "B"), 1000, true)), 126)
        // Room stays for releasing what is held: the release of a held key still goes in at 126 bytes, and
        // with two keys held at 124 bytes a third press would leave no room to release them all.
        compare(MacroCode.recordCount(MacroCode.recorded(keys(61), act(2, "A"), 0, false)), 128)
        var twoHeld = MacroCode.recorded(keys(59), act(1, "B"), 0, false)
        compare(MacroCode.recordCount(twoHeld), 124)
        compare(MacroCode.recorded(twoHeld, act(1, "C"), 0, false), null)
    }

    function test_held_keys_are_released_at_the_end() {
        compare(MacroCode.withHeldReleased([act(1, "LShift"), act(1, "A"), act(3, "MS-L"), act(2, "A")]),
                [act(1, "LShift"), act(1, "A"), act(3, "MS-L"), act(2, "A"), act(4, "MS-L"), act(2, "LShift")])
        // A release without its press (a key held when recording started) and a key released as a button
        // (another kind) change nothing that is pressed.
        compare(MacroCode.withHeldReleased([act(2, "B"), act(1, "A"), act(4, "A")]),
                [act(2, "B"), act(1, "A"), act(4, "A"), act(2, "A")])
    }

    function test_inserting_data() {
        var m = [act(1, "A"), act(0, 30), act(2, "A"), act(1, "B")]
        var press = act(3, "MS-L")
        var release = act(4, "MS-L")
        return [
            { tag: "click after the current action", current: 1, after: true,
              actions: [act(1, "A"), act(0, 30), press, release, act(2, "A"), act(1, "B")], at: 2 },
            { tag: "key before the current action", current: 2, after: false,
              actions: [act(1, "A"), act(0, 30), press, release, act(2, "A"), act(1, "B")], at: 2 },
            { tag: "click at the end", current: 3, after: true, actions: m.concat([press, release]), at: 4 },
            { tag: "key at the end", current: 3, after: false, actions: m.concat([press, release]), at: 4 },
            { tag: "nothing current", current: -1, after: false, actions: m.concat([press, release]), at: 4 }
        ].map(function (row) { row.macro = m; row.press = press; row.release = release; return row })
    }
    function test_inserting(row) {
        var change = MacroCode.withPairInserted(row.macro, row.current, row.press, row.release, row.after)
        compare(change.actions, row.actions)
        compare(change.current, row.at)
    }

    function test_inserting_a_delay() {
        var m = [act(1, "A"), act(2, "A")]
        compare(MacroCode.withDelayInserted(m, 1).actions, [act(1, "A"), act(0, 50), act(2, "A")])
        compare(MacroCode.withDelayInserted(m, -1).actions, [act(1, "A"), act(2, "A"), act(0, 50)])
        compare(MacroCode.withDelayInserted(keys(61), 3), null)
        compare(MacroCode.withPairInserted(keys(61), 0, act(1, "B"), act(2, "B"), true), null)
        // Joined to 1250 ms the inserted delay makes a long wait: four more bytes, which still fit at 124.
        var m124 = keys(59).concat([act(0, 1250), act(1, "B")])
        compare(MacroCode.recordCount(m124), 124)
        compare(MacroCode.recordCount(MacroCode.withDelayInserted(m124, 60).actions), 128)
    }

    function test_deleting_and_changing_delays() {
        var m = [act(1, "A"), act(0, 800), act(2, "A"), act(0, 800), act(1, "B")]
        compare(MacroCode.withoutAction(m, 4).actions, m.slice(0, 4))
        compare(MacroCode.withoutAction(m, 4).current, 3)
        compare(MacroCode.withoutAction(m, 7), null)
        compare(MacroCode.withDelayChanged(m, 1, 70000).actions[1], act(0, 65535))
        compare(MacroCode.withDelayChanged(m, 0, 10), null)   // not a delay
        // 124 bytes, then deleting a key joins two waits into one long wait: 126 bytes, allowed; a macro
        // that would pass 128 is not changed.
        var full = keys(58).concat([act(0, 800), act(1, "B"), act(0, 800), act(2, "B")])
        compare(MacroCode.recordCount(full), 124)
        compare(MacroCode.recordCount(MacroCode.withoutAction(full, 59).actions), 126)
        var fuller = keys(60).concat([act(0, 800), act(1, "B"), act(0, 800), act(2, "B")])
        compare(MacroCode.recordCount(fuller), 128)
        compare(MacroCode.withoutAction(fuller, 61), null)
        compare(MacroCode.withDelayChanged(fuller, 60, 2000), null)
        verify(MacroCode.withDelayChanged(fuller, 60, 300) !== null)
    }

    function test_key_table_lookups() {
        var names = ["A", "B", "\\", "\\"]
        var codes = [0x04, 0x05, 0x31, 0x32]
        compare(MacroCode.strTokeycode(names, codes, "B"), 0x05)
        compare(MacroCode.strTokeycode(names, codes, "\\"), 0x31)   // the first pair with the name
        compare(MacroCode.strTokeycode(names, codes, "Nope"), 0)
        compare(MacroCode.strTokeycode(names, codes, ""), 0)
        compare(MacroCode.keycodeTostr(names, codes, 0x32), "\\")
        compare(MacroCode.keycodeTostr(names, codes, 0x99), "")
    }

    function test_macro_names() {
        compare(NameLists.readList(["Macro_0", "loaderfennic"]), ["Macro_0"])
        compare(NameLists.readList(["a", "loaderfennic", "b"]), ["a", "loaderfennic", "b"])
        compare(NameLists.readList(undefined), [])
        compare(NameLists.newMacroName([]), "Macro_0")
        compare(NameLists.newMacroName(["Macro_0", "Macro_2", "x"]), "Macro_1")
        var hundred = []
        for (var i = 0; i < 100; ++i)
            hundred.push("m" + i)
        compare(NameLists.newMacroName(hundred), "")
        compare(NameLists.newMacroName(hundred.slice(1)), "Macro_0")
        verify(NameLists.isValidMacroName(["a"], "b"))
        verify(!NameLists.isValidMacroName(["a", "b"], "b"))
        verify(!NameLists.isValidMacroName(["a"], ""))
        verify(!NameLists.isValidMacroName(["a"], "loaderfennic"))
    }

    function test_profile_list_data() {
        return [
            { tag: "empty", stored: [], profiles: [["Standard", 0]] },
            { tag: "one name", stored: ["Default0", "loaderfennic"], profiles: [["Standard", 0]] },
            { tag: "names and digits", stored: ["x0", "FPS1", "MOBA 24"], profiles: [["Standard", 0], ["FPS", 1],
                                                                                   ["MOBA 2", 4]] },
            { tag: "bad digits and repeats skipped", stored: ["x0", "a6", "b", "c1", "d1"],
              profiles: [["Standard", 0], ["c", 1]] },
            { tag: "at most six", stored: ["a0", "b1", "c2", "d3", "e4", "f5", "g5"],
              profiles: [["Standard", 0], ["b", 1], ["c", 2], ["d", 3], ["e", 4], ["f", 5]] }
        ]
    }
    function test_profile_list(row) {
        var list = NameLists.readProfiles(row.stored, "Standard")
        compare(list.map(function (p) { return [p.name, p.profile] }), row.profiles)
        compare(NameLists.profileTexts(list).length, row.profiles.length)
    }

    function test_new_profiles() {
        var list = NameLists.readProfiles(["Standard0", "FPS1", "profile_03"], "Standard")
        compare(NameLists.newProfile(list), { name: "profile_1", profile: 2 })
        list = NameLists.readProfiles(["Standard0", "a1", "b2", "c3", "d4", "e5"], "Standard")
        compare(NameLists.newProfile(list), null)
        verify(!NameLists.mayDeleteProfile(list, 0, 3))
        verify(!NameLists.mayDeleteProfile(list, 3, 3))
        verify(NameLists.mayDeleteProfile(list, 2, 3))
        verify(!NameLists.mayDeleteProfile(list, 6, 3))
        verify(!NameLists.mayRenameProfile(list, 0, "x"))
        verify(!NameLists.mayRenameProfile(list, 1, ""))
        verify(NameLists.mayRenameProfile(list, 1, "x"))
    }
}
