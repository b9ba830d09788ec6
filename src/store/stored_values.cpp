// SPDX-License-Identifier: GPL-3.0-or-later
#include "stored_values.h"

#include <QJSValue>

QVariantList storedList(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QVariantList:
        return value.toList();
    case QMetaType::QStringList: {
        QVariantList list;
        for (const QString &text : value.toStringList())
            list.append(text);
        return list;
    }
    default:
        return {};
    }
}

QString storedText(const QVariant &value, QStringView separator)
{
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        QStringList parts;
        for (const QVariant &part : value.toList())
            parts.append(part.toString());
        return parts.join(separator);
    }
    return value.toString();
}

int storedCount(const QVariant &value, int limit)
{
    bool ok = false;
    const qlonglong count = value.toString().trimmed().toLongLong(&ok);
    if (!ok || count < 0)
        return 0;
    return count > limit ? limit : int(count);
}

QVariantList asTexts(const QVariantList &values)
{
    QVariantList texts;
    for (const QVariant &value : values)
        texts.append(value.toString());
    return texts;
}

QVariant interfaceValue(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QJSValue>())
        return value.value<QJSValue>().toVariant();
    return value;
}
