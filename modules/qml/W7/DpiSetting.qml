import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/Formulas.js" as Formulas
import "../common"

// The DPI page: up to eight stages, each a slider over the mouse's DPI range in steps of `dpiBase`, and
// the number of stages in use. Changes wait for Save.
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
                objectName: "stage" + index
                width: parent.width
                height: 28
                radius: 3
                color: dpi.currentStage === index ? Style.colorGray2 : Style.colorGray0
                Rectangle {
                    x: 6
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: dpi.currentStage === stage.index ? Style.colorOrange : Style.lineColor
                }
                Text {
                    x: 20
                    anchors.verticalCenter: parent.verticalCenter
                    text: stage.index + 1
                    color: Style.dimColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
                SliderButton {
                    objectName: "slider"
                    x: 36
                    width: parent.width - 106
                    anchors.verticalCenter: parent.verticalCenter
                    from: Formulas.dpiLow
                    to: Formulas.dpiHigh
                    value: Formulas.sliderFromDpi(dpi.dpiValues[stage.index], dpi.minDPI, dpi.maxDPI, dpi.dpiBase)
                    onMoved: (p) => dpi.setStageFromSlider(stage.index, p)
                }
                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: dpi.dpiValues[stage.index]
                    color: Style.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Style.fontSize1
                }
            }
        }
    }
}
