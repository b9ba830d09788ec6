// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings library's own INI format as the reference for the store's settings format: what it reads
// from a text, and what it writes for a text it has read or for a set of values. Each call writes its
// file anew with a time of its own, so that the library's cache never answers for an earlier call.

#include "ini_text.h"

#include <QByteArray>

namespace oracle {

ini::Values parse(const QByteArray &text);

// The text the library writes back after reading `text` and changing nothing (it rewrites the file
// because one key is set to the value it has); a null array when no key can be set (none that the
// library can address).
QByteArray rewrite(const QByteArray &text);

// The text the library writes for `values`, set one by one on an empty file.
QByteArray write(const ini::Values &values);

// The keys a settings object can address (not empty, no empty part), with their values.
ini::Values addressableOnly(const ini::Values &values);

// Readable differences between two sets of values (empty when they are equal, types included).
QString difference(const ini::Values &expected, const ini::Values &actual);

}  // namespace oracle
