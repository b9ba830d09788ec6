#pragma once
// The eight texts of the "DPI switched" tray notification. Each is "DPI Switch to" until the language
// loader replaces them with the first eight strings of the language group "other". Read and written on
// the GUI thread only.

#include <QStringList>

extern QStringList dpiSwitchTexts;

inline constexpr int kDpiSwitchTextCount = 8;

// The notification text for stage v: texts[v - 1] for v from 1 to 7, texts[7] for 0 and anything above 7,
// followed by one space. Missing texts read as "DPI Switch to".
QString dpiSwitchMessage(const QStringList &texts, int v);
