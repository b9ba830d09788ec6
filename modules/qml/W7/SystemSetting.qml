// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/Formulas.js" as Formulas
import "../common"

// The system settings dialog: the desktop's pointer speed, double-click speed and wheel scroll lines.
// Every change is stored in the profile and applied at once.
DialogFrame {
    id: system

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast",
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "", "", "", "", "", "", ""]
    property string resetText: "Reset"
    property string okText: "OK"
    property int skin: 1
    property int mouseRate: 155
    property int doubleRate: 155
    property int scrollRate: 3
    // The line count offered again when the user leaves "Scroll one Screen".
    property int lastLines: 3

    title: systemSettingLang[0]
    width: 460
    height: 330
    onCloseRequested: close()

    function dropFocus() {
        if (bodyItem)
            bodyItem.dropFocus()
    }

    // Reads the three values (from the default profile when isRecovery), and applies them when isSendData.
    function init(isSendData, isRecovery) {
        mouseRate = Values.clamp(Values.toInt(ui_View.getData("mouse/mouseRate", isRecovery), 155), Formulas.speedLow, Formulas.speedHigh)
        doubleRate = Values.clamp(Values.toInt(ui_View.getData("mouse/doubleRate", isRecovery), 155), Formulas.speedLow, Formulas.speedHigh)
        var lines = Values.toInt(ui_View.getData("mouse/scrollRate", isRecovery), 3)
        scrollRate = Formulas.isOneScreen(lines) ? Formulas.scrollOneScreen : Values.clamp(lines, 1, Formulas.scrollMaxLines)
        if (!Formulas.isOneScreen(scrollRate))
            lastLines = scrollRate
        if (isSendData)
            send(0)
    }

    // Step 1: pointer speed; 2: double-click speed; 3: scroll lines; 0: all three.
    function send(step) {
        if (step === 0 || step === 1)
            ui_View.mouseSetCursorSpeed(Formulas.speedIndex(mouseRate))
        if (step === 0 || step === 2)
            ui_View.mouseSetDoubleClickSpeed(Formulas.speedIndex(doubleRate))
        if (step === 0 || step === 3)
            ui_View.mouseSetVerticalScrollLines(scrollRate)
    }

    function saveData(sendData, step) {
        ui_View.setData("mouse/mouseRate", mouseRate)
        ui_View.setData("mouse/doubleRate", doubleRate)
        ui_View.setData("mouse/scrollRate", scrollRate)
        if (sendData)
            send(step)
    }

    function setMouseRate(p) {
        mouseRate = p
        saveData(true, 1)
    }

    function setDoubleRate(p) {
        doubleRate = p
        saveData(true, 2)
    }

    function setScrollLines(lines) {
        scrollRate = lines
        if (!Formulas.isOneScreen(lines))
            lastLines = lines
        saveData(true, 3)
    }

    // The default profile's values, stored and applied.
    function reset() {
        init(false, true)
        saveData(true, 0)
    }

    component SpeedRow: Item {
        id: row
        property string label
        property int value
        signal moved(int value)
        // Beside the row's picture, within the dialog's margins; the slider takes the room the two texts
        // at its ends leave (their lengths differ by language).
        width: 380
        height: 48
        Text {
            text: row.label
            color: Style.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize2
        }
        Text {
            id: slow
            y: 26
            text: system.systemSettingLang[3]
            color: Style.dimColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
        }
        SliderButton {
            objectName: "slider"
            x: Math.max(50, slow.implicitWidth + 10)
            y: 24
            width: fast.x - 10 - x
            from: Formulas.speedLow
            to: Formulas.speedHigh
            // A key press moves a whole step of the system's setting.
            stepSize: 33
            accessibleName: row.label
            value: row.value
            onMoved: (v) => row.moved(v)
        }
        Text {
            id: fast
            x: row.width - implicitWidth
            y: 26
            text: system.systemSettingLang[4]
            color: Style.dimColor
            font.family: Theme.fontFamily
            font.pixelSize: Style.fontSize1
        }
    }

    // The controls, made when the dialog first opens.
    bodyComponent: Component {
        Item {
            function dropFocus() {
                linesInput.dropFocus()
            }

            Column {
                x: 20
                y: 16
                spacing: 14
                Row {
                    spacing: 8
                    Image { source: Style.imageUrl(system.skin, "mouseRate", "speed.png") }
                    SpeedRow {
                        objectName: "mouseRateRow"
                        label: system.systemSettingLang[1]
                        value: system.mouseRate
                        onMoved: (v) => system.setMouseRate(v)
                    }
                }
                Row {
                    spacing: 8
                    Image { source: Style.imageUrl(system.skin, "mouseRate", "doubleClick.png") }
                    SpeedRow {
                        objectName: "doubleRateRow"
                        label: system.systemSettingLang[2]
                        value: system.doubleRate
                        onMoved: (v) => system.setDoubleRate(v)
                    }
                }
                Row {
                    spacing: 8
                    Image { source: Style.imageUrl(system.skin, "scrollRate", "scroll.png") }
                    Column {
                        spacing: 8
                        Text {
                            text: system.systemSettingLang[5]
                            color: Style.fontColor
                            font.family: Theme.fontFamily
                            font.pixelSize: Style.fontSize2
                        }
                        Row {
                            spacing: 10
                            RadioButton {
                                objectName: "linesOption"
                                anchors.verticalCenter: parent.verticalCenter
                                text: system.systemSettingLang[6]
                                checked: !Formulas.isOneScreen(system.scrollRate)
                                onClicked: system.setScrollLines(system.lastLines)
                            }
                            RectInput {
                                id: linesInput
                                objectName: "linesInput"
                                width: 60
                                numeric: true
                                minimum: 1
                                maximum: Formulas.scrollMaxLines
                                enabled: !Formulas.isOneScreen(system.scrollRate)
                                opacity: enabled ? 1 : 0.4
                                value: system.lastLines
                                accessibleName: system.systemSettingLang[6]
                                onEdited: (t) => {
                                    var n = Values.toInt(t, 0)
                                    if (n >= 1 && n <= Formulas.scrollMaxLines)
                                        system.setScrollLines(n)
                                }
                            }
                            RadioButton {
                                objectName: "screenOption"
                                anchors.verticalCenter: parent.verticalCenter
                                text: system.systemSettingLang[7]
                                checked: Formulas.isOneScreen(system.scrollRate)
                                onClicked: system.setScrollLines(Formulas.scrollOneScreen)
                            }
                        }
                    }
                }
            }
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 16
                spacing: 10
                TextButton {
                    objectName: "resetButton"
                    text: system.resetText
                    onClicked: system.reset()
                }
                TextButton {
                    objectName: "okButton"
                    text: system.okText
                    onClicked: system.closeRequested()
                }
            }
        }
    }
}
