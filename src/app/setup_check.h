// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup checker: why a listed mouse stays disconnected, and what to tell the user about it. When a
// discovery pass accepts nothing, each listed device's command interface is enumerated and opened once;
// the outcome of those opens decides the state, and the state gives the message (cause and fix).

#include "device_entry.h"

#include <QList>
#include <QString>

// How one open of a found interface ended.
enum class OpenOutcome {
    Opened,
    PermissionDenied,   // the user may not open the device node
    Busy,               // another program holds the device exclusively
    Gone,               // the node vanished between enumeration and the open (unplugged meanwhile)
    Failed,             // any other error
};

struct OpenAttempt
{
    QString path;
    OpenOutcome outcome = OpenOutcome::Opened;
    QString error;   // the system's text for a failed open
};

enum class SetupState {
    NoDevice,           // no listed device is plugged in
    Ready,              // a listed device is there and can be opened
    PermissionDenied,   // a listed device is there, but this user may not open it
    Busy,               // a listed device is there, but another program holds it
    Unavailable,        // a listed device is there, but opening it failed otherwise
};

// A failed open by its errno value, or, when that is 0, by hidraw's text ("Failed to open a device with
// path '...': Permission denied").
OpenOutcome classifyOpenError(int errorNumber, const QString &errorText);

// One open that worked is enough; otherwise the most telling failure: a permission problem before a busy
// device before any other failure. No attempts (nothing enumerated) and vanished nodes mean no device.
SetupState decideSetupState(const QList<OpenAttempt> &attempts);

struct SetupMessage
{
    QString title;
    QString text;
    bool isEmpty() const { return text.isEmpty(); }
};

// What the user is told: the cause and the fix for a device that cannot be used (`detail` is the system's
// error text, shown last). Without a system tray the message is shown in a window and also says what the
// missing tray means; a missing device or a ready one is then worth a message of its own, since the window
// is hidden and nothing else shows that the program runs. `waiting` (a start by hand that has not found
// the mouse yet) makes a missing or ready device the message "Waiting for the mouse", tray or not. Empty
// when there is nothing to say.
SetupMessage setupMessage(SetupState state, const QString &detail, bool trayAvailable, bool waiting = false);

// Every listed device's command interface, enumerated and opened once (and closed again): the attempts
// decideSetupState judges. Entries without ids are skipped.
QList<OpenAttempt> probeListedDevices(DeviceList list);
