#include "settings_files.h"

#include <QDateTime>
#include <QDebug>
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

void forgetCachedSettings(const QString &path)
{
    // Opening a settings object re-checks the file; a missing one empties the cache entry.
    const QSettings settings(path, QSettings::IniFormat);
}

bool copyFileOver(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        qDebug() << "cannot read" << source;
        return false;
    }
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
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            qDebug() << "copy failed:" << source << "to" << target;
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
    }
    if (!out.commit()) {
        qDebug() << "copy failed:" << source << "to" << target;
        return false;
    }
    markFileChanged(target, previous);
    return true;
}
