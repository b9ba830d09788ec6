#include "dpi_switch_texts.h"

QStringList dpiSwitchTexts(kDpiSwitchTextCount, QString::fromLatin1(kDefaultDpiSwitchText));
