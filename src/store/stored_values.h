// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values as the settings files give them back. A file written by this program or an older one holds only
// texts: numbers and booleans come back as text, a line with unquoted commas as a list of texts, a
// one-element list as a plain text. These functions turn such values into what the store's callers expect.

#include <QStringList>
#include <QVariant>
#include <QVariantList>

// A stored value as a list: a list stays a list (a list of texts becomes a list of text values); anything
// else, a single text included, is no list and gives an empty list.
QVariantList storedList(const QVariant &value);

// A stored value as one text. A text with unquoted commas (hand-edited files) reads as a list; its parts
// are joined again with `separator`.
QString storedText(const QVariant &value, QStringView separator);

// A stored count: a whole number from 0 to `limit`. Anything that is not a whole number counts as 0, a
// negative count as 0, and a larger count is cut to `limit`.
int storedCount(const QVariant &value, int limit);

// Each value as its text, in order: what the store writes where values are kept as the texts the
// interface handed over.
QVariantList asTexts(const QVariantList &values);

// A value as the interface hands it over. Where any value is accepted, a script array or object arrives
// as a script value; it is stored as the plain value it stands for (an array as a list), like the values
// the settings files hold.
QVariant interfaceValue(const QVariant &value);
