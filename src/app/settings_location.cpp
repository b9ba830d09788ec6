// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_location.h"

#include "device_list.h"
#include "durable_file.h"
#include "locale_language.h"
#include "settings_format.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#ifndef ZEPHRA_INSTALLED_DATA
#define ZEPHRA_INSTALLED_DATA "../share/zephra-config"
#endif

namespace {

const QString kModules = QStringLiteral("modules");
// The folders of modules/ the program reads and writes.
const QStringList kShippedFolders = {QStringLiteral("setting"), QStringLiteral("macro"), QStringLiteral("gun"),
                                     QStringLiteral("i18n"), QStringLiteral("img")};

bool isWritableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// Every folder and file under `from`, made again under `to`. The copies are new files of the user's, so
// they are writable by their owner even when the installed files are read-only.
bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    QDirIterator it(from, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo item(it.next());
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(item.filePath());
        if (item.isDir()) {
            if (!QDir().mkpath(target))
                return false;
            continue;
        }
        QFile in(item.filePath());
        QString reason;
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !in.open(QIODevice::ReadOnly)
            || !durable::replaceFile(target, in, in.size(), &reason)) {
            qDebug().noquote() << "cannot copy" << item.filePath() << reason;
            return false;
        }
    }
    return true;
}

// The language of a first start, stored in the new global settings of `modules` when its file is there. A
// failed write keeps the shipped language: the settings are whole either way.
void storeLanguage(const QString &modules, const QString &language)
{
    const QString path = modules + QStringLiteral("/setting/") + QFileInfo(kGlobalSettingsPath).fileName();
    if (language.isEmpty() || !QFileInfo::exists(path)
        || !QFileInfo::exists(modules + QStringLiteral("/i18n/") + language + QStringLiteral(".ini")))
        return;
    const QString key = QStringLiteral("common/language");
    QSettings global(path, settingsFormat());
    if (global.value(key).toString() == language)
        return;
    global.setValue(key, language);
    global.sync();
    if (global.status() != QSettings::NoError)
        qDebug() << "The language" << language << "could not be stored";
}

}  // namespace

SettingsLocation chooseSettingsLocation(const SettingsPlaces &places)
{
    if (places.besideWritable)
        return {places.executableDir, QString()};
    if (places.dataHome.isEmpty()) {
        // Nowhere to write: the shipped folder as it is.
        const QString shipped = places.installedModules.isEmpty() ? places.executableDir
                                                                  : QFileInfo(places.installedModules).path();
        return {shipped, QString()};
    }
    return {QDir::cleanPath(places.dataHome + QLatin1Char('/') + places.dataFolderName), places.installedModules};
}

SettingsPlaces currentSettingsPlaces(const QString &executableDir)
{
    SettingsPlaces places;
    places.executableDir = executableDir;
    const QString beside = executableDir + QLatin1Char('/') + kModules;
    const QString besideSettings = beside + QStringLiteral("/setting");
    const bool shippedOnly = QFileInfo::exists(executableDir + QLatin1Char('/') + QLatin1String(kShippedMarkerName));
    places.besideWritable = !shippedOnly && isWritableFolder(beside)
                            && (!QFileInfo::exists(besideSettings) || isWritableFolder(besideSettings));
    places.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString shared = QDir::cleanPath(executableDir + QStringLiteral("/" ZEPHRA_INSTALLED_DATA "/") + kModules);
    if (QFileInfo(beside).isDir())
        places.installedModules = beside;
    else if (QFileInfo(shared).isDir())
        places.installedModules = shared;
    places.language = languageForLocale(messagesLocale(qEnvironmentVariable("LC_ALL"),
                                                       qEnvironmentVariable("LC_MESSAGES"),
                                                       qEnvironmentVariable("LANG")));
    return places;
}

bool seedSettings(const QString &defaults, const QString &root, const QString &language)
{
    const QString target = root + QLatin1Char('/') + kModules;
    if (QFileInfo::exists(target))
        return true;
    const QString partial = target + QStringLiteral(".partial");
    QDir(partial).removeRecursively();   // left by an interrupted first start
    bool copied = QDir().mkpath(partial);
    for (const QString &folder : kShippedFolders) {
        const QString from = defaults + QLatin1Char('/') + folder;
        if (copied && QFileInfo(from).isDir())
            copied = copyTree(from, partial + QLatin1Char('/') + folder);
    }
    if (copied)
        storeLanguage(partial, language);
    if (!copied || !QDir().rename(partial, target)) {
        QDir(partial).removeRecursively();
        return false;
    }
    return true;
}

QString prepareSettingsRoot(const SettingsPlaces &places)
{
    const SettingsLocation location = chooseSettingsLocation(places);
    const QString modules = location.root + QLatin1Char('/') + kModules;
    if (QFileInfo::exists(modules))
        return location.root;
    if (location.seedFrom.isEmpty()) {
        qDebug() << "No settings found in" << modules;
        return location.root;
    }
    if (seedSettings(location.seedFrom, location.root, places.language)) {
        qDebug() << "Settings copied from" << location.seedFrom << "to" << modules;
        return location.root;
    }
    qDebug() << "Settings could not be copied to" << location.root << "- the installed ones are used, nothing is saved";
    return QFileInfo(location.seedFrom).path();
}
