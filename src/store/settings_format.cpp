#include "settings_format.h"

#include "durable_file.h"
#include "ini_text.h"

#include <QDebug>
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
