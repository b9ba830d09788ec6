// SPDX-License-Identifier: GPL-3.0-or-later
#include "store_on_disk.h"

#include "copy_tree.h"
#include "disk_faults.h"

#include <QDir>
#include <QFile>
#include <QSettings>

class StoreOnDisk::Dialogs final : public FileDialogs
{
public:
    using FileDialogs::FileDialogs;
    QStringList answers;

    QString openFileName(QWidget *, const QString &, const QString &) override { return next(); }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return next(); }

private:
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

StoreOnDisk::StoreOnDisk(const QString &folder)
    : root(folder)
{
    if (!copyTree(QStringLiteral(ZEPHRA_DATA_DIR), path(QStringLiteral("modules")), true))
        qFatal("cannot copy the modules folder");
    previousDir = QDir::currentPath();
    QDir::setCurrent(root);
    built = std::make_unique<myQQuickView>();
    dialogs = new Dialogs(built.get());
    setFileDialogs(*built, dialogs);
}

StoreOnDisk::~StoreOnDisk()
{
    built.reset();
    QDir::setCurrent(previousDir);
}

void StoreOnDisk::flush()
{
    built->globalSettings->sync();
    built->defaultProfileSettings->sync();
    for (QSettings *profile : std::as_const(built->profileSettings))
        profile->sync();
}

QMap<QString, QByteArray> StoreOnDisk::files() const
{
    return filesUnder(path(QStringLiteral("modules")));
}

QByteArray StoreOnDisk::read(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList &StoreOnDisk::dialogAnswers()
{
    return dialogs->answers;
}
