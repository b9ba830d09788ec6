// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names that become part of a file name (macro names, gun names, language codes) must name a file inside
// their own folder and nothing else, and the store's files must not lead out of their folders through
// symbolic links.

#include <QString>
#include <QStringView>

// The longest file name (in UTF-8 bytes) the common file systems accept.
inline constexpr int kMaxFileNameBytes = 255;

// True when `baseName` followed by `extension` is one plain file name: not empty, no path separator
// (slash or backslash, on every platform, so that files stay portable), no "..", not ".", no control
// characters, and at most kMaxFileNameBytes bytes long.
bool isSafeFileName(const QString &baseName, QStringView extension);

class QVariant;

// A macro name handed over by the interface, when it is a safe file name; otherwise an empty text, and a
// debug message naming the refused `operation`. Every macro operation goes through it, so that no file
// outside the macro folder is ever created, renamed or deleted.
QString checkedMacroName(const QVariant &name, const char *operation);

// The same rule for the name of a gun record: it is a key of gunData.bin, where a '/' would make a group
// of its own (and the record would be lost after a restart), and it becomes a file name when exported.
QString checkedGunName(const QVariant &name, const char *operation);

// Where a symbolic link at `path` leads when that is outside the folder holding `path` (followed to its
// end, as a write through it would be, also when its target does not exist yet; a loop of links counts as
// leading outside); empty when
// `path` is no link or stays in its folder. The store never reads or writes through such a link: another
// program could make it point at any file of the user's.
QString linkOutOfFolder(const QString &path);

// False, with a debug message naming `operation` and where the link leads, when `path` is such a link.
bool staysInItsFolder(const QString &path, const char *operation);
