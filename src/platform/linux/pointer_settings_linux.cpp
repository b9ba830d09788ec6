// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointer_settings_linux.h"
#include "system_pointer_settings.h"

#include "pointer_settings_gnome.h"
#include "pointer_settings_kde.h"

#include <QDebug>
#include <QStandardPaths>

Desktop desktopOf(QStringView xdgCurrentDesktop)
{
    for (QStringView name : xdgCurrentDesktop.split(u':')) {
        if (name.compare(u"GNOME", Qt::CaseInsensitive) == 0)
            return Desktop::Gnome;
        if (name.compare(u"KDE", Qt::CaseInsensitive) == 0)
            return Desktop::Kde;
    }
    return Desktop::Other;
}

std::unique_ptr<PointerSettings> pointerSettingsFor(const QString &xdgCurrentDesktop, const QString &configFolder)
{
    switch (desktopOf(xdgCurrentDesktop)) {
    case Desktop::Gnome:
        if (auto gnome = GnomePointerSettings::open())
            return gnome;
        return std::make_unique<NoPointerSettings>(
            QStringLiteral("GNOME without the org.gnome.desktop.peripherals.mouse settings"));
    case Desktop::Kde:
        return std::make_unique<KdePointerSettings>(configFolder);
    case Desktop::Other:
        break;
    }
    if (xdgCurrentDesktop.isEmpty())
        return std::make_unique<NoPointerSettings>(
            QStringLiteral("this session (no desktop named in XDG_CURRENT_DESKTOP)"));
    return std::make_unique<NoPointerSettings>(QStringLiteral("desktop %1").arg(xdgCurrentDesktop));
}

std::unique_ptr<PointerSettings> systemPointerSettings()
{
    std::unique_ptr<PointerSettings> settings =
        pointerSettingsFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    qDebug().noquote() << "pointer settings:" << settings->name();
    return settings;
}
