// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user-interface effects of the device listener. The listener runs on a pool thread; the transport
// delivers these calls on the GUI thread, in the order the listener produced them. The owner connects them
// to the view and the tray icon.

#include <QString>

class ListenerSink
{
public:
    virtual ~ListenerSink() = default;
    // The DPI stage the mouse switched to (counted from 1; 0 and values above the stage count included).
    virtual void setCurrentDPI(int stage) = 0;
    // A tray notification with the information icon.
    virtual void showMessage(const QString &title, const QString &text, int milliseconds) = 0;
    // false when the device is gone.
    virtual void setViewEnabled(bool enabled) = 0;
    // The notification text of a switch to `stage`, in the user's language (the listener shows it).
    virtual QString dpiSwitchText(int stage) const = 0;
};
