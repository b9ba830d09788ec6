// SPDX-License-Identifier: GPL-3.0-or-later
// zephra-config-demo: the whole program with the virtual mouse instead of the system's hidapi, so it can
// be tried without the hardware. The mouse is plugged in at start (unless the demo's own argument
// --unplugged says otherwise); its tray menu and standard input control it (see demo_controls.h).

#include "demo_controls.h"
#include "device_list.h"
#include "program.h"
#include "virtual_mouse.h"
#include "widget.h"

#include <QSettings>

#include <cstring>

int main(int argc, char **argv)
{
    bool unplugged = false;
    for (int i = 1; i < argc; ++i)
        unplugged = unplugged || std::strcmp(argv[i], "--unplugged") == 0;
    int device = -1;
    ProgramHooks hooks;
    // Started from the build folder, the demo keeps its settings apart from the real program's: what is
    // tried on the virtual mouse never reaches the real one.
    hooks.dataFolderName = QStringLiteral("zephra-config-demo");
    hooks.beforeWindow = [&device, unplugged] {
        // A mouse of the family and encoding the shipped settings name.
        const QSettings settings(kGlobalSettingsPath, QSettings::IniFormat);
        const bool is560 = settings.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560");
        vmouse::DeviceSpec spec = vmouse::demoMouse(is560 ? vmouse::Family::F560 : vmouse::Family::F553,
                                                    settings.value(QStringLiteral("0/isEncode"), true).toBool());
        spec.secrecyCode = settings.value(QStringLiteral("0/sCode"), QStringLiteral("318274")).toString().toStdString();
        device = vmouse::addDevice(spec);
        if (unplugged)
            vmouse::unplug(device);
    };
    hooks.afterWindow = [&device](Widget &window) {
        new DemoControls(window, device);   // owned by the window
        return true;
    };
    return runProgram(argc, argv, hooks);
}
