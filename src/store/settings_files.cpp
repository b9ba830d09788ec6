// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_files.h"

#include "durable_file.h"
#include "settings_format.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// "p1.bin.Ab3xYz": a store file's name, a dot and six random letters and digits, as the file library
// names the temporary file of a save.
bool isSaveTemporary(const QFileInfo &file)
{
    static const QRegularExpression name(QStringLiteral("^.+\\.bin\\.[A-Za-z0-9]{6}$"));
    static const QRegularExpression word(QStringLiteral("\\.([a-z]{6}|[A-Z]{6})$"));
    if (!name.match(file.fileName()).hasMatch() || word.match(file.fileName()).hasMatch())
        return false;
    const QFileInfo target(file.path() + QLatin1Char('/') + file.completeBaseName());
    return !target.exists() || file.lastModified() >= target.lastModified();
}

}  // namespace

void removeAbandonedFiles(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
            const bool emptyLock = file.suffix() == QLatin1String("lock") && file.size() == 0;
            if ((emptyLock || isSaveTemporary(file)) && QFile::remove(file.filePath()))
                qDebug() << "removed what a killed save left:" << file.filePath();
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
