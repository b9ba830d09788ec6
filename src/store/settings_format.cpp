// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_format.h"

#include "durable_file.h"
#include "ini_text.h"
#include "safe_names.h"

#include <QDebug>
#include <QFileDevice>

namespace {

// The settings library opens settings files by their own names (a save writes a temporary file of its
// own, but names it after the settings file).
bool leadsOutOfItsFolder(const QIODevice &device, const char *operation)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    return file && !staysInItsFolder(file->fileName(), operation);
}

bool readSettings(QIODevice &device, QSettings::SettingsMap &map)
{
    if (leadsOutOfItsFolder(device, "reading settings")) {
        map.clear();
        return true;
    }
    // Damaged lines are skipped and everything readable is kept, so reading never fails.
    map = ini::parse(device.readAll());
    return true;
}

bool writeSettings(QIODevice &device, const QSettings::SettingsMap &map)
{
    if (leadsOutOfItsFolder(device, "saving settings"))
        return false;
    const QByteArray text = ini::write(map);
    auto *file = qobject_cast<QFileDevice *>(&device);
    if (!file)
        return device.write(text) == text.size();
    QString reason;
    if (durable::writeAll(*file, text, &reason))
        return true;
    qDebug().noquote() << reason;
    return false;
}

}  // namespace

QSettings::Format settingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readSettings, writeSettings, Qt::CaseSensitive);
    return format;
}
