// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name lists of name.bin: which key holds which list, and the sentinel that keeps one-element lists
// readable.

#include <QStringList>
#include <QVariant>

// The settings format writes a one-element list as a plain value, which reads back as a single text. A
// list of exactly one name is therefore stored with this entry appended; readers treat a two-element list
// whose second entry is the sentinel as a one-element list.
inline const QString kNameListSentinel = QStringLiteral("loaderfennic");

// The key of list type 0 (macro names), 1 (gun names), 2 (profile names) or 3 (selected guns); an empty
// text for any other type, and for a type that is not a whole number.
QString nameListKey(const QVariant &type);

// The list as stored: a one-element list gets the sentinel appended, other lists are unchanged.
QStringList withSentinel(QStringList names);

// The name of profile number `profile` in the stored profile list, whose entries are a name followed by
// the profile's digit ("Standard0", "profile_11"); the first entry with that digit counts. Empty when the
// list does not hold the profile.
QString profileNameIn(const QStringList &entries, int profile);
