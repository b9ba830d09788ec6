// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of the "DPI switched" tray notification, chosen from the eight notification texts of the user's
// language.

#include <QStringList>

inline constexpr int kDpiSwitchTextCount = 8;

// What a notification text is until a language replaces it.
inline constexpr char kDefaultDpiSwitchText[] = "DPI Switch to";

// The notification text for stage v: texts[v - 1] for v from 1 to 7, texts[7] for 0 and anything above 7,
// followed by one space. Missing texts read as "DPI Switch to".
QString dpiSwitchMessage(const QStringList &texts, int v);
