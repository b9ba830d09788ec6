// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/Formulas.js" as Formulas

// The lift-off distance box of the left panel: a slider 3 to 89 shown in millimetres and an Enable check
// box. Both are stored in the profile at once; the device gets them with Save.
Item {
    id: lod

    property int skin: 1
    property string title: "LOD"
    property string enableText: "Enable"
    property int value: Formulas.lodLow
    property bool enable: false
    property bool isSave: false
    readonly property alias slider: lodSlider

    width: 290
    height: 64

    function close() {
        lodSlider.close()
    }

    // Reads the stored setting of the current profile, and sends it when isSendData.
    function init(isSendData) {
        value = Values.clamp(Values.toInt(ui_View.getData("mouse/reportRate", false), Formulas.lodLow),
                             Formulas.lodLow, Formulas.lodHigh)
        enable = Values.toBool(ui_View.getData("mouse/reportRateEn", false), false)
        if (isSendData)
            send()
    }

    function send() {
        ui_View.mouseSetReportRate(Formulas.lodSendValue(value), enable ? 1 : 0)
    }

    function setValue(v) {
        value = Values.clamp(v, Formulas.lodLow, Formulas.lodHigh)
        ui_View.setData("mouse/reportRate", value)
        isSave = true
    }

    function setEnable(on) {
        enable = on
        ui_View.setData("mouse/reportRateEn", on)
        isSave = true
    }

    Text {
        x: 4
        text: lod.title
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize3
        font.bold: true
    }
    Image {
        x: 4
        y: 30
        asynchronous: true
        source: Style.imageUrl(lod.skin, "reportRate", "lod.png")
    }
    DropDownSlider {
        id: lodSlider
        objectName: "lodSlider"
        x: 34
        y: 30
        width: 144
        text: Formulas.lodLabel(lod.value)
        accessibleName: lod.title
        from: Formulas.lodLow
        to: Formulas.lodHigh
        value: lod.value
        onMoved: (v) => lod.setValue(v)
    }
    CheckBox {
        objectName: "lodEnable"
        x: 192
        y: 33
        text: lod.enableText
        checked: lod.enable
        onToggled: (on) => lod.setEnable(on)
    }
}
