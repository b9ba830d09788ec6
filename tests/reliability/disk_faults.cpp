// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk_faults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(qint64 bytes)
{
    if (geteuid() != 0 || !folder.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    mounted = ::mount("zephra-test", QFile::encodeName(folder.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted)
        ::umount2(QFile::encodeName(folder.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill(qint64 room)
{
    QFile filler(folder.filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // What is left is less than a block: fill it byte by byte.
    while (filler.write("f", 1) == 1) {
    }
    filler.resize(qMax<qint64>(0, filler.size() - room));
}

void SmallDisk::release()
{
    QFile::remove(folder.filePath(QStringLiteral("filler")));
}

bool SmallDisk::setReadOnly(bool readOnly)
{
    if (!mounted)
        return false;
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    return ::mount("zephra-test", QFile::encodeName(folder.path()).constData(), "tmpfs", flags, nullptr) == 0;
}

ReadOnlyFolder::ReadOnlyFolder(SmallDisk *smallDisk, const QString &folder)
    : disk(smallDisk && smallDisk->ok() ? smallDisk : nullptr)
{
    if (disk) {
        disk->setReadOnly(true);
    } else {
        folders << folder;
        QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            folders << it.next();
        for (const QString &f : std::as_const(folders))
            QFile::setPermissions(f, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    }
    QFile probe(folder + QStringLiteral("/probe"));
    readOnly = !probe.open(QIODevice::WriteOnly);
    if (!readOnly)
        probe.remove();
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (disk)
        disk->setReadOnly(false);
    for (const QString &f : std::as_const(folders))
        QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                     QFile::ExeGroup);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit limit{bytes, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &previous);
}

FullDisk::FullDisk(SmallDisk *smallDisk, qint64 room)
    : disk(smallDisk && smallDisk->ok() ? smallDisk : nullptr)
{
    if (disk)
        disk->fill(room);
    else
        limit = new FileSizeLimit(0);
}

FullDisk::~FullDisk()
{
    if (disk)
        disk->release();
    delete limit;
}

QMap<QString, QByteArray> filesUnder(const QString &root)
{
    QMap<QString, QByteArray> files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(base.relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}
