// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup_check.h"

#include <QtGlobal>

#include <cerrno>

#ifndef Q_OS_WIN
#include "udev_rules.h"
#endif

OpenOutcome classifyOpenError(int errorNumber, const QString &errorText)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return OpenOutcome::PermissionDenied;
    case EBUSY:
        return OpenOutcome::Busy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return OpenOutcome::Gone;
    case 0:
        break;
    default:
        return OpenOutcome::Failed;
    }
    if (errorText.endsWith(QLatin1String("Permission denied")) || errorText.endsWith(QLatin1String("Operation not permitted")))
        return OpenOutcome::PermissionDenied;
    if (errorText.endsWith(QLatin1String("Device or resource busy")))
        return OpenOutcome::Busy;
    if (errorText.endsWith(QLatin1String("No such file or directory")) || errorText.endsWith(QLatin1String("No such device")))
        return OpenOutcome::Gone;
    return OpenOutcome::Failed;
}

SetupState decideSetupState(const QList<OpenAttempt> &attempts)
{
    bool denied = false, busy = false, failed = false;
    for (const OpenAttempt &attempt : attempts) {
        switch (attempt.outcome) {
        case OpenOutcome::Opened: return SetupState::Ready;
        case OpenOutcome::PermissionDenied: denied = true; break;
        case OpenOutcome::Busy: busy = true; break;
        case OpenOutcome::Failed: failed = true; break;
        case OpenOutcome::Gone: break;
        }
    }
    if (denied)
        return SetupState::PermissionDenied;
    if (busy)
        return SetupState::Busy;
    return failed ? SetupState::Unavailable : SetupState::NoDevice;
}

namespace {

const QString kReplug = QStringLiteral("then unplug the mouse and plug it in again.");

QString accessFix()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Start the program as a user who may use the mouse, ") + kReplug;
#else
    return QStringLiteral("Install the udev rule %1 (the package puts it in /usr/lib/udev/rules.d; after a build "
                          "from source, copy it as root to /etc/udev/rules.d), %2")
        .arg(QLatin1String(kUdevRuleFile), kReplug);
#endif
}

QString noTrayText()
{
    return QStringLiteral(
        "This desktop shows no system tray, so the program has no tray icon, no notifications and no "
        "\"Quit\" entry there, and closing its window ends it. On GNOME, switch on the AppIndicator extension "
        "(package gnome-shell-extension-appindicator). Starting the program again brings its window back; "
        "\"Quit\" below ends it.");
}

QString waitingText(bool trayAvailable)
{
    return QStringLiteral("No ORVANTE ZEPHRA Z714 mouse is connected. Plug it in: the settings open as soon as "
                          "it is found.")
           + (trayAvailable ? QStringLiteral(" Until then the program waits in the system tray; \"Quit\" "
                                             "below ends it.")
                            : QString());
}

}  // namespace

SetupMessage setupMessage(SetupState state, const QString &detail, bool trayAvailable, bool waiting)
{
    SetupMessage message;
    switch (state) {
    case SetupState::NoDevice:
    case SetupState::Ready:
        if (waiting)
            return {QStringLiteral("Waiting for the mouse"),
                    waitingText(trayAvailable) + (trayAvailable ? QString() : QStringLiteral("\n\n") + noTrayText())};
        if (trayAvailable)
            return {};
        return {QStringLiteral("No system tray"), noTrayText()};
    case SetupState::PermissionDenied:
        message = {QStringLiteral("No access to the mouse"),
                   QStringLiteral("The mouse is plugged in, but this user may not open it, so it stays "
                                  "disconnected. ") + accessFix()};
        break;
    case SetupState::Busy:
        message = {QStringLiteral("Mouse held by another program"),
                   QStringLiteral("The mouse is plugged in, but another program holds it exclusively, so it "
                                  "stays disconnected. Close the other program that configures the mouse (or "
                                  "detach the mouse from a virtual machine that took it over), %1")
                       .arg(kReplug)};
        break;
    case SetupState::Unavailable:
        message = {QStringLiteral("The mouse cannot be opened"),
                   QStringLiteral("The mouse is plugged in, but opening it failed, so it stays disconnected. "
                                  "Plug it into another USB port; if that does not help, restart the computer.")};
        break;
    }
    if (!detail.isEmpty())
        message.text += QStringLiteral("\n(%1)").arg(detail);
    if (!trayAvailable)
        message.text += QStringLiteral("\n\n") + noTrayText();
    return message;
}
