// The long-lived settings objects of the view and the slots that read and write keys in them: the global
// configuration, the default profile and the ten profiles, and the resets and copies of whole files.

#include "my_quick_view.h"
#include "safe_names.h"
#include "settings_files.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

void myQQuickView::openSettings()
{
    removeAbandonedFiles({QFileInfo(kGlobalSettingsPath).path(), kMacroFolder, QFileInfo(kGunDataPath).path()});
    globalSettings = new QSettings(kGlobalSettingsPath, settingsFormat(), this);
    defaultProfileSettings = new QSettings(kDefaultProfilePath, settingsFormat(), this);
    for (int profile = 0; profile < kProfileFileCount; ++profile)
        profileSettings.append(new QSettings(profileFilePath(profile), settingsFormat(), this));
}

QSettings *myQQuickView::profileAt(int profile, const char *operation) const
{
    if (profile < 0 || profile >= profileSettings.size()) {
        qDebug() << operation << "refused: no profile" << profile;
        return nullptr;
    }
    return profileSettings.at(profile);
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    QSettings *settings = isRecovery ? defaultProfileSettings : profileAt(currentProfile, "getData");
    return settings ? settings->value(key.toString()) : QVariant();
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return storedList(getData(key, isRecovery));
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    if (QSettings *settings = profileAt(currentProfile, "setData"))
        settings->setValue(key.toString(), interfaceValue(data));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    if (QSettings *settings = profileAt(currentProfile, "setDataList"))
        settings->setValue(key.toString(), datalist);
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return globalSettings->value(key.toString());
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    globalSettings->setValue(key.toString(), interfaceValue(tmpdata));
}

QSettings *myQQuickView::replaceSettingsFile(QSettings *settings, const QString &source)
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
    return new QSettings(target, settingsFormat(), this);
}

bool myQQuickView::replaceProfileFile(int profile, const QString &source)
{
    QSettings *old = profileAt(profile, "replaceProfileFile");
    if (!old)
        return false;
    QSettings *fresh = replaceSettingsFile(old, source);
    if (!fresh)
        return false;
    profileSettings[profile] = fresh;
    return true;
}

void myQQuickView::resetApconfig()
{
    if (QSettings *fresh = replaceSettingsFile(globalSettings, kDefaultGlobalSettingsPath))
        globalSettings = fresh;
}

void myQQuickView::resetProfile(int profile)
{
    if (profileAt(profile, "resetProfile"))
        replaceProfileFile(profile, kDefaultProfilePath);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    QSettings *source = profileAt(srcprofile, "copyProfile");
    if (!source || !profileAt(destprofile, "copyProfile") || destprofile == srcprofile)
        return;
    // The copy is of what the source profile holds now, its unwritten changes included.
    source->sync();
    replaceProfileFile(destprofile, source->fileName());
}
