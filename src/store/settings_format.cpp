#include "settings_format.h"

#include "ini_text.h"

#include <QFileDevice>

namespace {

bool readSettings(QIODevice &device, QSettings::SettingsMap &map)
{
    // Damaged lines are skipped and everything readable is kept, so reading never fails.
    map = ini::parse(device.readAll());
    return true;
}

bool writeSettings(QIODevice &device, const QSettings::SettingsMap &map)
{
    const QByteArray text = ini::write(map);
    if (device.write(text) != text.size())
        return false;
    auto *file = qobject_cast<QFileDevice *>(&device);
    return !file || file->flush();
}

}  // namespace

QSettings::Format settingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readSettings, writeSettings, Qt::CaseSensitive);
    return format;
}
