// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_fixture.h"

#include "copy_tree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <unistd.h>

StoreFixture::StoreFixture(std::initializer_list<std::pair<QString, QByteArray>> files)
{
    if (!copyTree(QStringLiteral(ZEPHRA_DATA_DIR), path(QStringLiteral("modules"))))
        qFatal("cannot copy the modules folder");
    for (const auto &[relative, bytes] : files)
        write(relative, bytes);
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    built = std::make_unique<myQQuickView>();
}

StoreFixture::~StoreFixture()
{
    built.reset();
    QDir::setCurrent(previousDir);
}

void StoreFixture::flush()
{
    built->globalSettings->sync();
    for (QSettings *settings : std::as_const(built->profileSettings))
        settings->sync();
}

QByteArray StoreFixture::read(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void StoreFixture::write(const QString &relative, const QByteArray &bytes) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile file(path(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(relative));
}

bool StoreFixture::exists(const QString &relative) const
{
    return QFile::exists(path(relative));
}

ReadOnlyFolder::ReadOnlyFolder(const QString &path)
    : path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path});
    QFile probe(path + QStringLiteral("/probe"));
    readOnly = !probe.open(QIODevice::WriteOnly);
    if (!readOnly)
        probe.remove();
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup);
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(ZEPHRA_FIXTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}
