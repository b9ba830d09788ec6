// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the interface can learn about the session it runs in, published to QML as "sessionStatus": whether
// global input capture works (without it, macro recording and key entry see only the input of the
// program's own window, as in a Wayland session), the hint to show when recording starts then, whether
// the mouse is connected (the interface shows its disconnected state otherwise), and whether the desktop
// shows a system tray (without one, closing the window ends the program).

#include <QObject>
#include <QString>

#include <functional>

class SessionStatus : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool captureAvailable READ captureAvailable NOTIFY captureAvailableChanged)
    Q_PROPERTY(QString captureHint READ captureHint NOTIFY captureAvailableChanged)
    Q_PROPERTY(bool mouseConnected READ mouseConnected NOTIFY mouseConnectedChanged)

public:
    explicit SessionStatus(QObject *parent = nullptr);

    bool captureAvailable() const { return available; }
    // Empty while capture works.
    QString captureHint() const;
    void setCaptureAvailable(bool value);

    // False from start until a mouse is accepted, and again while it is gone.
    bool mouseConnected() const { return connected; }
    void setMouseConnected(bool value);

    // Asked each time (a tray host may come and go); tests replace the probe.
    bool trayAvailable() const { return trayProbe && trayProbe(); }
    std::function<bool()> trayProbe;

signals:
    void captureAvailableChanged();
    void mouseConnectedChanged();

private:
    bool available = true;
    bool connected = false;
};
