// A console demo of the virtual mouse: plugs in the demo mouse, runs the device side of a discovery pass
// over ./modules/setting/apConfig.bin and shows every report the mouse saw.

#include "discovery.h"
#include "hid_thread.h"
#include "virtual_mouse.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    hid_init();

    const int device = vmouse::addDevice(vmouse::demoMouse(vmouse::Family::F553, true));
    std::printf("Virtual mouse plugged in: %s\n", vmouse::pathOf(device, 1).c_str());

    Hid_Thread hid;
    const int accepted = discoverDevice(hid, kGlobalSettingsPath);
    if (accepted < 0) {
        std::printf("Device DisConnect: no listed device answered the handshake (is %s there?)\n",
                    qPrintable(kGlobalSettingsPath));
        return 1;
    }
    std::printf("Device Connect: entry %d, command interface %s, listener interface %s\n", accepted,
                qPrintable(hid.deviceList[accepted].commandPath), qPrintable(hid.deviceList[accepted].listenPath));
    hid.hid553_0BH_SetCurrentDPI(2);

    std::printf("\nWhat the mouse saw:\n");
    for (const vmouse::Event &event : vmouse::log())
        std::printf("  %s\n", vmouse::describe(event).c_str());
    std::printf("\nThe mouse's current DPI stage is now %d.\n", vmouse::state(device).currentDpiStage);
    return 0;
}
