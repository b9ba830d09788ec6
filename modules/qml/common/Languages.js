.pragma library
.import "Style.js" as Style
// SPDX-License-Identifier: GPL-3.0-or-later
// The languages the program ships: the name of each one's text file (modules/i18n/<code>.ini), the name
// the language has in itself (what the language choice lists), and whether its texts need the font with
// Chinese, Japanese and Korean glyphs.

var all = [
    { code: "German", name: "Deutsch", cjk: false },
    { code: "French", name: "Français", cjk: false },
    { code: "Spanish", name: "Español", cjk: false },
    { code: "PortugueseBrazil", name: "Português (Brasil)", cjk: false },
    { code: "Italian", name: "Italiano", cjk: false },
    { code: "Polish", name: "Polski", cjk: false },
    { code: "Russian", name: "Русский", cjk: false },
    { code: "Turkish", name: "Türkçe", cjk: false },
    { code: "Japanese", name: "日本語", cjk: true },
    { code: "Korean", name: "한국어", cjk: true },
    { code: "ChineseTraditional", name: "繁體中文", cjk: true },
    { code: "ChineseSimplified", name: "简体中文", cjk: true },
    { code: "English", name: "English", cjk: false }
]

function indexOf(code)
{
    for (var i = 0; i < all.length; ++i)
        if (all[i].code === code)
            return i
    return -1
}

// The language's own name; a language the program does not ship is named by its file.
function nameOf(code)
{
    var i = indexOf(code)
    return i >= 0 ? all[i].name : code
}

// The font family for texts of the language: the CJK family only for Chinese, Japanese and Korean, so that
// its large font files are not opened for the other languages.
function fontFamilyFor(code)
{
    var i = indexOf(code)
    return i >= 0 && all[i].cjk ? Style.cjkFamily : Style.latinFamily
}
