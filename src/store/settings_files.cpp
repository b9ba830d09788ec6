#include "settings_files.h"

#include "settings_format.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

    // Unbuffered, so that every failed write is seen here: a write buffer flushed only at commit would let
    // a full disk pass unnoticed and a truncated copy replace the target.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qDebug() << "cannot write" << target;
        return false;
    }
    char buffer[64 * 1024];
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        copied += n;
    }
    if (size >= 0 && copied != size) {
        qDebug() << "source changed while it was copied:" << copied << "of" << size << "bytes";
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;
    markFileChanged(target, previous);
    return true;
}
