#include "dpi_switch_texts.h"

namespace {
const QString kDefaultText = QStringLiteral("DPI Switch to");
}

QStringList dpiSwitchTexts(kDpiSwitchTextCount, kDefaultText);

QString dpiSwitchMessage(const QStringList &texts, int v)
{
    const int index = (v >= 1 && v <= 7) ? v - 1 : 7;
    const QString text = index < texts.size() ? texts.at(index) : kDefaultText;
    return text + QLatin1Char(' ');
}
