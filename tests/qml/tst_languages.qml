// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common/Languages.js" as Languages
import "qrc:/modules/qml/common/Style.js" as Style

// The language choice of the ask menu, and every shipped language on every view of the window: no text is
// cut or runs out of its control or into its neighbours.
ZephraTestCase {
    name: "Languages"

    // ---- Measuring the texts of what is visible ----

    function isText(item) {
        return typeof item.elide === "number" && typeof item.lineCount === "number"
    }
    function isInput(item) {
        return typeof item.cursorPosition === "number" && typeof item.echoMode === "number"
    }
    function typeName(item) {
        return String(item).replace(/[_(].*/, "")
    }
    function isPositioner(item) {
        return /^QQuick(Row|Column|Grid|Flow)$/.test(typeName(item))
    }

    // Where a text's letters are, in its own coordinates.
    function paintedRect(t) {
        if (isInput(t))
            return { x: 0, y: 0, w: Math.min(t.contentWidth, t.width), h: t.height }
        var a = t.effectiveHorizontalAlignment
        var x = a === Text.AlignRight ? t.width - t.contentWidth : a === Text.AlignHCenter ? (t.width - t.contentWidth) / 2 : 0
        var v = t.verticalAlignment
        var y = v === Text.AlignBottom ? t.height - t.contentHeight : v === Text.AlignVCenter ? (t.height - t.contentHeight) / 2 : 0
        return { x: x, y: y, w: t.contentWidth, h: t.contentHeight }
    }
    function mapped(t, r, target) {
        var p = t.mapToItem(target, r.x, r.y)
        return { x: p.x, y: p.y, w: r.w, h: r.h }
    }
    function overlaps(a, b) {
        return a.x < b.x + b.width - 1 && b.x < a.x + a.w - 1 && a.y < b.y + b.height - 1 && b.y < a.y + a.h - 1
    }
    function contains(b, a) {
        return a.x >= b.x - 1 && a.y >= b.y - 1 && a.x + a.w <= b.x + b.width + 1 && a.y + a.h <= b.y + b.height + 1
    }

    // What is wrong with one visible text: cut by its elision or its box, out of the control it is in, or
    // over a neighbour of the same layer; "" when it fits. `room.px` gets the width it has to spare.
    function misfit(t, room) {
        var natural = isInput(t) ? t.contentWidth : t.implicitWidth
        if (isInput(t) || t.elide !== Text.ElideNone || t.wrapMode === Text.NoWrap && t.width < t.implicitWidth) {
            room.px = Math.min(room.px, t.width - natural)
            if (natural > t.width + 0.5)
                return "cut: " + Math.ceil(natural) + " px in " + t.width
        } else if (t.wrapMode !== Text.NoWrap && t.contentWidth > t.width + 0.5) {
            return "a word wider than its " + t.width + " px"
        }
        var r = paintedRect(t)
        var box = t.parent
        while (box && (isPositioner(box) || box.width <= 0 || box.height <= 0))
            box = box.parent
        if (box) {
            var inBox = mapped(t, r, box)
            room.px = Math.min(room.px, box.width - inBox.w)
            if (!contains({ x: 0, y: 0, width: box.width, height: box.height + 2 }, inBox))
                return "out of its " + Math.round(box.width) + " x " + Math.round(box.height) + " control"
        }
        // Over a neighbour: the letters within their control, the control itself above it within its panel
        // or dialog (whose neighbours are other panels and dialogs).
        var area = r, of = t
        for (var item = t; item.parent; item = item.parent) {
            var up = item.parent
            if (item === box)
                area = { x: 0, y: 0, w: box.width, h: box.height }, of = box
            if (up === root || up.objectName === "panels")
                area = r, of = t
            var here = mapped(of, area, up)
            for (var i = 0; i < up.children.length; ++i) {
                var s = up.children[i]
                if (s === item || !s.visible || s.z !== item.z || s.width <= 0 || s.height <= 0
                        || /MouseArea|Loader|Repeater|Image/.test(typeName(s)))
                    continue
                if (overlaps(here, s) && !contains(s, here))
                    return (of === box ? "its control over " : "over its neighbour ") + (s.objectName || typeName(s))
            }
            if (item.z > 0)
                break   // a layer over the others by design
        }
        var inWindow = mapped(t, r, root)
        if (!contains({ x: 0, y: 0, width: root.width, height: root.height }, inWindow))
            return "out of the window"
        return ""
    }

    // Lets the rows and columns place what they hold (they do so before the next frame).
    function settle(item) {
        var pending = []
        ;(function find(i) {
            if (!i.visible)
                return
            if (isPositioner(i) && isPolishScheduled(i))
                pending.push(i)
            for (var c = 0; c < i.children.length; ++c)
                find(i.children[c])
        })(item)
        if (pending.length > 0 && waitForItemPolished(pending[0]))
            settle(item)
    }

    function allTexts(item, out) {
        if (isText(item) || isInput(item))
            out.push(item)
        for (var i = 0; i < item.children.length; ++i)
            allTexts(item.children[i], out)
        return out
    }

    function visibleTexts(item, out) {
        if (!item.visible || item.opacity === 0)
            return out
        if ((isText(item) || isInput(item)) && String(item.text).trim() !== "")
            out.push(item)
        for (var i = 0; i < item.children.length; ++i)
            visibleTexts(item.children[i], out)
        return out
    }

    // ---- The views ----

    function closeAll() {
        root.mainFocus()
        var dialogs = ["keyAssigmentMain", "systemSettingMain", "macroEditorMain", "profileMain", "gunControlMain",
                       "confirmBox"]
        page("macroEditorMain").recording = false
        for (var i = 0; i < dialogs.length; ++i) {
            if (page(dialogs[i]).dropFocus)
                page(dialogs[i]).dropFocus()
            page(dialogs[i]).close()
        }
    }

    // Every view a user can reach: [name, function that opens it].
    function views() {
        var list = [["main window", function () {}],
            ["ask menu", function () { page("askMenu").visible = true; findChild(root, "languageMenu").open() }],
            ["profile list", function () { page("upItem").profileList.opened = true }],
            ["LOD slider", function () { page("lodBoxMain").slider.opened = true }],
            ["DPI stages", function () { page("dpiSettingMain").countList.opened = true }],
            ["lighting modes", function () { page("lightControlMain").modeList.opened = true }]]
        var light = page("lightControlMain")
        for (var m = 0; m < light.modeTexts.length; ++m)
            list.push(["lighting mode " + m, (function (n) { return function () { light.applyMode(n) } })(m)])
        var assign = page("keyAssigmentMain")
        for (var c = 0; c < assign.categories.length; ++c)
            list.push(["assignment " + c, (function (n) {
                return function () { root.openAssignment(0); assign.chooseCategory(n) } })(assign.categories[c])])
        var editor = page("macroEditorMain")
        function dialog(name) { return function () { root.openDialog(page(name)) } }
        list.push(["system settings", dialog("systemSettingMain")], ["profiles", dialog("profileMain")],
                  ["gun editor", dialog("gunControlMain")], ["macro editor", dialog("macroEditorMain")],
                  ["macro actions menu", function () { root.openDialog(editor); editor.openMenu(330, 150) }],
                  ["macro recording", function () { root.openDialog(editor); editor.recording = true }],
                  ["macro key insertion", function () { root.openDialog(editor); editor.waitingKey = true }],
                  ["factory reset question", function () { page("confirmBox").open() }])
        return list
    }

    // Whether a text keeps to the Latin font: not asking for the CJK family, no CJK letter (which would load
    // it through the fallback).
    function latinOnly(t) {
        return t.font.family !== Style.cjkFamily && !/[\u3040-\u30ff\u3400-\u9fff\uac00-\ud7af]/.test(t.text)
    }

    // Every visible text of every view: {view, text, latin, wrong}; `room` gets the tightest fit.
    function walkViews(room) {
        var found = []
        var list = views()
        var light = page("lightControlMain")
        var mode = light.mode
        for (var v = 0; v < list.length; ++v) {
            closeAll()
            list[v][1]()
            settle(root)
            var texts = visibleTexts(root, [])
            for (var i = 0; i < texts.length; ++i) {
                var spare = { px: 1e9 }
                var wrong = misfit(texts[i], spare)
                if (spare.px < room.px && String(texts[i].text).length > 1)
                    room.px = spare.px, room.text = texts[i].text, room.view = list[v][0]
                found.push({ view: list[v][0], text: String(texts[i].text), latin: latinOnly(texts[i]), wrong: wrong })
            }
        }
        closeAll()
        light.applyMode(mode)
        return found
    }

    function requireShippedLanguages() {
        if (onStandIn)
            skip("needs the shipped language files")
        startUp()
        // One macro with actions, so the macro editor shows its list.
        var editor = page("macroEditorMain")
        if (editor.macroNames.length === 0)
            editor.newMacro()
        editor.selectMacro(0)
        editor.insertDelay()
        editor.insertClick(0xF0)
    }

    // Every shipped language, chosen while the program runs: its file is there, no text of any view is cut
    // or out of place, only the Chinese, Japanese and Korean texts use the CJK font, and the window shows
    // the same texts as a start in that language.
    function test_every_language_fits_every_view() {
        requireShippedLanguages()
        var problems = []
        var seen = []
        for (var l = 0; l < Languages.all.length; ++l) {
            var code = Languages.all[l].code
            verify(testFiles.exists("modules/i18n/" + code + ".ini"), code)
            root.chooseLanguage(code)
            compare(ui_View.getGlobalData("common/language"), code)
            var room = { px: 1e9 }
            var live = walkViews(room)
            var latin = Languages.fontFamilyFor(code) !== Style.cjkFamily
            for (var i = 0; i < live.length; ++i) {
                var wrong = live[i].wrong || (latin && !live[i].latin && live[i].view !== "ask menu" ? "in the CJK font" : "")
                var problem = code + ": \"" + live[i].text + "\" " + wrong
                if (wrong !== "" && seen.indexOf(problem) < 0)
                    seen.push(problem), problems.push(problem + " (" + live[i].view + ")")
            }
            var distinct = live.filter(function (t, i) { return live.findIndex(function (u) { return u.text === t.text }) === i })
            console.log(code + ": " + distinct.length + " texts on " + views().length + " views, the tightest \""
                        + room.text + "\" (" + room.view + ") with " + Math.floor(room.px) + " px to spare")

            // A new start in the language: in a Latin one, no text made (before and after initUI) keeps to
            // anything but the Latin font; and it shows what the live change shows.
            root.destroy()
            createMain()
            var made = allTexts(root, []).every(latinOnly)
            root.initUI()
            findChild(root, "protectTimer").interval = 1
            tryCompare(findChild(root, "protectUIItem"), "visible", false, 3000)
            verify(!latin || made && allTexts(root, []).every(latinOnly), code)
            page("macroEditorMain").selectMacro(0)
            var fresh = walkViews({ px: 0 })
            for (var k = 0; k < Math.max(fresh.length, live.length); ++k)
                verify(k < fresh.length && k < live.length && fresh[k].text === live[k].text, code + ", "
                       + (live[k] || fresh[k]).view + ": \"" + (live[k] || {}).text + "\", a new start: \"" + (fresh[k] || {}).text + "\"")
        }
        root.chooseLanguage("English")
        verify(problems.length === 0, problems.length + " texts do not fit:\n" + problems.join("\n"))
    }

    // ---- The language choice ----

    // The ask menu lists the languages by their own names; choosing one by the keyboard stores it, loads
    // its eleven groups and changes the font and the texts the pages built from it, at once.
    function test_choosing_a_language_applies_it_at_once() {
        requireStandIn()
        startUp(function () {
            standIn.setGlobal("common/language", "English")
            standIn.setNameList(2, ["Standard0"])
        })
        compare(root.fontFamily, Style.latinFamily)
        standIn.setLang("keyAssigment", ["Taste ", "Maus", "Linksklick", "Mitteltaste"])
        standIn.setLang("profile", ["Profile", "", "", "", "", "Standard-Profil"])
        mouseClick(findChild(root, "askButton"))
        var entry = findChild(root, "askEntry2")
        compare(entry.Accessible.name, "Language: English")
        entry.forceActiveFocus()
        keyClick(Qt.Key_Left)
        var menu = findChild(root, "languageMenu")
        verify(menu.visible)
        verify(findChild(menu, "languageEnglish").activeFocus)
        compare(findChild(menu, "languageJapanese").Accessible.name, "日本語")
        keyClick(Qt.Key_Down)   // around to the first language
        compare(findChild(menu, "languageGerman").Accessible.name, "Deutsch")
        recorder.clear()
        keyClick(Qt.Key_Return)

        verify(!page("askMenu").visible)
        compare(lastArgs("setGlobalData"), ["common/language", "German"])
        var groups = argsOf("getLangStrings")
        compare(groups.map(function (g) { return g[0] }), ["main", "keyMatrix", "keyAssigment", "dpiSetting",
            "lightControl", "macroEditor", "systemSetting", "gunControl", "profile", "keyCode", "other"])
        verify(groups.every(function (g) { return g[1] === "German" }))
        compare(root.language, "German")
        compare(page("keyMatrixMain").keyList[0].text, "Linksklick")
        compare(page("profileMain").profiles[0].name, "Standard-Profil")
        compare(root.fontFamily, Style.latinFamily)

        // A text the next language lacks is the built-in one again, not the one shown before.
        standIn.setLang("keyAssigment", ["キー", "マウス"])
        root.chooseLanguage("Japanese")
        compare(page("keyAssigmentMain").keyAssigmentLang.slice(1, 4), ["マウス", "Left Key", "Middle Key"])
        compare(root.fontFamily, Style.cjkFamily)
        recorder.clear()
        root.chooseLanguage("Japanese")
        compare(recorder.count("setGlobalData"), 0)
    }
}
