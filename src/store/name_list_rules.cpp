// SPDX-License-Identifier: GPL-3.0-or-later
#include "name_list_rules.h"

QString nameListKey(const QVariant &type)
{
    bool ok = false;
    const uint number = type.toUInt(&ok);
    if (!ok)
        return {};
    switch (number) {
    case 0: return QStringLiteral("macro/macroName");
    case 1: return QStringLiteral("gun/gunName");
    case 2: return QStringLiteral("profile/profileName");
    case 3: return QStringLiteral("gun/selectGun");
    default: return {};
    }
}

QStringList withSentinel(QStringList names)
{
    if (names.size() == 1)
        names.append(kNameListSentinel);
    return names;
}

QString profileNameIn(const QStringList &entries, int profile)
{
    if (profile < 0 || profile > 9)
        return {};
    const QString digit = QString::number(profile);
    for (const QString &entry : entries)
        if (entry != kNameListSentinel && entry.size() > 1 && entry.endsWith(digit))
            return entry.chopped(1);
    return {};
}
