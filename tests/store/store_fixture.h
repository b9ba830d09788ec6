// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A store on a fresh copy of the shipped files: a temporary folder holding modules/, made the current
// directory, and a view built on it. Files are checked as bytes on disk, never through a second settings
// object (all settings objects of a process share one cache).

#include "my_quick_view.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <utility>

class StoreFixture
{
public:
    // `files` (path relative to the folder, content) replace shipped ones before the view is built.
    explicit StoreFixture(std::initializer_list<std::pair<QString, QByteArray>> files = {});
    ~StoreFixture();

    myQQuickView &view() { return *built; }
    // Writes what the view's settings objects still hold.
    void flush();

    // Files by their path relative to the temporary folder ("modules/setting/p1.bin").
    QString path(const QString &relative) const { return dir.filePath(relative); }
    QByteArray read(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir dir;
    QString previousDir;
    std::unique_ptr<myQQuickView> built;
};

// Makes a folder read-only while it lives (for root as well, with the immutable attribute); ok() tells
// whether it worked on this machine.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    bool ok() const { return readOnly; }

private:
    QString path;
    bool readOnly = false;
};

// The fixture files of the tests (tests/store/fixtures).
QByteArray fixture(const QString &name);
