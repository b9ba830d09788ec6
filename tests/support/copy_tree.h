// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copies every file under `from` into `to`, keeping the paths relative to `from` and making the folders
// on the way. With `keepExisting`, files already present in `to` stay as they are. False when a file
// could not be copied.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

inline bool copyTree(const QString &from, const QString &to, bool keepExisting = false)
{
    const QDir source(from);
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (keepExisting && QFile::exists(target))
            continue;
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}
