#include "safe_names.h"

#include <QDebug>
#include <QVariant>

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
    const QString text = name.toString();
    if (!isSafeFileName(text, u".bin")) {
        qDebug() << operation << "refused: not a macro name:" << text;
        return {};
    }
    return text;
}
