// SPDX-License-Identifier: GPL-3.0-or-later
#include "session_status.h"

#include "my_quick_view.h"

#include <QSystemTrayIcon>

SessionStatus::SessionStatus(QObject *parent)
    : QObject(parent)
    , trayProbe(&QSystemTrayIcon::isSystemTrayAvailable)
{
}

QString SessionStatus::captureHint() const
{
    if (available)
        return {};
    return QStringLiteral("Only keys and clicks made in this window are recorded: this session (Wayland, or an X "
                          "server without XInput 2.1) gives no program the input of other windows.");
}

void SessionStatus::setCaptureAvailable(bool value)
{
    if (available == value)
        return;
    available = value;
    emit captureAvailableChanged();
}

void SessionStatus::setMouseConnected(bool value)
{
    if (connected == value)
        return;
    connected = value;
    qCDebug(lcUi) << (connected ? "mouse connected" : "mouse disconnected");
    emit mouseConnectedChanged();
}
