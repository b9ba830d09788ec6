// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_list.h"

#include <QDebug>
#include <QSettings>

#include <atomic>

quint16 parseHex16(const QString &text)
{
    QStringView digits = QStringView(text).trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty())
        return 0;
    unsigned value = 0;
    for (QChar c : digits) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            return 0;
        value = ((value << 4) | unsigned(digit)) & 0xFFFF;
    }
    return quint16(value);
}

int parseHexInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 16);
    return ok ? value : 0;
}

namespace {

int readInt(const QSettings &settings, const QString &key, int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

DeviceList readDeviceList(const QString &path, QSettings::Format format)
{
    const QSettings settings(path, format);
    const int listed = readInt(settings, QStringLiteral("common/deviceCount"), 0);
    const int count = qMin(listed, kMaxDeviceEntries);
    // Every discovery pass reads the list: told once per run.
    static std::atomic<bool> capTold{false};
    if (listed > kMaxDeviceEntries && !capTold.exchange(true))
        qDebug() << path << "lists" << listed << "devices; only the first" << kMaxDeviceEntries << "are read";

    DeviceList list;
    for (int i = 0; i < count; ++i) {
        const QString group = QString::number(i) + QLatin1Char('/');
        auto text = [&](const char *key) { return settings.value(group + QLatin1String(key)).toString(); };
        auto has = [&](const char *key) { return settings.contains(group + QLatin1String(key)); };

        DeviceEntry entry;
        if (has("type"))
            entry.type = parseHexInt(text("type"));
        entry.vid = parseHex16(text("vid"));
        entry.pid = parseHex16(text("pid"));
        entry.usagePage = parseHex16(text("usagePage"));
        entry.usage = parseHex16(text("usage"));
        entry.usagePage2 = parseHex16(text("usagePage2"));
        entry.usage2 = parseHex16(text("usage2"));
        entry.reportLength = readInt(settings, group + QLatin1String("reportLength"), 32);
        entry.isEncode = settings.value(group + QLatin1String("isEncode"), false).toBool();
        if (has("sCode"))
            entry.sCode = text("sCode");
        list.append(entry);
    }
    return list;
}
