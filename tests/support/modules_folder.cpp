#include "modules_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

ModulesFolder::ModulesFolder()
{
    const QDir source(QStringLiteral(ZEPHRA_DATA_DIR));
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = path(QStringLiteral("modules/") + source.relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            qFatal("cannot copy %s", qPrintable(file));
    }
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
