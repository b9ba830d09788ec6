// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name lists of name.bin (macro, gun and profile names), each stored and read as a whole.

#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace store {

QVariant updataNameList(const QVariant &type, const QStringList &nameList);
QVariantList getNameList(const QVariant &type);

}  // namespace store
