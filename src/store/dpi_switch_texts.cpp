// SPDX-License-Identifier: GPL-3.0-or-later
#include "dpi_switch_texts.h"

QStringList dpiSwitchTexts(kDpiSwitchTextCount, QString::fromLatin1(kDefaultDpiSwitchText));
