import QtQuick
import "../common/Style.js" as Style
import "../common"

// The profile dialog. It keeps the profile list (name list 2): entries of a name and a profile number
// 0 to 5; the first is always shown as "Standard".
DialogFrame {
    id: profile

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard", "", "", "", "", "", "", "",
        "", "", "", "", "", "", ""]
    // [{name, profile}]
    property var profiles: [{ name: profileLang[5], profile: 0 }]

    title: profileLang[0]
    width: 420
    height: 360
    onCloseRequested: close()

    // Rebuilds the list from name list 2: each entry is the name followed by its profile digit.
    function init() {
        var list = ui_View.getNameList(2)
        var texts = []
        for (var i = 0; list && i < list.length; ++i)
            texts.push(String(list[i]))
        if (texts.length === 2 && texts[1] === "loaderfennic")
            texts.pop()
        var out = []
        for (var j = 0; j < texts.length && out.length < 6; ++j) {
            var n = parseInt(texts[j].slice(-1), 10)
            if (isNaN(n) || n < 0 || n > 5)
                continue
            out.push({ name: texts[j].slice(0, -1), profile: n })
        }
        if (out.length === 0)
            out.push({ name: "", profile: 0 })
        out[0].name = profileLang[5]
        profiles = out
    }

    function dropFocus() {
    }

    Column {
        x: 20
        y: 16
        spacing: 6
        Repeater {
            model: profile.profiles
            Text {
                required property var modelData
                text: modelData.name
                color: Style.fontColor
                font.family: Style.fontFamily
                font.pixelSize: Style.fontSize2
            }
        }
    }
}
