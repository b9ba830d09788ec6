// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

QString exportFileName(const QString &name, const QString &extension, const QString &fallback)
{
    QString safe;
    for (const QChar c : name.trimmed())
        safe += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20) ? QLatin1Char('_') : c;
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        safe = fallback;
    return safe + extension;
}
