// SPDX-License-Identifier: GPL-3.0-or-later
// The long-lived settings objects of the interface and the keys read and written in them: the global
// configuration, the default profile and the ten profiles, and the resets and copies of whole files.

#include "profile_store.h"

#include "safe_names.h"
#include "settings_files.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

namespace {

// Replaces the file of `settings` by a copy of `source` and returns the new object on it, or returns null
// and keeps the old object and file when the copy fails.
QSettings *replaceSettingsFile(QSettings *settings, const QString &source, QObject *parent)
{
    const QString target = settings->fileName();
    // The store's own files (a reset's default, a copied profile) lie beside the target; a file the user
    // chose to import is read wherever it is.
    const bool ownSource = QFileInfo(source).absolutePath() == QFileInfo(target).absolutePath();
    const char *const operation = "replacing a settings file";
    if (!staysInItsFolder(target, operation) || (ownSource && !staysInItsFolder(source, operation)))
        return nullptr;
    // Whatever the old object still holds goes into the old file now, never into the copy.
    settings->sync();
    if (!copyFileOver(source, target)) {
        qDebug() << "kept" << target << "as it was";
        return nullptr;
    }
    settings->deleteLater();
    return new QSettings(target, settingsFormat(), parent);
}

}  // namespace

namespace store {

void openSettings(const SettingsObjects &s)
{
    removeAbandonedFiles({QFileInfo(kGlobalSettingsPath).path(), kMacroFolder, QFileInfo(kGunDataPath).path()});
    s.global = new QSettings(kGlobalSettingsPath, settingsFormat(), s.parent);
    s.defaultProfile = new QSettings(kDefaultProfilePath, settingsFormat(), s.parent);
    for (int profile = 0; profile < kProfileFileCount; ++profile)
        s.profiles.append(new QSettings(profileFilePath(profile), settingsFormat(), s.parent));
}

QSettings *profileAt(const SettingsObjects &s, int profile, const char *operation)
{
    if (profile < 0 || profile >= s.profiles.size()) {
        qDebug() << operation << "refused: no profile" << profile;
        return nullptr;
    }
    return s.profiles.at(profile);
}

QVariant getData(const SettingsObjects &s, const QVariant &key, bool isRecovery)
{
    QSettings *settings = isRecovery ? s.defaultProfile : profileAt(s, s.currentProfile, "getData");
    return settings ? settings->value(key.toString()) : QVariant();
}

QVariantList getDataList(const SettingsObjects &s, const QVariant &key, bool isRecovery)
{
    return storedList(getData(s, key, isRecovery));
}

void setData(const SettingsObjects &s, const QVariant &key, const QVariant &data)
{
    if (QSettings *settings = profileAt(s, s.currentProfile, "setData"))
        settings->setValue(key.toString(), interfaceValue(data));
}

void setDataList(const SettingsObjects &s, const QVariant &key, const QVariantList &datalist)
{
    if (QSettings *settings = profileAt(s, s.currentProfile, "setDataList"))
        settings->setValue(key.toString(), datalist);
}

QVariant getGlobalData(const SettingsObjects &s, const QVariant &key)
{
    return s.global->value(key.toString());
}

void setGlobalData(const SettingsObjects &s, const QVariant &key, const QVariant &data)
{
    s.global->setValue(key.toString(), interfaceValue(data));
}

bool replaceProfileFile(const SettingsObjects &s, int profile, const QString &source)
{
    QSettings *old = profileAt(s, profile, "replaceProfileFile");
    if (!old)
        return false;
    QSettings *fresh = replaceSettingsFile(old, source, s.parent);
    if (!fresh)
        return false;
    s.profiles[profile] = fresh;
    return true;
}

void resetApconfig(const SettingsObjects &s)
{
    if (QSettings *fresh = replaceSettingsFile(s.global, kDefaultGlobalSettingsPath, s.parent))
        s.global = fresh;
}

void resetProfile(const SettingsObjects &s, int profile)
{
    if (profileAt(s, profile, "resetProfile"))
        replaceProfileFile(s, profile, kDefaultProfilePath);
}

void copyProfile(const SettingsObjects &s, int destprofile, int srcprofile)
{
    QSettings *source = profileAt(s, srcprofile, "copyProfile");
    if (!source || !profileAt(s, destprofile, "copyProfile") || destprofile == srcprofile)
        return;
    // The copy is of what the source profile holds now, its unwritten changes included.
    source->sync();
    replaceProfileFile(s, destprofile, source->fileName());
}

}  // namespace store
