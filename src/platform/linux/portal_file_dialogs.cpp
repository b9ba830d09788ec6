// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_file_dialogs.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

namespace {
const char *const kThemeVariable = "QT_QPA_PLATFORMTHEME";
}

bool wantPortalTheme(const QByteArray &chosenTheme, bool portalThemeInstalled, bool sessionBus)
{
    return chosenTheme.trimmed().isEmpty() && portalThemeInstalled && sessionBus;
}

namespace {

// The session bus as the bus library finds it: its address, or the user's bus socket in the runtime folder.
bool hasSessionBus()
{
    if (!qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty())
        return true;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QString::fromLocal8Bit(runtime) + QStringLiteral("/bus"));
}

}  // namespace

bool preferPortalFileDialogs()
{
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/platformthemes/libqxdgdesktopportal.so");
    if (!wantPortalTheme(qgetenv(kThemeVariable), QFileInfo::exists(plugin), hasSessionBus()))
        return false;
    qputenv(kThemeVariable, "xdgdesktopportal");
    return true;
}

void forgetPortalThemeChoice()
{
    qunsetenv(kThemeVariable);
}
