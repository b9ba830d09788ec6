// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Careful editing of KDE's configuration files (kdeglobals, kcminputrc): one entry is set and every other
// byte of the file stays as it was (comments, other groups, entries KDE alone understands).
//
// The format: "[Group]" lines open groups (nested groups as "[A][B]"), entries are "Key=Value" lines,
// lines starting with '#' are comments, entries before the first group belong to the default group. A
// group or entry marked "[$i]" is locked by the administrator and must not be changed.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace kconfig {

// The text with `key` of `group` set to `value`: an existing entry is replaced in place (its options such
// as "[$e]" dropped), a new entry is added at the end of its group, a missing group is appended. Empty
// result when the group or the entry is locked.
std::optional<QByteArray> withEntry(const QByteArray &text, QByteArrayView group, QByteArrayView key,
                                    QByteArrayView value);

}  // namespace kconfig
