// SPDX-License-Identifier: GPL-3.0-or-later
#include "udev_rules.h"

#include <QSet>
#include <QStringList>

namespace {

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

}  // namespace

QString udevRuleLines(const DeviceList &list)
{
    QString lines;
    QSet<quint32> written;
    for (const DeviceEntry &entry : list) {
        const quint32 id = quint32(entry.vid) << 16 | entry.pid;
        if (id == 0 || written.contains(id))
            continue;
        written.insert(id);
        lines += QStringLiteral("KERNEL==\"hidraw*\", SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"%1\", "
                                "ATTRS{idProduct}==\"%2\", TAG+=\"uaccess\"\n")
                     .arg(hex4(entry.vid), hex4(entry.pid));
    }
    return lines;
}

QString fillUdevTemplate(const QString &templateText, const DeviceList &list)
{
    const QString rules = udevRuleLines(list);
    QStringList out;
    for (const QString &line : templateText.split(QLatin1Char('\n'))) {
        if (line.trimmed() == QLatin1String(kUdevRulesPlaceholder))
            out << rules.chopped(rules.isEmpty() ? 0 : 1);
        else
            out << line;
    }
    return out.join(QLatin1Char('\n'));
}
