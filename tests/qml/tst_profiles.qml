// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The profile dialog (name list 2 and the profile files behind it) and the gun data.
ZephraTestCase {
    name: "Profiles"

    property var dialog: null

    // Starts with name list 2 holding `texts` and profile `inUse` selected.
    function startWith(texts, inUse) {
        startUp(function () {
            ui_View.updataNameList(2, texts)
            ui_View.setGlobalData("mouse/profileNo", inUse || 0)
        })
        dialog = page("profileMain")
        root.openDialog(dialog)
        if (onStandIn)
            recorder.clear()
    }

    function entries() {
        return dialog.profiles.map(function (p) { return p.name + p.profile })
    }

    function test_list_from_name_list_2() {
        requireStandIn()
        createMain(function () {
            standIn.setNameList(2, ["Default0", "loaderfennic"])
            standIn.setLang("profile", ["Konfig", "Neu", "Import", "Löschen", "Export", "Standard-Profil"])
        })
        root.initUI()
        dialog = page("profileMain")
        compare(entries(), ["Standard-Profil0"])
        // Entry 0 took the "Standard" text, so the list was stored again.
        compare(argsOf("updataNameList"), [[2, ["Standard-Profil0"]]])
        compare(page("upItem").profileList.model, ["Standard-Profil"])
    }

    function test_an_unchanged_list_is_not_stored_again() {
        requireStandIn()
        createMain(function () { standIn.setNameList(2, ["Standard0", "FPS1"]) })
        root.initUI()
        compare(recorder.count("updataNameList"), 0)
    }

    function test_new_profiles_and_the_limit_of_six() {
        startWith(["Standard0", "FPS1", "profile_03"])
        verify(dialog.newProfile())
        compare(entries(), ["Standard0", "FPS1", "profile_03", "profile_12"])
        if (onStandIn) {
            compare(deviceCalls(), ["updataNameList", "resetProfile"])
            compare(numbers(lastArgs("resetProfile")), [2])
        }
        compare(ui_View.getNameList(2), ["Standard0", "FPS1", "profile_03", "profile_12"])
        compare(page("upItem").profileList.model, ["Standard", "FPS", "profile_0", "profile_1"])
        verify(dialog.newProfile())
        verify(dialog.newProfile())
        compare(dialog.profiles.length, 6)
        compare(entries()[5], "profile_35")
        verify(!dialog.newProfile())                  // a 7th profile is not created
        verify(!dialog.importProfile())
        verify(!findChild(dialog, "newButton").enabled)
        compare(dialog.profiles.length, 6)
    }

    function test_standard_and_in_use_profiles_are_not_deleted() {
        startWith(["Standard0", "FPS1", "MOBA2"], 1)
        compare(dialog.currentIndex, 1)               // the dialog opens on the profile in use
        verify(!findChild(dialog, "deleteButton").enabled)
        verify(!dialog.deleteProfile(0))
        verify(!dialog.deleteProfile(1))
        compare(entries(), ["Standard0", "FPS1", "MOBA2"])
        verify(dialog.deleteProfile(2))
        compare(entries(), ["Standard0", "FPS1"])
        compare(ui_View.getNameList(2), ["Standard0", "FPS1"])
    }

    function test_import_while_profile_2_is_missing_writes_p3() {
        startWith(["Standard0", "FPS1", "MOBA2", "RTS3"])
        verify(dialog.deleteProfile(2))
        if (onStandIn) {
            standIn.setFileChosen(true)
            standIn.setChosenFileName("imported")
            recorder.clear()
        } else {
            verify(testFiles.writeText("imported.pf", "[mouse]\nreportRate=77\n"))
            testFiles.setDialogAnswer("imported.pf")
        }
        verify(dialog.importProfile())
        testFiles.setDialogAnswer("")
        // The new entry is named after the file.
        compare(entries(), ["Standard0", "FPS1", "RTS3", "imported2"])
        if (onStandIn) {
            compare(deviceCalls(), ["updataNameList", "loadProfile", "updataNameList"])
            compare(numbers(lastArgs("loadProfile")), [2])
        } else {
            compare(testFiles.readText("modules/setting/p3.bin"), "[mouse]\nreportRate=77\n")
        }
    }

    function test_cancelled_import_leaves_a_fresh_profile() {
        requireStandIn()
        startWith(["Standard0"])
        verify(dialog.importProfile())
        compare(deviceCalls(), ["updataNameList", "loadProfile", "resetProfile"])
        compare(numbers(lastArgs("resetProfile")), [1])
        compare(entries(), ["Standard0", "profile_01"])
    }

    function test_export_and_rename() {
        startWith(["Standard0", "FPS1", "MOBA2"], 2)
        if (onStandIn) {
            dialog.currentIndex = 1
            findChild(dialog, "exportButton").clicked()
            compare(numbers(lastArgs("saveProfile")), [1])
        }
        verify(!dialog.rename(0, "Mine"))             // entry 0 is always the standard profile
        verify(!dialog.rename(1, "  "))
        verify(dialog.rename(1, "Shooter"))
        compare(entries(), ["Standard0", "Shooter1", "MOBA2"])
        compare(ui_View.getNameList(2), ["Standard0", "Shooter1", "MOBA2"])
        compare(page("upItem").profileList.currentIndex, 2)
    }

    function test_gun_data_from_the_records() {
        requireStandIn()
        startUp(function () {
            standIn.setGunRecord(1, ["Vector", "L-Click", "6", "1", "3", "0"])
            standIn.setGunRecord(4, ["short"])
            standIn.setGlobal("mouse/selectGun", ["4", "1", "9"])
        })
        var gun = page("gunControlMain")
        compare(gun.guns[1], ["Vector", "L-Click", 6, 1, 3, 0])
        compare(gun.guns[4][0], "UNP9")              // a short record keeps the built-in gun
        compare(gun.selectGun, [4, 1, 5])
        compare(gun.selectedPeriods(), [9, 6, 9])
        page("keyMatrixMain").saveData()
        compare(numbers(lastArgs("mouseSetKeyMatrix")[2]), [9, 6, 9])
    }

    function test_gun_factory_reset() {
        requireStandIn()
        startUp(function () {
            standIn.setGunRecord(0, ["M416", "L-Click", "4", "2", "1", "30"])
            standIn.setGlobal("mouse/selectGun", ["3", "4", "5"])
        })
        page("gunControlMain").resetGun()
        compare(argsOf("mouseSaveGundata").map(function (a) { return [Number(a[0])].concat(a[1].map(String)) }),
                [[0, "M416", "L-Click", "9", "2", "5", "30"], [1, "AKM", "L-Click", "9", "0", "7", "0"],
                 [2, "M16A4", "L-Click", "9", "0", "8", "0"]])
        compare(argsOf("mouseSendGundata").map(function (a) { return [Number(a[0])].concat(numbers(a[1])) }),
                [[1, 30, 2, 5], [2, 0, 0, 7], [3, 0, 0, 8]])
        compare(page("gunControlMain").selectGun, [0, 1, 2])
        compare(lastArgs("setGlobalData")[0], "mouse/selectGun")
        compare(numbers(lastArgs("setGlobalData")[1]), [0, 1, 2])
    }
}
