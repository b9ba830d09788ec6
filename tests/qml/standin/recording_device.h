// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the device object ("hid") and the window controller ("ui_Ctl"): they record the calls
// the QML interface makes into the same CallLog as the view's stand-in, prefixed with their object's name.

#include "call_log.h"

#include <QObject>

class RecordingHid : public QObject
{
    Q_OBJECT

public:
    explicit RecordingHid(CallLog *log, QObject *parent = nullptr) : QObject(parent), log(log) {}

public slots:
    // The one command the interface calls directly.
    void hid560_02H_SetCurrentProfile(uchar profile)
    {
        log->add(QStringLiteral("hid.hid560_02H_SetCurrentProfile"), {int(profile)});
    }

private:
    CallLog *log;
};

class RecordingControl : public QObject
{
    Q_OBJECT

public:
    explicit RecordingControl(CallLog *log, QObject *parent = nullptr) : QObject(parent), log(log) {}

public slots:
    void onMinimize() { log->add(QStringLiteral("ui_Ctl.onMinimize"), {}); }
    void onClose() { log->add(QStringLiteral("ui_Ctl.onClose"), {}); }
    void onXChanged(int x) { log->add(QStringLiteral("ui_Ctl.onXChanged"), {x}); }
    void onYChanged(int y) { log->add(QStringLiteral("ui_Ctl.onYChanged"), {y}); }
    void setBusy(int busyTime) { log->add(QStringLiteral("ui_Ctl.setBusy"), {busyTime}); }
    void setBusy() { setBusy(0); }
    bool startSystemMove() { return false; }   // as an X server without a window manager: QML drags itself
    void quit() { log->add(QStringLiteral("ui_Ctl.quit"), {}); }

private:
    CallLog *log;
};
