// SPDX-License-Identifier: GPL-3.0-or-later
#include "dpi_switch_message.h"

QString dpiSwitchMessage(const QStringList &texts, int v)
{
    const int index = (v >= 1 && v <= 7) ? v - 1 : 7;
    const QString text = index < texts.size() ? texts.at(index) : QString::fromLatin1(kDefaultDpiSwitchText);
    return text + QLatin1Char(' ');
}
