// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/Formulas.js" as Formulas
import "../common"

// The DPI page: up to eight stages, each a slider over the mouse's DPI range in steps of `dpiBase`, and
// the number of stages in use. A stage's value can also be typed, and the arrow keys and the wheel step
// it by `dpiBase`. Changes wait for Save. Clicking a stage (or Enter on its number) makes it the stage
// the mouse uses, at once.
Item {
    id: dpi

    property var dpiSettingLang: ["DPI", "", "", "", ""]
    property string resetText: "Reset"
    property int skin: 1
    property bool isSave: false

    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property int dpiBase: 50
    property string sensorType: "3360"
    readonly property var builtInValues: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property var dpiValues: builtInValues.slice()
    // The stage the mouse uses (0-based); -1 while unknown.
    property int currentStage: -1
    readonly property alias countList: countDrop

    width: 290
    height: 290
    z: countDrop.opened ? 10 : 0

    function close() {
        countDrop.close()
    }

    // Reads the limits and stages (only the eight values from the default profile when isRecovery), and
    // sends them when isSendData.
    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            minDPI = Values.toInt(ui_View.getGlobalData("mouse/minDPI"), 200)
            maxDPI = Values.toInt(ui_View.getGlobalData("mouse/maxDPI"), 6000)
            dpiBase = Math.max(1, Values.toInt(ui_View.getGlobalData("mouse/dpiBase"), 50))
            sensorType = Values.toText(ui_View.getGlobalData("mouse/sensorType"), "3360")
            dpiCount = Values.clamp(Values.toInt(ui_View.getData("mouse/dpiCount", false), 4), 1, 8)
            currentDpiCount = Values.clamp(Values.toInt(ui_View.getData("mouse/currentDpiCount", false), 4), 1, dpiCount)
        }
        var stored = ui_View.getDataList("mouse/dpiValueArray", isRecovery)
        dpiValues = Values.toIntList(stored, 8, builtInValues)
        if (isSendData)
            send()
    }

    function send() {
        ui_View.mouseSetDpi(currentDpiCount, sensorType, dpiValues)
    }

    // Stores the eight values and the stage count, and sends them when `send` is true.
    function saveData(sendData) {
        ui_View.setDataList("mouse/dpiValueArray", dpiValues)
        ui_View.setData("mouse/currentDpiCount", currentDpiCount)
        if (sendData)
            send()
    }

    function setStageFromSlider(stage, position) {
        var list = dpiValues.slice()
        list[stage] = Formulas.dpiFromSlider(position, minDPI, maxDPI, dpiBase)
        dpiValues = list
        isSave = true
    }

    function stepStage(stage, steps) {
        setStageValue(stage, dpiValues[stage] + steps * dpiBase)
    }

    // A value for a stage, as typed: rounded to the DPI step within the mouse's range.
    function setStageValue(stage, value) {
        var v = Formulas.dpiSnapped(value, minDPI, maxDPI, dpiBase)
        if (v === dpiValues[stage])
            return
        var list = dpiValues.slice()
        list[stage] = v
        dpiValues = list
        isSave = true
    }

    // The stage the mouse uses from now on (not a profile setting: it is sent at once).
    function setActiveStage(stage) {
        if (stage < 0 || stage >= currentDpiCount)
            return
        currentStage = stage
        ui_View.mouseSetCurrentDPI(stage + 1)
    }

    function setStageCount(count) {
        currentDpiCount = Values.clamp(count, 1, dpiCount)
        isSave = true
    }

    // The default profile's eight values; the stage count and the limits stay.
    function reset() {
        init(false, true)
        isSave = true
    }

    Text {
        id: title
        x: 4
        text: dpi.dpiSettingLang[0]
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize3
        font.bold: true
    }
    DropDownList {
        id: countDrop
        objectName: "stageCount"
        anchors.left: title.right
        anchors.leftMargin: 16
        anchors.verticalCenter: title.verticalCenter
        width: 60
        accessibleName: dpi.dpiSettingLang[0]
        model: { var l = []; for (var i = 1; i <= dpi.dpiCount; ++i) l.push(i); return l }
        currentIndex: dpi.currentDpiCount - 1
        onSelected: (index) => dpi.setStageCount(index + 1)
    }
    TextButton {
        objectName: "resetButton"
        anchors.right: parent.right
        anchors.verticalCenter: title.verticalCenter
        height: 24
        text: dpi.resetText
        onClicked: dpi.reset()
    }

    Column {
        y: 36
        width: parent.width
        spacing: 4
        Repeater {
            model: dpi.currentDpiCount
            Rectangle {
                id: stage
                required property int index
                readonly property string name: dpi.dpiSettingLang[0] + " " + (index + 1)
                objectName: "stage" + index
                width: parent.width
                height: 28
                radius: 3
                color: dpi.currentStage === index ? Style.colorGray2 : Style.colorGray0
                MouseArea {
                    anchors.fill: parent
                    onClicked: dpi.setActiveStage(stage.index)
                }
                // The stage's number: Enter or Space makes it the stage in use.
                Item {
                    objectName: "stageButton"
                    x: 2
                    width: 30
                    height: parent.height
                    activeFocusOnTab: true
                    Keys.onReturnPressed: dpi.setActiveStage(stage.index)
                    Keys.onEnterPressed: dpi.setActiveStage(stage.index)
                    Keys.onSpacePressed: dpi.setActiveStage(stage.index)
                    Accessible.role: Accessible.RadioButton
                    Accessible.name: stage.name
                    Accessible.checkable: true
                    Accessible.checked: dpi.currentStage === stage.index
                    Accessible.onPressAction: dpi.setActiveStage(stage.index)
                    Rectangle {
                        x: 4
                        anchors.verticalCenter: parent.verticalCenter
                        width: 8
                        height: 8
                        radius: 4
                        color: dpi.currentStage === stage.index ? Style.colorOrange : Style.lineColor
                    }
                    Text {
                        x: 18
                        anchors.verticalCenter: parent.verticalCenter
                        text: stage.index + 1
                        color: Style.dimColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Style.fontSize1
                    }
                    FocusRing {
                        inset: 1
                    }
                }
                SliderButton {
                    objectName: "slider"
                    x: 36
                    width: parent.width - 106
                    anchors.verticalCenter: parent.verticalCenter
                    from: Formulas.dpiLow
                    to: Formulas.dpiHigh
                    value: Formulas.sliderFromDpi(dpi.dpiValues[stage.index], dpi.minDPI, dpi.maxDPI, dpi.dpiBase)
                    ownSteps: false
                    accessibleName: stage.name
                    Accessible.description: String(dpi.dpiValues[stage.index])
                    onMoved: (p) => dpi.setStageFromSlider(stage.index, p)
                    onStepped: (steps) => dpi.stepStage(stage.index, steps)
                }
                RectInput {
                    objectName: "valueInput"
                    anchors.right: parent.right
                    anchors.rightMargin: 4
                    anchors.verticalCenter: parent.verticalCenter
                    width: 56
                    height: 22
                    flat: true
                    numeric: true
                    minimum: 0
                    maximum: 99999
                    alignRight: true
                    value: dpi.dpiValues[stage.index]
                    accessibleName: stage.name
                    onEdited: (t) => dpi.setStageValue(stage.index, Values.toInt(t, dpi.dpiValues[stage.index]))
                }
            }
        }
    }
}
