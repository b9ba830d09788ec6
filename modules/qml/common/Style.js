.pragma library
// Colours, fonts and image paths shared by the root item, the pages and the controls.

var fontName = "微软雅黑"
// The family actually used: the preferred one where it is installed, otherwise a font that carries the
// Chinese texts on Linux, otherwise whatever the system substitutes.
var fontFamily = (function () {
    var families = Qt.fontFamilies()
    var wanted = [fontName, "Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC"]
    for (var i = 0; i < wanted.length; ++i)
        if (families.indexOf(wanted[i]) >= 0)
            return wanted[i]
    return fontName
})()
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
