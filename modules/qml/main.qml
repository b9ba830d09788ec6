// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "common/Style.js" as Style
import "theme"
import "common/Values.js" as Values
import "common/Formulas.js" as Formulas
import "common/KeyFunctions.js" as KeyFunctions
import "common"
import "basic"
import "W7"

// The root of the interface: one 1024 x 640 screen with fixed panels and dialogs over a dimming mask.
// The view drives it through six functions (initUI, run, setProtectUI, setCurrentDPI, detectKeyboard,
// detectMouse); the pages reach the program through ui_View, hid and ui_Ctl.
Item {
    id: mainIten
    objectName: "mainIten"

    width: 1024
    height: 640
    visible: false

    property string language: "ChineseSimplified"
    property string url: "https://www.orvante.example/zephra"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property bool isPownOn: false
    property bool initProfile: true
    property int skin: 1
    property int profileNo: 0

    property string fontName: Style.fontName
    property string fontFamily: Theme.fontFamily
    property int fontSize0: Style.fontSize0
    property int fontSize1: Style.fontSize1
    property int fontSize2: Style.fontSize2
    property int fontSize3: Style.fontSize3
    property color fontColor: Style.fontColor
    property color colorOrange: Style.colorOrange
    property color colorBlue: Style.colorBlue
    property color colorBlack: Style.colorBlack
    property color colorGray0: Style.colorGray0
    property color colorGray1: Style.colorGray1
    property color colorGray2: Style.colorGray2
    property color colorGray3: Style.colorGray3

    readonly property var builtInMainLang: ["Editor", "Macro Editor", "Gun Editor", "LOD", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save",
        "Save the changes to the current profile", "Discard", "", ""]
    property var mainLang: builtInMainLang

    // Anything waiting for Save.
    readonly property bool isPending: keyMatrixMain.isSave || dpiSettingMain.isSave || lightControlMain.isSave
                                      || lodBoxMain.isSave
    // The mouse was connected and is gone (the session tells; the test stand-ins have no session).
    readonly property bool mouseGone: typeof sessionStatus !== "undefined" && sessionStatus !== null
                                      && !sessionStatus.mouseConnected
    readonly property bool dialogOpen: keyAssigmentMain.visible || systemSettingMain.visible || macroEditorMain.visible
                                       || profileMain.visible || gunControlMain.visible || confirmBox.visible

    // Whether work behind the busy indicator (whileBusy) waits or runs.
    readonly property alias working: busyWork.working

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int dorvCode, int x, int y)
    signal emptyAreaPressed()

    onMouseGoneChanged: if (mouseGone) mainFocus()

    onMsg_KB: (isDown, usbCode) => {
        keyAssigmentMain.keyInput(isDown, usbCode)
        macroEditorMain.keyInput(isDown, usbCode)
    }

    // ---- Functions called by the view ----

    function initUI() {
        setProtectUI(1000)
        visible = true
        if (!isPownOn) {
            isColorful = Values.toBool(ui_View.getGlobalData("mouse/isColorful"), isColorful)
            icType = Values.toText(ui_View.getGlobalData("mouse/icType"), icType)
            isGun = Values.toBool(ui_View.getGlobalData("mouse/isGun"), isGun)
            is55328 = Values.toBool(ui_View.getGlobalData("mouse/is55328"), is55328)
            mouseMain.keyCount = Values.clamp(Values.toInt(ui_View.getGlobalData("mouse/keyCount"), 8), 0, 8)
            language = Values.toText(ui_View.getGlobalData("common/language"), language)
            url = Values.toText(ui_View.getGlobalData("common/url"), url)
            if (icType === "560" && Values.toInt(ui_View.mouseReadCurrentProfile(), 0) !== 1)
                hid.hid560_02H_SetCurrentProfile(1)
            loadLanguage()
            profileMain.init()
            profileNo = Values.toInt(ui_View.getGlobalData("mouse/profileNo"), 0)
            if (profileNo < 0 || profileNo > 5)
                profileNo = 0
            ui_View.setCurrentProfile(profileNo)
            lodBoxMain.init(false)
            macroEditorMain.init()
            gunControlMain.init()
            keyAssigmentMain.init()
            keyMatrixMain.init(false, false)
            dpiSettingMain.init(false, false)
            lightControlMain.init(false, false)
            systemSettingMain.init(false, false)
            lodBoxMain.isSave = false
            isPownOn = true
        }
        dpiSettingMain.currentStage = Values.clamp(Values.toInt(ui_View.mouseGetCurrentDPI(), 0) - 1, -1, 7)
    }

    function run() {
    }

    function setProtectUI(interval) {
        protectUIItem.visible = true
        ui_View.setEnabled(false)
        protectTimer.interval = Math.max(0, Values.toInt(interval, 0))
        protectTimer.restart()
    }

    function setCurrentDPI(dpiValue) {
        var stage = Values.toInt(dpiValue, 0)
        if (stage !== 0)
            dpiSettingMain.currentStage = stage - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(Values.toBool(isDown, false), Values.toInt(usbCode, 0))
    }

    function detectMouse(isDown, dorvCode, x, y) {
        msg_MS(Values.toBool(isDown, false), Values.toInt(dorvCode, 0), Values.toInt(x, 0), Values.toInt(y, 0))
    }

    // ---- Functions used by the pages ----

    function controlUIEnable(isEnable) {
        protectUIItem.visible = !isEnable
        ui_View.setEnabled(isEnable)
    }

    function mainFocus() {
        lodBoxMain.close()
        dpiSettingMain.close()
        upItem.close()
        lightControlMain.close()
        askMenu.visible = false
    }

    // Where each of the eleven language groups goes, in the order they are read ("other" goes nowhere in
    // the interface: reading it sets the texts of the DPI-switch notifications).
    function languageReceivers() {
        return [["main", mainIten, "mainLang"], ["keyMatrix", keyMatrixMain, "keyMatrixLang"],
                ["keyAssigment", keyAssigmentMain, "keyAssigmentLang"], ["dpiSetting", dpiSettingMain, "dpiSettingLang"],
                ["lightControl", lightControlMain, "lightControlLang"], ["macroEditor", macroEditorMain, "macroEditorLang"],
                ["systemSetting", systemSettingMain, "systemSettingLang"], ["gunControl", gunControlMain, "gunControlLang"],
                ["profile", profileMain, "profileLang"], ["keyCode", _KeyCodeString, "keyCodeStr"], ["other", null, ""]]
    }
    // The receivers' built-in texts, kept when the first language is loaded: a text a language lacks is
    // the built-in one, never the one of the language shown before.
    property var builtInTexts: null

    // The eleven language groups of `language`, in order; a group replaces the built-in texts it supplies.
    // The font follows the language.
    function loadLanguage() {
        var receivers = languageReceivers()
        if (builtInTexts === null)
            builtInTexts = receivers.map(function (r) { return r[1] ? r[1][r[2]].slice() : [] })
        for (var i = 0; i < receivers.length; ++i) {
            var texts = ui_View.getLangStrings(receivers[i][0], language)
            if (receivers[i][1])
                receivers[i][1][receivers[i][2]] = Values.mergeTexts(builtInTexts[i], texts)
        }
        Theme.language = language
    }

    // The language chosen in the ask menu: stored, and shown at once. Texts the pages made from the
    // language's texts are made again.
    function chooseLanguage(code) {
        mainFocus()
        if (code === language)
            return
        language = code
        ui_View.setGlobalData("common/language", language)
        loadLanguage()
        keyMatrixMain.refreshTexts()
        profileMain.init()
    }

    // Sends what waits for Save, in a fixed order, behind the busy indicator.
    function saveAll() {
        mainFocus()
        if (!isPending)
            return
        whileBusy(sendPending)
    }

    function sendPending() {
        if (keyMatrixMain.isSave) {
            keyMatrixMain.isSave = false
            keyMatrixMain.saveData()
        }
        if (dpiSettingMain.isSave) {
            dpiSettingMain.isSave = false
            dpiSettingMain.saveData(true)
        }
        if (lightControlMain.isSave) {
            lightControlMain.isSave = false
            lightControlMain.saveData(true, 0)
        }
        if (lodBoxMain.isSave) {
            lodBoxMain.isSave = false
            lodBoxMain.send()
        }
    }

    // Runs `work` behind the busy indicator, once it shows (a gun-key upload blocks for about two seconds).
    function whileBusy(work) {
        busyWork.run(work)
    }

    // Asks `question` in the confirmation box; `then` gets "ok", "other" or "cancel".
    function ask(question, okText, otherText, then) {
        mainFocus()
        confirmBox.ask(question, okText, otherText, then)
    }

    // Reads the current profile into every page and sends it.
    function sendProfile() {
        keyMatrixMain.init(true, false)
        lodBoxMain.init(true)
        dpiSettingMain.init(true, false)
        lightControlMain.init(true, false)
        systemSettingMain.init(true, false)
        keyMatrixMain.isSave = false
        dpiSettingMain.isSave = false
        lightControlMain.isSave = false
        lodBoxMain.isSave = false
    }

    // Switches to profile `index`. Changes not yet saved are not dropped unasked: saved first, discarded,
    // or the switch is cancelled.
    function changeProfile(index) {
        if (index === profileNo)
            return
        if (!isPending) {
            whileBusy(function () { switchProfile(index) })
            return
        }
        ask(mainLang[11], mainLang[10], mainLang[12], function (choice) {
            if (choice === "ok")
                whileBusy(function () { sendPending(); switchProfile(index) })
            else if (choice === "other")
                whileBusy(function () { switchProfile(index) })
        })
    }

    function switchProfile(index) {
        profileNo = index
        ui_View.setGlobalData("mouse/profileNo", profileNo)
        ui_View.setCurrentProfile(profileNo)
        sendProfile()
    }

    // Asks `question`; OK (`okText`) runs `action`.
    function confirmThen(question, okText, action) {
        ask(question, okText, "", function (choice) { if (choice === "ok") action() })
    }

    function askFactoryReset() {
        confirmThen(mainLang[6], mainLang[8], function () { whileBusy(factoryReset) })
    }

    function factoryReset() {
        keyMatrixMain.isSave = false
        dpiSettingMain.isSave = false
        lightControlMain.isSave = false
        ui_View.resetProfile(profileNo)
        sendProfile()
        ui_View.mouseSetCurrentDPI(2)
        dpiSettingMain.currentStage = 1
        gunControlMain.resetGun()
        lodBoxMain.isSave = false
    }

    function openDialog(dialog) {
        mainFocus()
        dialog.open()
    }

    // Closing the assignment dialog with new codes: the entry changes (and waits for Save); a macro is
    // uploaded at once to the button's slot and named in the profile.
    function applyAssignment(index, codes, macroName) {
        keyMatrixMain.setEntry(index, codes)
        if (codes[0] === KeyFunctions.macroFunction && macroName !== "") {
            macroEditorMain.sendMacro(macroName, codes[2])
            ui_View.setData("mouseMacroKey/" + index, macroName)
            keyMatrixMain.refreshTexts()
        }
    }

    // A macro's actions changed: every button of the current profile bound to it gets it again.
    function macroDataChanged(name) {
        var bound = keyMatrixMain.boundTo(name)
        if (bound.length === 0)
            return
        var bytes = macroEditorMain.encode(name)
        for (var i = 0; i < bound.length; ++i)
            ui_View.mouseSendMacroData(bytes, keyMatrixMain.codesOf(bound[i])[2])
    }

    // A macro was deleted: its buttons get their factory entries here and in the other profiles.
    function macroDeleted(name) {
        keyMatrixMain.unbindMacro(name)
        ui_View.deleteMacroUpdateProfile(name)
    }

    // A macro is to be renamed: the file and the profiles' bindings first; only when that worked does the
    // list show the new name (a refused rename leaves everything bound to the old one).
    function macroRenamed(oldName, newName) {
        if (!Values.toBool(ui_View.modifyMacroNameUpdateProfile(oldName, newName), false))
            return false
        var bound = keyMatrixMain.boundTo(oldName)
        for (var i = 0; i < bound.length; ++i)
            ui_View.setData("mouseMacroKey/" + keyMatrixMain.codesOf(bound[i])[2], newName)
        macroEditorMain.renamed(oldName, newName)
        keyMatrixMain.refreshTexts()
        return true
    }

    function openAssignment(index) {
        mainFocus()
        keyAssigmentMain.openFor(index, keyMatrixMain.codesOf(index))
    }

    // ---- Layout ----

    BusyWork {
        id: busyWork
        onStarted: mainIten.controlUIEnable(false)
        onFinished: mainIten.controlUIEnable(true)
    }

    Timer {
        id: protectTimer
        objectName: "protectTimer"
        interval: 1000
        onTriggered: {
            // A mouse that went away meanwhile stays told by the disconnected cover, which the guard's end
            // does not touch; the view itself stays usable for the window's own controls.
            ui_View.setEnabled(true)
            protectUIItem.visible = false
            if (background.powerOn) {
                background.powerOn = false
                panels.visible = true
            }
        }
    }

    KeyCodeString {
        id: _KeyCodeString
        objectName: "_KeyCodeString"
    }

    Environment {
        id: background
        objectName: "background"
        skin: mainIten.skin
    }

    // Pressing the background closes the drop-downs; dragging it moves the window.
    WindowDragArea {
        id: dragArea
        anchors.fill: parent
        onPressedAt: {
            mainIten.emptyAreaPressed()
            mainIten.mainFocus()
        }
    }

    Item {
        id: panels
        objectName: "panels"
        anchors.fill: parent
        visible: false

        Menu_Up {
            id: upItem
            objectName: "upItem"
            x: 748
            y: 12
            z: 20
            skin: mainIten.skin
            profiles: profileMain.profiles
            profileNo: mainIten.profileNo
            settingsEnabled: !mainIten.mouseGone
            profileName: mainIten.mainLang[4]
            onChangeProfile: (n) => mainIten.changeProfile(n)
            onAskClicked: askMenu.visible = !askMenu.visible
        }

        KeyMatrix {
            id: keyMatrixMain
            objectName: "keyMatrixMain"
            x: 20
            y: 70
            keyCount: mouseMain.keyCount
            resetText: mainIten.mainLang[5]
            keyNames: _KeyCodeString
            assignTexts: keyAssigmentMain.keyAssigmentLang
            gunControl: gunControlMain
            macroEditor: macroEditorMain
            highlighted: mouseMain.highlighted
            onKeyHovered: (index) => mouseMain.highlighted = index
            onOpenAssignment: (index) => mainIten.openAssignment(index)
        }

        LodBox {
            id: lodBoxMain
            objectName: "lodBoxMain"
            x: 20
            y: 470
            z: slider.opened ? 10 : 0
            skin: mainIten.skin
            title: mainIten.mainLang[3]
        }

        Mouse {
            id: mouseMain
            objectName: "mouseMain"
            x: 320
            y: 64
            skin: mainIten.skin
            keyLabel: keyMatrixMain.keyMatrixLang[0]
            onKeyHovered: (index) => mouseMain.highlighted = index
            onKeyClicked: (index) => keyMatrixMain.requestAssignment(index)
        }

        DpiSetting {
            id: dpiSettingMain
            objectName: "dpiSettingMain"
            x: 714
            y: 70
            skin: mainIten.skin
            resetText: mainIten.mainLang[5]
        }

        LightControl {
            id: lightControlMain
            objectName: "lightControlMain"
            x: 714
            y: 360
            resetText: mainIten.mainLang[5]
            isColorful: mainIten.isColorful
            is55328: mainIten.is55328
        }

        // The bottom bar.
        Rectangle {
            x: 0
            y: 580
            width: 1024
            height: 60
            color: "#a00a0f13"
            Row {
                x: 20
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: mainIten.mainLang[0]
                    color: Style.dimColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontSize1
                }
                TextButton {
                    objectName: "macroEditorButton"
                    text: mainIten.mainLang[1]
                    onClicked: mainIten.openDialog(macroEditorMain)
                }
                TextButton {
                    objectName: "gunEditorButton"
                    visible: false
                    text: mainIten.mainLang[2]
                    onClicked: mainIten.openDialog(gunControlMain)
                }
                TextButton {
                    objectName: "systemSettingButton"
                    text: mainIten.mainLang[9]
                    onClicked: mainIten.openDialog(systemSettingMain)
                }
            }
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                TextButton {
                    objectName: "configButton"
                    text: mainIten.mainLang[4]
                    onClicked: mainIten.openDialog(profileMain)
                }
                TextButton {
                    objectName: "factoryResetButton"
                    text: mainIten.mainLang[5]
                    onClicked: mainIten.askFactoryReset()
                }
                TextButton {
                    objectName: "saveButton"
                    width: 110
                    text: mainIten.mainLang[10]
                    accent: mainIten.isPending ? Style.pendingColor : "transparent"
                    onClicked: mainIten.saveAll()
                }
            }
        }
    }

    // The ask menu under the ask button: the maker's web page, the version, the language and Quit (above
    // the disconnected state's cover).
    AskMenu {
        id: askMenu
        objectName: "askMenu"
        x: 780
        y: 42
        z: 80
        url: mainIten.url
        language: Theme.language
        onLanguageChosen: (code) => mainIten.chooseLanguage(code)
    }

    // The mask behind the dialogs: a press keeps the keyboard with the dialog on top, a drag moves the window.
    DialogMask {
        id: mask
        objectName: "mask"
        anchors.fill: parent
        z: 40
        visible: mainIten.dialogOpen
        dialogs: [confirmBox, macroEditorMain, keyAssigmentMain, systemSettingMain, profileMain, gunControlMain]
    }

    // The mouse is gone: the settings are covered (the title bar and open dialogs are not) until a pass
    // finds it again.
    DisconnectedCover {
        id: disconnectedCover
        objectName: "disconnectedCover"
        skin: mainIten.skin
        y: 44
        width: parent.width
        height: parent.height - y
        z: 45
        visible: mainIten.mouseGone && panels.visible
    }

    KeyAssigment {
        id: keyAssigmentMain
        objectName: "keyAssigmentMain"
        z: 50
        okText: mainIten.mainLang[8]
        cancelText: mainIten.mainLang[7]
        isGun: mainIten.isGun
        keyNames: _KeyCodeString
        macroNames: macroEditorMain.macroNames
        onAssigned: (index, codes, macroName) => mainIten.applyAssignment(index, codes, macroName)
        onOpenMacroEditor: macroEditorMain.open()
    }

    SystemSetting {
        id: systemSettingMain
        objectName: "systemSettingMain"
        z: 50
        skin: mainIten.skin
        resetText: mainIten.mainLang[5]
        okText: mainIten.mainLang[8]
    }

    MacroEditor {
        id: macroEditorMain
        objectName: "macroEditorMain"
        z: 51
        keyNames: _KeyCodeString
        onModifyMacroData: (name) => mainIten.macroDataChanged(name)
        onConfirmDelete: (name) => mainIten.confirmThen(macroEditorLang[3] + " " + name, macroEditorLang[3],
                                                         macroEditorMain.deleteCurrent)
        onDeleteMacro: (name) => mainIten.macroDeleted(name)
        onModifyMacroName: (oldName, newName) => mainIten.macroRenamed(oldName, newName)
    }

    Profile {
        id: profileMain
        objectName: "profileMain"
        z: 50
        profileInUse: mainIten.profileNo
        onConfirmDelete: (index, name) => mainIten.confirmThen(profileLang[3] + " " + name, profileLang[3],
                                                                function () { profileMain.deleteProfile(index) })
    }

    GunControl {
        id: gunControlMain
        objectName: "gunControlMain"
        z: 50
    }

    // The questions (factory reset, deleting a macro or a profile, unsaved changes before a profile
    // switch); the box can be dragged inside the window.
    ConfirmBox {
        id: confirmBox
        objectName: "confirmBox"
        z: 60
        text: mainIten.mainLang[6]
        okText: mainIten.mainLang[8]
        cancelText: mainIten.mainLang[7]
        closeName: mainIten.mainLang[7]
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        z: 100
    }
}
