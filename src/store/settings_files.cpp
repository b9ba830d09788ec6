#include "settings_files.h"

#include "durable_file.h"
#include "settings_format.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

// Makes the modification time of `path` later than `previous` at the millisecond the cache compares.
void markFileChanged(const QString &path, const QDateTime &previous)
{
    if (!previous.isValid() || QFileInfo(path).lastModified() > previous)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.setFileTime(previous.addMSecs(1), QFileDevice::FileModificationTime))
        qDebug() << "cannot set the time of" << path;
}

}  // namespace

void removeAbandonedLockFiles(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo &lock : dir.entryInfoList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden)) {
            if (lock.size() == 0 && QFile::remove(lock.filePath()))
                qDebug() << "removed the empty lock file" << lock.filePath();
        }
    }
}

void forgetCachedSettings(const QString &path)
{
    // Opening a settings object re-checks the file; a missing one empties the cache entry.
    const QSettings settings(path, settingsFormat());
}

bool copyFileOver(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        qDebug() << "cannot read" << source;
        return false;
    }
    if (!copyOver(in, in.isSequential() ? -1 : in.size(), target)) {
        qDebug() << "copy failed:" << source << "to" << target;
        return false;
    }
    return true;
}

bool copyOver(QIODevice &in, qint64 size, const QString &target)
{
    const QFileInfo before(target);
    const QDateTime previous = before.exists() ? before.lastModified() : QDateTime();
    QString reason;
    if (!durable::replaceFile(target, in, size, &reason)) {
        qDebug().noquote() << reason;
        return false;
    }
    markFileChanged(target, previous);
    return true;
}
