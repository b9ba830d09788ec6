// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight texts of the "DPI switched" tray notification. Each is "DPI Switch to" until the language
// loader replaces them with the first eight strings of the language group "other"; the host window reads
// them when the listener reports a switch. Read and written on the GUI thread only.

#include "dpi_switch_message.h"

#include <QStringList>

extern QStringList dpiSwitchTexts;
