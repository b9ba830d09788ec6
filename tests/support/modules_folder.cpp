// SPDX-License-Identifier: GPL-3.0-or-later
#include "modules_folder.h"

#include "copy_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ModulesFolder::ModulesFolder()
{
    if (!copyTree(QStringLiteral(ZEPHRA_DATA_DIR), path(QStringLiteral("modules"))))
        qFatal("cannot copy the modules folder");
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
}

ModulesFolder::~ModulesFolder()
{
    QDir::setCurrent(previousDir);
}

void ModulesFolder::write(const QString &relative, const QByteArray &bytes) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile file(path(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(relative));
}
