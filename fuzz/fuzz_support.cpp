// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace fuzz {

void startApplication(bool widgets)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The targets write a file or two for each input, and the store syncs what it writes: in memory that
    // costs nothing.
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    if (widgets)
        new QApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

QString workFolder(bool modules)
{
    static QTemporaryDir *folder = nullptr;
    if (!folder) {
        folder = new QTemporaryDir();
        if (!folder->isValid())
            std::abort();
        std::atexit([] { delete folder; });
    }
    if (modules && !QFile::exists(folder->filePath(QStringLiteral("modules")))) {
        const QDir data(QStringLiteral(ZEPHRA_DATA_DIR));
        QDirIterator it(data.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = folder->filePath(QStringLiteral("modules/") + data.relativeFilePath(source));
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(source, target);
        }
        QDir::setCurrent(folder->path());
    }
    return folder->path();
}

void writeFresh(const QString &path, const uint8_t *data, size_t size)
{
    static qint64 serial = 0;
    // A new file, not the old one rewritten in place: the library may still map the old one's content.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size) ||
        !file.commit())
        std::abort();
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly) ||
        !written.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++serial), QFileDevice::FileModificationTime))
        std::abort();
}

}  // namespace fuzz
