// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest

// The base of the QML tests: starts the interface from the resources against whatever the runner
// published as ui_View, hid and ui_Ctl (the recording stand-ins, or the real view). Tests that read the
// call log or configure the stand-in call requireStandIn() first. Any QML warning fails the test.
TestCase {
    id: base

    when: windowShown
    visible: true
    width: 1024
    height: 640

    property Item root: null
    readonly property bool onStandIn: recorder !== null

    function init() {
        failOnWarning(/.?/)
    }

    function requireStandIn() {
        if (!onStandIn)
            skip("needs the recording stand-in")
    }

    // Creates the root item; `configure` may set up the stand-in's settings first.
    function createMain(configure) {
        if (onStandIn)
            standIn.reset()
        if (configure)
            configure()
        var component = Qt.createComponent("qrc:/modules/qml/main.qml")
        verify(component.status === Component.Ready, component.errorString())
        root = createTemporaryObject(component, base)
        verify(root !== null)
        return root
    }

    // Creates the root item, runs the first initUI, lets the busy guard end early and forgets the calls
    // made so far.
    function startUp(configure) {
        createMain(configure)
        root.initUI()
        findChild(root, "protectTimer").interval = 1
        tryCompare(findChild(root, "protectUIItem"), "visible", false, 3000)
        if (onStandIn)
            recorder.clear()
        return root
    }

    // Waits until the work behind the busy indicator (Save, a profile switch, the factory reset) is done.
    function settle() {
        tryCompare(root, "working", false)
    }

    function page(name) {
        var item = findChild(root, name)
        verify(item !== null, "no item " + name)
        return item
    }

    // The calls of the program made since the last clear, without the busy guard's view switching.
    function deviceCalls() {
        return recorder.names().filter(function (n) { return n !== "setEnabled" })
    }

    function argsOf(name) {
        return recorder.argsOf(name)
    }

    function lastArgs(name) {
        var all = recorder.argsOf(name)
        verify(all.length > 0, "no call of " + name)
        return all[all.length - 1]
    }

    function numbers(list) {
        var out = []
        for (var i = 0; i < list.length; ++i)
            out.push(Number(list[i]))
        return out
    }
}
