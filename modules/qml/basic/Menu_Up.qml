// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "../common/Style.js" as Style
import "../common"
import "../W7"

// The top right corner: the profile drop-down, the ask button and the window's minimise and close
// buttons.
Item {
    id: menu

    property int skin: 1
    // The profiles offered: [{name, profile}], and the profile in use.
    property var profiles: []
    property int profileNo: 0
    // False while the mouse is gone: the profile cannot change, the window's buttons still work.
    property bool settingsEnabled: true
    // What a screen reader calls the profile list.
    property string profileName: "Profile"
    readonly property alias profileList: profileDrop

    signal changeProfile(int profile)
    signal askClicked()

    width: 260
    height: 28

    function close() {
        profileDrop.close()
    }

    function indexOfProfile(n) {
        for (var i = 0; i < profiles.length; ++i)
            if (profiles[i].profile === n)
                return i
        return -1
    }

    DropDownList {
        id: profileDrop
        objectName: "profileList"
        anchors.verticalCenter: parent.verticalCenter
        width: 144
        height: 24
        enabled: menu.settingsEnabled
        opacity: enabled ? 1.0 : 0.4
        accessibleName: menu.profileName
        model: menu.profiles.map(function (p) { return p.name })
        currentIndex: menu.indexOfProfile(menu.profileNo)
        onSelected: (index) => menu.changeProfile(menu.profiles[index].profile)
    }
    Row {
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        ImageButton {
            objectName: "askButton"
            accessibleName: "?"
            source: Style.imageUrl(menu.skin, "index", "askBtn.png")
            onClicked: menu.askClicked()
        }
        ImageButton {
            objectName: "minButton"
            accessibleName: "Minimize"
            source: Style.imageUrl(menu.skin, "index", "minBtn.png")
            onClicked: ui_Ctl.onMinimize()
        }
        ImageButton {
            objectName: "closeButton"
            accessibleName: "Close"
            source: Style.imageUrl(menu.skin, "index", "closeBtn.png")
            onClicked: ui_Ctl.onClose()
        }
    }
}
