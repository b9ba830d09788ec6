// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common/Values.js" as Values
import "../common"

// The gun data: six gun records (name, firing key, fire period, X and Y correction, shot count) and the
// three guns on gun keys 1 to 3. Its page is never opened; the records are loaded, reset and sent.
DialogFrame {
    id: gun

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis", "Y axis",
        "Fire adjust", "Rate", "Times", "Endness"]
    property var guns: [
        ["M416", "L-Click", 9, 0, 5, 0], ["AKM", "L-Click", 9, 0, 7, 0], ["M16A4", "L-Click", 9, 0, 8, 0],
        ["SCAR-L", "L-Click", 9, 0, 5, 0], ["UNP9", "L-Click", 9, 0, 4, 0], ["Thomson", "L-Click", 9, 0, 4, 0]
    ]
    property var selectGun: [0, 1, 2]

    title: gunControlLang[0]
    width: 420
    height: 300
    onCloseRequested: close()

    function init() {
        var list = guns.slice()
        for (var i = 0; i < 6; ++i) {
            var record = ui_View.getGunData(i)
            if (record && record.length >= 6)
                list[i] = [String(record[0]), String(record[1]), Values.toInt(record[2], 9), Values.toInt(record[3], 0),
                           Values.toInt(record[4], 0), Values.toInt(record[5], 0)]
        }
        guns = list
        var selected = Values.toIntList(ui_View.getGlobalData("mouse/selectGun"), 3, [0, 1, 2])
        selectGun = selected.map(function (v) { return Values.clamp(v, 0, 5) })
    }

    function dropFocus() {
    }

    // The fire periods of the guns on gun keys 1, 2 and 3.
    function selectedPeriods() {
        return selectGun.map(function (i) { return guns[i][2] })
    }

    // The factory guns: records 0, 1 and 2 on the gun keys with Y corrections 5, 7, 8 and period 9; each is
    // stored and sent.
    function resetGun() {
        selectGun = [0, 1, 2]
        ui_View.setGlobalData("mouse/selectGun", selectGun)
        var ys = [5, 7, 8]
        var list = guns.slice()
        for (var n = 0; n < 3; ++n) {
            var g = list[n].slice()
            g[2] = 9
            g[4] = ys[n]
            list[n] = g
            ui_View.mouseSaveGundata(n, g)
        }
        guns = list
        for (var k = 0; k < 3; ++k)
            ui_View.mouseSendGundata(k + 1, [guns[k][5], guns[k][3], guns[k][4]])
    }
}
