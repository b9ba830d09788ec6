// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface texts of one language, read group by group from the language's file.

#include <QStringList>

namespace store {

// The strings of group `typeStr` of the language `langCode`. Reading the group "other" also replaces the
// DPI-switch notification texts (dpi_switch_texts.h) that the language supplies.
QStringList getLangStrings(const QString &typeStr, const QString &langCode);

}  // namespace store
