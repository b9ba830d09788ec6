// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells the user once per run and cause why the mouse stays disconnected. After every discovery pass that
// accepts nothing, the setup checker looks at the listed devices; a cause (no access, held by another
// program, cannot be opened) is shown as a tray message with its fix. A session without a system tray gets
// a normal window instead, which also says what the missing tray means and offers "Quit".
//
// A start by hand (not --background) that finds no mouse shows that window too, tray or not: "Waiting for
// the mouse". The pass that then accepts a mouse (or one that accepts it while a notice window is open)
// closes the window and opens the main window. A restore request before any mouse was found (a second
// start, the tray icon) opens the waiting window again.

#include "setup_check.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class Widget;

class SetupNotice : public QObject
{
    Q_OBJECT

public:
    explicit SetupNotice(Widget &window);
    ~SetupNotice() override;

    // Looks at the listed devices and tells the user, unless this state was told before.
    void check();

    // Whether this run waits for the mouse in a window (a start by hand) until one is first accepted.
    void setWaitingForMouse(bool value) { waiting = value; }

    // Whether the session has a system tray (production: QSystemTrayIcon::isSystemTrayAvailable).
    std::function<bool()> trayAvailable;
    // The devices' state after a pass (production: probeListedDevices on the pass's device list).
    std::function<QList<OpenAttempt>()> probe;

    // The window of the last message shown without a tray, while it is open.
    QMessageBox *window() const { return box; }

signals:
    void noticeShown(SetupState state, const QString &title, const QString &text);

private:
    void showInWindow(const SetupMessage &message);
    void passFinished(int accepted);
    void showWaitingWindow();

    Widget &host;
    QSet<int> told;   // the states told so far, as ints
    QPointer<QMessageBox> box;
    bool waiting = false;
    SetupState lastState = SetupState::NoDevice;
    QString lastDetail;
};
