// SPDX-License-Identifier: GPL-3.0-or-later
// Gun records in gunData.bin, and the per-profile X/Y sensitivity and selected-gun values.

#include "gun_store.h"

#include "profile_store.h"
#include "safe_names.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QDebug>
#include <QFile>
#include <QSettings>

namespace {

const QString kRecordGroup = QStringLiteral("gunData/");
constexpr int kDefaultXYSensitive = 4;

// A record's key: a safe name (checkedGunName). An empty key would address the whole group (removing it
// would remove every record), a '/' would make a group of its own.
QString recordKey(const QVariant &name, const char *operation)
{
    return checkedGunName(name, operation);
}

}  // namespace

namespace store {

void mouseSaveGundata(const QVariant &index, const QVariantList &src6)
{
    if (!QFile::exists(kGunDataPath))
        return;
    if (src6.size() < 6) {
        qDebug() << "mouseSaveGundata refused: a gun record has six values, got" << src6.size();
        return;
    }
    const QString key = recordKey(index, "mouseSaveGundata");
    if (key.isEmpty())
        return;
    QSettings guns(kGunDataPath, settingsFormat());
    guns.setValue(kRecordGroup + key, asTexts(src6.mid(0, 6)));
}

void modifyGundata(const QVariant &modifyType, const QVariantList &src6)
{
    if (!QFile::exists(kGunDataPath))
        return;
    const int type = modifyType.toInt();
    if (type == 0) {
        const QString key = src6.isEmpty() ? QString() : recordKey(src6.at(0), "modifyGundata");
        if (key.isEmpty())
            return;
        QSettings guns(kGunDataPath, settingsFormat());
        guns.remove(kRecordGroup + key);
    } else if (type == 1) {
        if (src6.size() < 7) {
            qDebug() << "modifyGundata refused: a renamed gun needs seven values, got" << src6.size();
            return;
        }
        const QString newName = recordKey(src6.at(0), "modifyGundata");
        const QString oldName = recordKey(src6.at(6), "modifyGundata");
        if (newName.isEmpty() || oldName.isEmpty())
            return;
        QSettings guns(kGunDataPath, settingsFormat());
        guns.remove(kRecordGroup + oldName);
        guns.setValue(kRecordGroup + newName, asTexts(src6.mid(1, 5)));
    }
}

QVariantList getGunData(const QVariant &name)
{
    if (!QFile::exists(kGunDataPath))
        return {};
    const QSettings guns(kGunDataPath, settingsFormat());
    return storedList(guns.value(kRecordGroup + name.toString(), 0));
}

QStringList getGunDataKey()
{
    if (!QFile::exists(kGunDataPath))
        return {};
    QSettings guns(kGunDataPath, settingsFormat());
    guns.beginGroup(QStringLiteral("gunData"));
    return guns.childKeys();
}

QVariant getXYSensitive(const SettingsObjects &s, const QVariant &index)
{
    QSettings *profile = profileAt(s, s.currentProfile, "getXYSensitive");
    const QString key = QStringLiteral("XYSensitive/") + index.toString();
    return profile ? profile->value(key, kDefaultXYSensitive) : QVariant(kDefaultXYSensitive);
}

void setXYSensitive(const SettingsObjects &s, const QVariant &index, const QVariant &xyData)
{
    if (QSettings *profile = profileAt(s, s.currentProfile, "setXYSensitive"))
        profile->setValue(QStringLiteral("XYSensitive/") + index.toString(), interfaceValue(xyData));
}

QVariant getselectGun(const SettingsObjects &s, const QVariant &index)
{
    QSettings *profile = profileAt(s, s.currentProfile, "getselectGun");
    const QString key = QStringLiteral("selectGun/") + index.toString();
    return profile ? profile->value(key, QString()) : QVariant(QString());
}

void setSelectGun(const SettingsObjects &s, const QVariant &index, const QVariant &xyData)
{
    if (QSettings *profile = profileAt(s, s.currentProfile, "setSelectGun"))
        profile->setValue(QStringLiteral("selectGun/") + index.toString(), interfaceValue(xyData));
}

}  // namespace store
