pragma Singleton
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Languages.js" as Languages

// What every page follows while the program runs: the language whose texts are shown and the font family
// that goes with it. The root sets `language` whenever it loads a language's texts; every text binds its
// family to `fontFamily`, so a change of language changes the font everywhere at once.
QtObject {
    property string language: ""
    readonly property string fontFamily: Languages.fontFamilyFor(language)
}
