import QtQuick
import QtTest
import "qrc:/modules/qml/common/Style.js" as Style

// The language choice of the ask menu.
ZephraTestCase {
    name: "Languages"

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
