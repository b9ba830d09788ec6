// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Disks that fail for the data-loss tests: a small file system of the test's own that can be filled up
// (a tmpfs, where the test runs as root), and otherwise a limit on the size of every file written, which
// makes writes fail the way a full disk does.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

class SmallDisk
{
public:
    // Mounts a file system of `bytes` on a temporary folder; ok() tells whether that was possible here.
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool ok() const { return mounted; }
    QString path() const { return folder.path(); }

    // Writes a filler file until the disk takes no more, then gives back `room` bytes; release() removes
    // the filler.
    void fill(qint64 room);
    void release();
    // Mounts the file system read-only, or writable again.
    bool setReadOnly(bool readOnly);

private:
    QTemporaryDir folder;
    bool mounted = false;
};

// Makes every file write beyond `bytes` fail while it lives, as a full disk does.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit previous{};
};

// A full disk by whichever means this machine offers. On the small disk `room` bytes are left (one page:
// room for the settings library's lock file, none for the settings file it then writes: the failure a
// save must survive). Elsewhere no file write succeeds at all.
class FullDisk
{
public:
    FullDisk(SmallDisk *disk, qint64 room);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    SmallDisk *disk;
    FileSizeLimit *limit = nullptr;
};

// A read-only settings folder while it lives: the small disk remounted read-only when `disk` is one,
// otherwise `folder` and its subfolders without write permission (which binds users other than root).
// ok() tells whether writing into `folder` really fails.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(SmallDisk *disk, const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;
    bool ok() const { return readOnly; }

private:
    SmallDisk *disk;
    QStringList folders;
    bool readOnly = false;
};

// Every file under `root` with its content, by path relative to it.
QMap<QString, QByteArray> filesUnder(const QString &root);
