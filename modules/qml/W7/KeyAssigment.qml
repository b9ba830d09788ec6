// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../theme"
import "../common/Values.js" as Values
import "../common/KeyFunctions.js" as KeyFunctions
import "../common"

// The assignment dialog: gives one button (`selectKey`) a function from nine categories. Closing writes
// the new codes into the button list (the change waits for Save; a macro is uploaded at once); Cancel
// keeps the codes the button had.
DialogFrame {
    id: dialog

    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key", "Right Key", "Forward Key",
        "Back Key", "Double Fire", "Fire Function", "Key Value", "Click Input", "Rate", "Times", "Endness",
        "Group Function", "Media Function", "Macro Function", "Macro Editor",
        "Macro runs one-time after pressing the button", "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-", "DPI LOOP",
        "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop", "Mute", "Play/Pause",
        "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min", "Desktop", "Run", "New", "Cut", "Copy",
        "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All", "Gun Function", "One Gun", "Two Gun",
        "Three Gun", "Sniper Key", "", "", ""]
    property string okText: "OK"
    property string cancelText: "Cancel"
    property bool isGun: true
    property var keyNames: null
    property var macroNames: []

    property int selectKey: 0
    property var originalCodes: [0, 0, 0, 0]
    property var codes: [0, 0, 0, 0]
    property int category: 0
    // What the key fields wait for: "" nothing, "fire" the fire key, "group" combination keys.
    property string capturing: ""
    property int fireKey: 0
    property int fireRate: 10
    property bool fireRateChosen: false
    property int fireTimes: 0
    property var combo: KeyFunctions.newCombination()
    property string macroName: ""
    property int macroMode: 0
    property string originalMacroName: ""

    // Closing with new codes: the root writes them into the button list (and uploads a macro).
    signal assigned(int index, var codes, string macroName)
    signal openMacroEditor()

    title: keyAssigmentLang[0] + " " + (selectKey + 1)
    width: 640
    height: 440
    closeName: cancelText
    onCloseRequested: finish()
    // Escape is Cancel: the button keeps its codes.
    escapeCloses: false
    onEscapePressed: cancel()

    function init() {
        capturing = ""
    }

    function nameOf(code) {
        return keyNames ? keyNames.keycodeTostr(code) : ""
    }

    function storedMacroName(slot) {
        return Values.toText(ui_View.getData("mouseMacroKey/" + slot, false), "")
    }

    // Opens the dialog for button `index`, whose entry has these codes.
    function openFor(index, entryCodes) {
        selectKey = index
        originalCodes = entryCodes.slice()
        codes = entryCodes.slice()
        category = (codes[0] >= 0 && codes[0] <= 8) ? codes[0] : 0
        if (category === KeyFunctions.gunFunction && !isGun)
            category = 0
        capturing = ""
        fireKey = category === KeyFunctions.fireFunction ? codes[1] : 0
        fireRate = category === KeyFunctions.fireFunction && codes[2] > 0 ? codes[2] : 10
        fireRateChosen = category === KeyFunctions.fireFunction
        fireTimes = category === KeyFunctions.fireFunction ? codes[3] : 0
        combo = category === KeyFunctions.groupFunction
              ? { codes: codes.slice(), keys: (codes[2] ? 1 : 0) + (codes[3] ? 1 : 0),
                  text: KeyFunctions.combinationText(codes, nameOf) }
              : KeyFunctions.newCombination()
        macroMode = category === KeyFunctions.macroFunction ? Values.clamp(codes[1], 0, 2) : 0
        macroName = category === KeyFunctions.macroFunction ? storedMacroName(index) : ""
        originalMacroName = macroName
        open()
    }

    function dropFocus() {
        capturing = ""
        if (bodyItem)
            bodyItem.dropFocus()
    }

    function chooseCategory(c) {
        dropFocus()
        category = c
    }

    function chooseFixed(codeText) {
        codes = KeyFunctions.codesFromText(codeText)
    }

    // Fire: the key, the rate in milliseconds and the repetitions (0: endless).
    function updateFire() {
        if (fireKey !== 0)
            codes = KeyFunctions.fireCodes(fireKey, fireRate, fireTimes)
    }

    function chooseRate(index) {
        fireRate = index + 1
        fireRateChosen = true
        updateFire()
    }

    function setTimes(n) {
        fireTimes = Values.clamp(n, 0, 255)
        updateFire()
    }

    function startCapture(what) {
        dropFocus()
        capturing = what
        if (what === "group")
            combo = KeyFunctions.newCombination()
    }

    // A key from the keyboard hook: the fire key is the next key pressed; a combination takes every
    // press while its field waits.
    function keyInput(isDown, usbCode) {
        if (!visible || !isDown || capturing === "")
            return
        if (capturing === "fire") {
            fireKey = usbCode & 0xFF
            capturing = ""
            updateFire()
        } else if (capturing === "group") {
            combo = KeyFunctions.addToCombination(combo, usbCode & 0xFF, nameOf(usbCode))
            codes = combo.codes.slice()
        }
    }

    function chooseMacro(name, mode) {
        macroName = name
        macroMode = Values.clamp(mode, 0, 2)
        if (macroName !== "")
            codes = KeyFunctions.macroCodes(macroMode, selectKey)
    }

    // Closing: writes changed codes into the button list.
    function finish() {
        dropFocus()
        close()
        var changed = !KeyFunctions.sameCodes(codes, originalCodes)
        var macroChanged = codes[0] === KeyFunctions.macroFunction && macroName !== originalMacroName
        if (changed || macroChanged)
            assigned(selectKey, codes.slice(), codes[0] === KeyFunctions.macroFunction ? macroName : "")
    }

    function cancel() {
        codes = originalCodes.slice()
        dropFocus()
        close()
    }

    readonly property var categories: isGun ? [0, 1, 2, 3, 4, 5, 6, 7, 8] : [0, 1, 2, 3, 4, 5, 6, 7]

    component Label: Text {
        color: Style.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Style.fontSize1
    }

    // The controls, made when the dialog first opens.
    bodyComponent: Component {
        Item {
            function dropFocus() {
                timesInput.dropFocus()
                rateDrop.close()
                macroDrop.close()
            }

            // The categories.
            Column {
                x: 16
                y: 14
                spacing: 8
                Repeater {
                    model: dialog.categories
                    RadioButton {
                        required property var modelData
                        objectName: "category" + modelData
                        text: dialog.keyAssigmentLang[KeyFunctions.categoryTextIndex[modelData]]
                        checked: dialog.category === modelData
                        pixelSize: Style.fontSize2
                        onClicked: dialog.chooseCategory(modelData)
                    }
                }
            }
            Rectangle {
                x: 190
                y: 10
                width: 1
                height: parent.height - 70
                color: Style.colorGray2
            }

            // Fixed entries of the categories that have them.
            Grid {
                objectName: "fixedEntries"
                x: 210
                y: 14
                columns: 2
                columnSpacing: 24
                rowSpacing: 10
                visible: KeyFunctions.fixedEntries[dialog.category] !== undefined
                Repeater {
                    model: KeyFunctions.fixedEntries[dialog.category] || []
                    RadioButton {
                        required property var modelData
                        objectName: "fixed" + modelData[0]
                        width: 190
                        text: dialog.keyAssigmentLang[modelData[0]]
                        checked: KeyFunctions.sameCodes(dialog.codes, KeyFunctions.codesFromText(modelData[1]))
                        onClicked: dialog.chooseFixed(modelData[1])
                    }
                }
            }

            // Fire.
            Column {
                x: 210
                y: 14
                spacing: 12
                visible: dialog.category === KeyFunctions.fireFunction
                z: rateDrop.opened ? 10 : 0
                Row {
                    spacing: 10
                    Label { width: 80; anchors.verticalCenter: parent.verticalCenter; text: dialog.keyAssigmentLang[9] }
                    RectInput {
                        objectName: "fireKeyInput"
                        width: 180
                        accessibleName: dialog.keyAssigmentLang[9]
                        readOnly: true
                        waiting: dialog.capturing === "fire"
                        placeholder: dialog.keyAssigmentLang[10]
                        text: dialog.fireKey ? dialog.nameOf(dialog.fireKey) : ""
                        onClicked: dialog.startCapture("fire")
                    }
                }
                Row {
                    spacing: 10
                    z: 10
                    Label { width: 80; anchors.verticalCenter: parent.verticalCenter; text: dialog.keyAssigmentLang[11] }
                    DropDownList {
                        id: rateDrop
                        objectName: "rateList"
                        width: 100
                        accessibleName: dialog.keyAssigmentLang[11]
                        model: { var l = []; for (var i = 0; i < 255; ++i) l.push((i + 1) + "MS"); return l }
                        currentIndex: dialog.fireRateChosen ? dialog.fireRate - 1 : -1
                        displayText: KeyFunctions.rateText(dialog.fireRate, dialog.fireRateChosen)
                        onSelected: (index) => dialog.chooseRate(index)
                    }
                }
                Row {
                    spacing: 10
                    Label { width: 80; anchors.verticalCenter: parent.verticalCenter; text: dialog.keyAssigmentLang[12] }
                    RectInput {
                        id: timesInput
                        objectName: "timesInput"
                        width: 60
                        numeric: true
                        minimum: 0
                        maximum: 255
                        value: dialog.fireTimes
                        accessibleName: dialog.keyAssigmentLang[12]
                        onEdited: (t) => dialog.setTimes(Values.toInt(t, 0))
                    }
                    CheckBox {
                        objectName: "endlessBox"
                        anchors.verticalCenter: parent.verticalCenter
                        text: dialog.keyAssigmentLang[13]
                        checked: dialog.fireTimes === 0
                        onToggled: (on) => dialog.setTimes(on ? 0 : 1)
                    }
                }
            }

            // Key combination.
            Column {
                x: 210
                y: 14
                spacing: 12
                visible: dialog.category === KeyFunctions.groupFunction
                Label { text: dialog.keyAssigmentLang[9] }
                RectInput {
                    objectName: "groupInput"
                    width: 380
                    accessibleName: dialog.keyAssigmentLang[9]
                    readOnly: true
                    waiting: dialog.capturing === "group"
                    placeholder: dialog.keyAssigmentLang[10]
                    text: dialog.combo.text
                    onClicked: dialog.startCapture("group")
                }
            }

            // Macro.
            Column {
                x: 210
                y: 14
                spacing: 12
                visible: dialog.category === KeyFunctions.macroFunction
                Row {
                    spacing: 10
                    z: 10
                    DropDownList {
                        id: macroDrop
                        objectName: "macroList"
                        width: 200
                        accessibleName: dialog.keyAssigmentLang[16]
                        model: dialog.macroNames
                        currentIndex: dialog.macroNames.indexOf(dialog.macroName)
                        onSelected: (index) => dialog.chooseMacro(dialog.macroNames[index], dialog.macroMode)
                    }
                    TextButton {
                        objectName: "macroEditorButton"
                        height: 24
                        text: dialog.keyAssigmentLang[17]
                        onClicked: dialog.openMacroEditor()
                    }
                }
                Repeater {
                    model: 3
                    RadioButton {
                        required property int index
                        objectName: "macroMode" + index
                        text: dialog.keyAssigmentLang[18 + index]
                        checked: dialog.macroMode === index
                        onClicked: dialog.chooseMacro(dialog.macroName, index)
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
                    objectName: "cancelButton"
                    text: dialog.cancelText
                    onClicked: dialog.cancel()
                }
                TextButton {
                    objectName: "okButton"
                    text: dialog.okText
                    onClicked: dialog.finish()
                }
            }
        }
    }
}
