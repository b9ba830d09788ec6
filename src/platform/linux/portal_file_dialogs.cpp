#include "portal_file_dialogs.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

namespace {
const char *const kThemeVariable = "QT_QPA_PLATFORMTHEME";
}

bool wantPortalTheme(const QByteArray &chosenTheme, bool portalThemeInstalled)
{
    return chosenTheme.trimmed().isEmpty() && portalThemeInstalled;
}

void preferPortalFileDialogs()
{
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/platformthemes/libqxdgdesktopportal.so");
    if (wantPortalTheme(qgetenv(kThemeVariable), QFileInfo::exists(plugin)))
        qputenv(kThemeVariable, "xdgdesktopportal");
}
