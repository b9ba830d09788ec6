// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointer_settings_kde.h"

#include "durable_file.h"
#include "pointer_settings_kconfig_text.h"
#include "pointer_steps.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHash>

namespace {

const QString kGlobals = QStringLiteral("kdeglobals");
const QString kInput = QStringLiteral("kcminputrc");

using ChangedEntries = QHash<QString, QByteArrayList>;

// Tells running KDE programs that an entry of a configuration file changed: KConfig's own notification
// (what KConfigWatcher listens to) and, for kdeglobals, the older settings-changed broadcast of the mouse
// settings.
void announce(const QString &file, QByteArrayView group, QByteArrayView key)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qDebug().noquote() << "KDE settings written to" << file << "but not announced: no session bus";
        return;
    }
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<ChangedEntries>();
    QDBusMessage changed = QDBusMessage::createSignal(QLatin1Char('/') + file, QStringLiteral("org.kde.kconfig.notify"),
                                                      QStringLiteral("ConfigChanged"));
    const ChangedEntries entries{{QString::fromLatin1(group), {key.toByteArray()}}};
    changed << QVariant::fromValue(entries);
    bus.send(changed);
    if (file == kGlobals) {
        constexpr int kSettingsChanged = 3;   // KGlobalSettings change type
        constexpr int kMouseSettings = 0;     // KGlobalSettings settings category
        QDBusMessage broadcast = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                            QStringLiteral("org.kde.KGlobalSettings"),
                                                            QStringLiteral("notifyChange"));
        broadcast << kSettingsChanged << kMouseSettings;
        bus.send(broadcast);
    }
}

}  // namespace

KdePointerSettings::KdePointerSettings(QString configFolder)
    : folder(std::move(configFolder))
{
}

PointerSettings::Result KdePointerSettings::setPointerSpeed(uint speed)
{
    return write(kInput, "Mouse", "XLbInptPointerAcceleration", QByteArray::number(pointer::desktopSpeed(speed)));
}

PointerSettings::Result KdePointerSettings::setDoubleClickTime(uint milliseconds)
{
    return write(kGlobals, "KDE", "DoubleClickInterval", QByteArray::number(milliseconds));
}

PointerSettings::Result KdePointerSettings::setWheelScrollLines(uint lines)
{
    return write(kGlobals, "KDE", "WheelScrollLines", QByteArray::number(lines));
}

PointerSettings::Result KdePointerSettings::write(const QString &file, QByteArrayView group, QByteArrayView key,
                                                  const QByteArray &value) const
{
    const QString path = QDir(folder).filePath(file);
    QByteArray text;
    QFile current(path);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            qDebug().noquote() << "cannot read" << path;
            return Result::Failed;
        }
        text = current.readAll();
        current.close();
    }
    const std::optional<QByteArray> edited = kconfig::withEntry(text, group, key, value);
    if (!edited) {
        qDebug().noquote() << path << "locks" << group.toByteArray() + '/' + key.toByteArray();
        return Result::Failed;
    }
    QDir().mkpath(folder);
    // Written whole or not at all: KDE never reads a half-written file, and a full disk leaves the old one.
    QString reason;
    if (!durable::replaceFile(path, *edited, &reason)) {
        qDebug().noquote() << reason;
        return Result::Failed;
    }
    announce(file, group, key);
    return Result::Applied;
}
