// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_display.h"

#include <QStandardPaths>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

VirtualDisplay::VirtualDisplay(const QByteArray &screen)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    xdotool = QStandardPaths::findExecutable("xdotool");
    if (xvfb.isEmpty() || xdotool.isEmpty()) {
        missing = xvfb.isEmpty() ? "Xvfb" : "xdotool";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const QByteArray program = xvfb.toLocal8Bit();
        const QByteArray fd = QByteArray::number(fds[1]);
        // -noreset: the server stays as it is when its last client leaves (a reset at that moment refuses
        // the next test's connection).
        execl(program.constData(), "Xvfb", "-displayfd", fd.constData(), "-screen", "0", screen.constData(),
              "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts clients.
    QByteArray number;
    pollfd wait{fds[0], POLLIN, 0};
    char c = 0;
    while (pid > 0 && poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.isEmpty())
        display = ":" + number;
}

bool VirtualDisplay::provideTray()
{
    if (trayOwner)
        return true;
    int screenNumber = 0;
    trayOwner = xcb_connect(display.constData(), &screenNumber);
    if (xcb_connection_has_error(trayOwner)) {
        qWarning("tray: cannot connect to the display (%d)", xcb_connection_has_error(trayOwner));
        withdrawTray();
        return false;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(trayOwner)).data;
    const xcb_window_t window = xcb_generate_id(trayOwner);
    xcb_create_window(trayOwner, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber);
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(trayOwner, xcb_intern_atom(trayOwner, 0, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom) {
        qWarning("tray: the selection's atom is missing");
        withdrawTray();
        return false;
    }
    xcb_set_selection_owner(trayOwner, window, atom->atom, XCB_CURRENT_TIME);
    std::free(atom);
    return xcb_flush(trayOwner) > 0;
}

void VirtualDisplay::withdrawTray()
{
    if (trayOwner)
        xcb_disconnect(trayOwner);   // the selection goes with its owner
    trayOwner = nullptr;
}

VirtualDisplay::~VirtualDisplay()
{
    withdrawTray();
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}
