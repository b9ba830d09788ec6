#include "session_status.h"

SessionStatus::SessionStatus(QObject *parent)
    : QObject(parent)
{
}

QString SessionStatus::captureHint() const
{
    if (available)
        return {};
    return QStringLiteral("Recording needs the keys and clicks of the whole desktop, which this session does not "
                          "give to programs (a Wayland session). Log in with an X11 session (for example "
                          "\"GNOME on Xorg\") to record macros and to enter keys by pressing them.");
}

void SessionStatus::setCaptureAvailable(bool value)
{
    if (available == value)
        return;
    available = value;
    emit captureAvailableChanged();
}
