import QtQuick
import "../common/Style.js" as Style
import "../common/MacroCode.js" as MacroCode
import "../common"

// The macro editor dialog. It keeps the macro list (name list 0) that the assignment dialog offers, and
// uploads a stored macro to the mouse for the buttons bound to it.
DialogFrame {
    id: editor

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times",
        "OK", "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key",
        "Insert Left Key", "Insert Middle Key", "Insert Right Key", "", ""]
    property var keyNames: null
    property var macroNames: []

    title: macroEditorLang[0]
    width: 640
    height: 440
    onCloseRequested: close()

    // The macro names of name list 0 (a two-entry list ending in the one-name marker holds one name).
    function init() {
        var list = ui_View.getNameList(0)
        var names = []
        for (var i = 0; list && i < list.length; ++i)
            names.push(String(list[i]))
        if (names.length === 2 && names[1] === "loaderfennic")
            names.pop()
        macroNames = names
    }

    function dropFocus() {
    }

    function keyInput(isDown, usbCode) {
    }

    // Uploads the stored macro `name` to macro slot `slot` (the index of the button bound to it).
    function sendMacro(name, slot) {
        var stored = MacroCode.parseStored(ui_View.loadMacroIni(name))
        var names = keyNames
        var bytes = MacroCode.deCode(stored.actions, stored.repeat,
                                     function (n) { return names ? names.strTokeycode(n) : 0 })
        ui_View.mouseSendMacroData(bytes, slot)
    }

    Text {
        x: 20
        y: 16
        text: editor.macroEditorLang[1]
        color: Style.dimColor
        font.family: Style.fontFamily
        font.pixelSize: Style.fontSize1
    }
    Column {
        x: 20
        y: 40
        spacing: 4
        Repeater {
            model: editor.macroNames
            Text {
                required property var modelData
                text: modelData
                color: Style.fontColor
                font.family: Style.fontFamily
                font.pixelSize: Style.fontSize1
            }
        }
    }
}
