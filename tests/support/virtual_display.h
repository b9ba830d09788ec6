// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An Xvfb server on a display number it picks itself, for the life of the object; and where xdotool is.
// `missing` names the program that is not installed (the test then skips itself).

#include <QByteArray>
#include <QString>

#include <sys/types.h>

struct xcb_connection_t;

// For a test's initTestCase (QtTest): skips the test when Xvfb or xdotool is not installed, and fails it when
// the server did not start.
#define ZEPHRA_REQUIRE_DISPLAY(virtualDisplay)                                                           \
    do {                                                                                                 \
        if (!(virtualDisplay).missing.isEmpty())                                                         \
            QSKIP(qPrintable((virtualDisplay).missing + " is not installed"));                           \
        QVERIFY2(!(virtualDisplay).display.isEmpty(), "Xvfb did not start");                             \
    } while (false)

class VirtualDisplay
{
public:
    // `screen` is Xvfb's screen geometry, width x height x depth.
    explicit VirtualDisplay(const QByteArray &screen = "1024x768x24");
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    QByteArray display;  // ":<n>"; empty when no server runs
    QString xdotool;
    QString missing;

    // Makes the display look as if a system tray ran on it (a client owns the tray's selection), until
    // withdrawTray() or the end of the object. Programs started afterwards find a tray.
    bool provideTray();
    void withdrawTray();

private:
    pid_t pid = -1;
    xcb_connection_t *trayOwner = nullptr;
};
