// SPDX-License-Identifier: GPL-3.0-or-later
#include "safe_names.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QVariant>

namespace {

QString checkedName(const QVariant &name, QStringView extension, const char *operation, const char *what)
{
    const QString text = name.toString();
    if (!isSafeFileName(text, extension)) {
        qDebug() << operation << "refused: not a" << what << "name:" << text;
        return {};
    }
    return text;
}

}  // namespace

bool isSafeFileName(const QString &baseName, QStringView extension)
{
    if (baseName.isEmpty() || baseName == QLatin1String(".") || baseName.contains(QLatin1String("..")))
        return false;
    for (QChar c : baseName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return baseName.toUtf8().size() + extension.toUtf8().size() <= kMaxFileNameBytes;
}

QString checkedMacroName(const QVariant &name, const char *operation)
{
    return checkedName(name, u".bin", operation, "macro");
}

QString checkedGunName(const QVariant &name, const char *operation)
{
    return checkedName(name, {}, operation, "gun");
}

QString linkOutOfFolder(const QString &path)
{
    QFileInfo target(path);
    if (!target.isSymLink())
        return {};
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    // As deep as the file library follows links when it saves through one.
    for (int depth = 0; depth < 128 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    const QString targetFolder = QFileInfo(target.absolutePath()).canonicalFilePath();
    if (target.isSymLink() || folder.isEmpty() || targetFolder != folder)
        return target.absoluteFilePath();
    return {};
}

bool staysInItsFolder(const QString &path, const char *operation)
{
    const QString outside = linkOutOfFolder(path);
    if (outside.isEmpty())
        return true;
    qDebug().noquote() << operation << "refused:" << QDir::cleanPath(path) << "is a link to" << outside
                       << "outside its folder";
    return false;
}
