// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common/Values.js" as Values
import "../common/NameLists.js" as NameLists
import "../common"

// The profile dialog. It keeps the profile list (name list 2): up to six entries of a name and a profile
// number 0 to 5; the first is always shown as "Standard". The top drop-down offers the same list.
DialogFrame {
    id: profile

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard", "", "", "", "", "", "", "",
        "", "", "", "", "", "", ""]
    // [{name, profile}]
    property var profiles: [{ name: profileLang[5], profile: 0 }]
    // The profile in use (never deleted) and the entry chosen in the dialog.
    property int profileInUse: 0
    property int currentIndex: 0
    // The Delete button: the root asks first and then calls deleteProfile(index).
    signal confirmDelete(int index, string name)

    title: profileLang[0]
    width: 420
    height: 240
    onCloseRequested: close()
    onVisibleChanged: if (visible) currentIndex = Math.max(0, indexOfProfile(profileInUse))

    // Rebuilds the list from name list 2; entry 0 takes the "Standard" text, and the list is stored again
    // when that changed it.
    function init() {
        var stored = ui_View.getNameList(2)
        var list = NameLists.readProfiles(stored, profileLang[5])
        if (NameLists.profileTexts(list).join("\n") !== NameLists.readList(stored).join("\n"))
            store(list)
        else
            profiles = list
        currentIndex = 0
    }

    function store(list) {
        profiles = list
        ui_View.updataNameList(2, NameLists.profileTexts(list))
    }

    function indexOfProfile(n) {
        for (var i = 0; i < profiles.length; ++i)
            if (profiles[i].profile === n)
                return i
        return -1
    }

    function dropFocus() {
        if (bodyItem)
            bodyItem.dropFocus()
    }

    // A new entry on the lowest free profile number; returns that number, or -1 when the list is full.
    function addEntry() {
        var entry = NameLists.newProfile(profiles)
        if (entry === null)
            return -1
        store(profiles.concat([entry]))
        currentIndex = profiles.length - 1
        return entry.profile
    }

    // New: a fresh copy of the default profile.
    function newProfile() {
        var n = addEntry()
        if (n >= 0)
            ui_View.resetProfile(n)
        return n >= 0
    }

    // Import: the new entry's profile file replaced by a file the user picks, the entry named after that
    // file; cancelling the file dialog leaves a fresh copy of the default profile, as New does.
    function importProfile() {
        var n = addEntry()
        if (n < 0)
            return false
        if (!Values.toBool(ui_View.loadProfile(n), false))
            ui_View.resetProfile(n)
        else
            rename(profiles.length - 1, Values.toText(ui_View.importedName, ""))
        return true
    }

    function exportProfile() {
        if (currentIndex >= 0 && currentIndex < profiles.length)
            ui_View.saveProfile(profiles[currentIndex].profile)
    }

    function askDelete(index) {
        if (!NameLists.mayDeleteProfile(profiles, index, profileInUse))
            return false
        confirmDelete(index, profiles[index].name)
        return true
    }

    function deleteProfile(index) {
        if (!NameLists.mayDeleteProfile(profiles, index, profileInUse))
            return false
        var list = profiles.slice()
        list.splice(index, 1)
        store(list)
        currentIndex = Math.min(index, list.length - 1)
        return true
    }

    function rename(index, name) {
        var text = String(name).trim()
        if (!NameLists.mayRenameProfile(profiles, index, text))
            return false
        var list = profiles.slice()
        list[index] = { name: text, profile: list[index].profile }
        store(list)
        return true
    }

    // The controls, made when the dialog first opens.
    bodyComponent: Component {
        Item {
            function dropFocus() {
                nameList.endRename()
            }

            NameListBox {
                id: nameList
                objectName: "profileList"
                accessibleName: profile.profileLang[0]
                x: 20
                y: 16
                width: 240
                height: NameLists.maxProfiles * 26 + 2
                names: profile.profiles.map(function (p) { return p.name })
                currentIndex: profile.currentIndex
                markedIndex: profile.indexOfProfile(profile.profileInUse)
                renamableFrom: 1
                onChosen: (index) => profile.currentIndex = index
                onRenameRequested: (index, name) => profile.rename(index, name)
            }
            Column {
                x: 284
                y: 16
                spacing: 10
                TextButton {
                    objectName: "newButton"
                    width: 110
                    text: profile.profileLang[1]
                    enabled: profile.profiles.length < NameLists.maxProfiles
                    onClicked: profile.newProfile()
                }
                TextButton {
                    objectName: "importButton"
                    width: 110
                    text: profile.profileLang[2]
                    enabled: profile.profiles.length < NameLists.maxProfiles
                    onClicked: profile.importProfile()
                }
                TextButton {
                    objectName: "deleteButton"
                    width: 110
                    text: profile.profileLang[3]
                    enabled: NameLists.mayDeleteProfile(profile.profiles, profile.currentIndex, profile.profileInUse)
                    onClicked: profile.askDelete(profile.currentIndex)
                }
                TextButton {
                    objectName: "exportButton"
                    width: 110
                    text: profile.profileLang[4]
                    onClicked: profile.exportProfile()
                }
            }
        }
    }
}
