// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process-wide state of the application shell.

#include <QEvent>

// Set when a discovery pass accepts a device, cleared when a pass finds none. The restore request (a
// second start, a double click on the tray icon) brings the window back only while it is set.
extern bool deviceConnected;

// A custom event with one code. Code runUiEventCode asks the host window to call the interface's `run`,
// after the queued `initUI` that was posted before it.
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::User;   // 1000
    explicit UserEvent(int code) : QEvent(kType), code(code) {}
    const int code;
};

inline constexpr int runUiEventCode = 2177;
