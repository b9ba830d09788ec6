.pragma library
// SPDX-License-Identifier: GPL-3.0-or-later
// Colours, fonts and image paths shared by the root item, the pages and the controls.

var fontName = "微软雅黑"
// The font families of the interface (see Languages.fontFamilyFor): one with Chinese, Japanese and Korean
// glyphs, and a Latin one with Cyrillic and Turkish letters. They are named, not looked up among the
// installed fonts (listing those costs time at every start): a missing family is replaced by the system's
// choice, and a glyph a font lacks is drawn from another font that has it.
var cjkFamily = Qt.platform.os === "windows" ? fontName : "WenQuanYi Micro Hei"
var latinFamily = Qt.platform.os === "windows" ? "Segoe UI" : "DejaVu Sans"
var fontSize0 = 10
var fontSize1 = 12
var fontSize2 = 14
var fontSize3 = 16
var fontColor = "#ffffff"
var dimColor = "#9aa4ae"

var colorOrange = "#04a6e1"   // hover and selection
var colorBlue = "#3f04a6e1"
var colorBlack = "#3f04a6e1"
var colorGray0 = "#1f04a6e1"
var colorGray1 = "#3f04a6e1"
var colorGray2 = "#6f04a6e1"
var colorGray3 = "#8f04a6e1"
var maskColor = "#90000000"
var pendingColor = "#ff3030"  // the Save button while changes wait to be sent
var panelColor = "#d0141a20"
var fieldColor = "#1c252d"
var lineColor = "#2f4a5a"
var focusColor = "#ffc94a"    // the ring around the control that has the keyboard focus

function imageUrl(skin, group, file)
{
    return "qrc:/modules/img/skin" + skin + "/" + group + "/" + file
}
