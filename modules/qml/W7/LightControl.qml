// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/Formulas.js" as Formulas
import "../common"

// The lighting page: the mode, its speed and brightness (steps 0 to 4, shown as the mode needs them) and
// eight colours, each chosen from the presets or as any colour (the swatch shows it while it is chosen).
// Changes wait for Save.
Item {
    id: light

    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color", "Brightness",
        "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO", "Spotlight", "Breath Loop",
        "", "", "", ""]
    property string resetText: "Reset"
    property bool isColorful: false
    property bool is55328: false
    property bool isSave: false

    // Mode names as indices into the texts; built by the first init.
    property var modeTexts: [1, 2, 3, 4]
    property bool modesBuilt: false
    property int mode: 0
    property int speed: 2
    property int brightness: 4
    property var colors: [255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255, 255, 255, 255, 255, 128, 0]
    property bool showSpeed: false
    property bool showBrightness: true
    readonly property alias modeList: modeDrop

    readonly property var palette: ["#ff0000", "#ff8000", "#ffff00", "#80ff00", "#00ff00", "#00ff80",
        "#00ffff", "#0080ff", "#0000ff", "#8000ff", "#ff00ff", "#ff0080",
        "#ffffff", "#c0c0c0", "#808080", "#ff8080", "#80ff80", "#8080ff", "#000000"]

    width: 290
    height: 220
    z: modeDrop.opened || colorsOpen ? 10 : 0
    property bool colorsOpen: false

    function close() {
        modeDrop.close()
        for (var i = 0; i < swatches.count; ++i)
            swatches.itemAt(i).close()
    }

    function applyMode(m) {
        mode = m
        var shown = Formulas.lightControls(m, is55328, { speed: showSpeed, brightness: showBrightness })
        showSpeed = shown.speed
        showBrightness = shown.brightness
    }

    // Reads the stored mode, steps and colours (from the default profile when isRecovery), and sends them
    // when isSendData. The first call builds the list of modes the mouse offers.
    function init(isSendData, isRecovery) {
        if (!modesBuilt) {
            modeTexts = Formulas.lightModeTextIndices(isColorful, is55328)
            modesBuilt = true
        }
        var values = Values.toIntList(ui_View.getDataList("mouse/lightValue", isRecovery), 3, [mode, speed, brightness])
        speed = Values.clamp(values[1], 0, 4)
        brightness = Values.clamp(values[2], 0, 4)
        applyMode(Values.clamp(values[0], 0, modeTexts.length - 1))
        colors = Values.toIntList(ui_View.getDataList("mouse/colorValue", isRecovery), 24, colors)
        if (isSendData)
            send(0)
    }

    // Step 0: everything; 1: the mode and its steps; 2: the colours.
    function send(step) {
        if (step === 0 || step === 2)
            ui_View.mouseSetRGBColor(isColorful ? 0 : 1, Formulas.colorsForSave(colors, is55328, mode))
        if (step === 0 || step === 1) {
            ui_View.mouseSetRGBEffect(mode, speed, brightness)
            ui_View.mouseSetRGBEffect(mode, speed, brightness)
        }
    }

    function saveData(sendData, step) {
        colors = Formulas.colorsForSave(colors, is55328, mode)
        if (step === 0 || step === 1)
            ui_View.setDataList("mouse/lightValue", [mode, speed, brightness])
        if (step === 0 || step === 2)
            ui_View.setDataList("mouse/colorValue", colors)
        if (sendData)
            send(step)
    }

    function setMode(m) {
        applyMode(m)
        isSave = true
    }

    function setSpeed(s) {
        speed = Values.clamp(s, 0, 4)
        isSave = true
    }

    function setBrightness(b) {
        brightness = Values.clamp(b, 0, 4)
        isSave = true
    }

    function setColor(index, text) {
        var c = Qt.color(text)
        var list = colors.slice()
        list[3 * index] = Math.round(c.r * 255)
        list[3 * index + 1] = Math.round(c.g * 255)
        list[3 * index + 2] = Math.round(c.b * 255)
        colors = list
        isSave = true
    }

    function reset() {
        init(false, true)
        isSave = true
    }

    Text {
        id: title
        x: 4
        text: light.lightControlLang[0]
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize3
        font.bold: true
    }
    DropDownList {
        id: modeDrop
        objectName: "modeList"
        anchors.left: title.right
        anchors.leftMargin: 8
        anchors.verticalCenter: title.verticalCenter
        // Between the title and the Reset button, whose texts' lengths differ by language.
        width: Math.min(130, resetButton.x - 8 - x)
        accessibleName: light.lightControlLang[0]
        model: light.modeTexts.map(function (i) { return light.lightControlLang[i] })
        currentIndex: light.mode
        onSelected: (index) => light.setMode(index)
    }
    TextButton {
        id: resetButton
        objectName: "resetButton"
        anchors.right: parent.right
        anchors.verticalCenter: title.verticalCenter
        height: 24
        text: light.resetText
        onClicked: light.reset()
    }

    Column {
        y: 40
        width: parent.width
        spacing: 10
        Item {
            width: parent.width
            height: 22
            visible: light.showSpeed
            Text {
                anchors.verticalCenter: parent.verticalCenter
                x: 4
                text: light.lightControlLang[5]
                color: Style.dimColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize1
            }
            SliderButton {
                objectName: "speedSlider"
                x: 90
                width: parent.width - 100
                anchors.verticalCenter: parent.verticalCenter
                from: 0
                to: 4
                accessibleName: light.lightControlLang[5]
                value: light.speed
                onMoved: (v) => light.setSpeed(v)
            }
        }
        Item {
            width: parent.width
            height: 22
            visible: light.showBrightness
            Text {
                anchors.verticalCenter: parent.verticalCenter
                x: 4
                text: light.lightControlLang[7]
                color: Style.dimColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize1
            }
            SliderButton {
                objectName: "brightnessSlider"
                x: 90
                width: parent.width - 100
                anchors.verticalCenter: parent.verticalCenter
                from: 0
                to: 4
                accessibleName: light.lightControlLang[7]
                value: light.brightness
                onMoved: (v) => light.setBrightness(v)
            }
        }
        Item {
            width: parent.width
            height: 28
            Text {
                anchors.verticalCenter: parent.verticalCenter
                x: 4
                text: light.lightControlLang[6]
                color: Style.dimColor
                font.family: Theme.fontFamily
                font.pixelSize: Style.fontSize1
            }
            Row {
                x: 90
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2
                Repeater {
                    id: swatches
                    model: 8
                    DropDownGrid {
                        required property int index
                        objectName: "colour" + index
                        width: 22
                        height: 22
                        above: true
                        popupX: -index * 24
                        accessibleName: light.lightControlLang[6] + " " + (index + 1)
                        current: Formulas.colorText(light.colors[3 * index], light.colors[3 * index + 1], light.colors[3 * index + 2])
                        model: light.palette
                        onOpenedChanged: light.colorsOpen = opened
                        onPicked: (colour) => light.setColor(index, colour)
                    }
                }
            }
        }
    }
}
