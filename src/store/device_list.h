// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device list of the global settings file: which devices the program serves, by vendor and product id
// and the usage pairs of their command and listener interfaces.

#include "device_entry.h"
#include "store_paths.h"  // kGlobalSettingsPath, the file that holds the list

#include <QSettings>
#include <QString>

// More entries than this are not read: a damaged count must not make a pass crawl through millions of
// empty entries.
inline constexpr int kMaxDeviceEntries = 256;

// Hexadecimal text as a 16-bit value: either letter case, an optional "0x", wider values keep their low
// 16 bits, anything that is not hexadecimal gives 0.
quint16 parseHex16(const QString &text);

// Hexadecimal text as an int (the entry type); not hexadecimal gives 0.
int parseHexInt(const QString &text);

// Entries 0 .. common/deviceCount - 1 of the INI file at `path`, keys missing or unreadable taking their
// defaults, paths empty. A missing file or count gives an empty list. The program reads its own global
// file in the store's settings format (settings_format.h): opening it in another format would save the
// store's unsaved changes of that file with that format's writer.
DeviceList readDeviceList(const QString &path, QSettings::Format format = QSettings::IniFormat);
