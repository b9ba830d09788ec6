// SPDX-License-Identifier: GPL-3.0-or-later
// The interface texts of one language, read group by group from the language's file.

#include "language_strings.h"

#include "dpi_switch_texts.h"
#include "safe_names.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QDebug>
#include <QSettings>

namespace {

// The largest group (the key names) has 133 strings; a larger count is a damaged file.
constexpr int kMaxGroupStrings = 4096;

}  // namespace

namespace store {

QStringList getLangStrings(const QString &typeStr, const QString &langCode)
{
    if (!isSafeFileName(langCode, u".ini")) {
        qDebug() << "getLangStrings refused: not a language code:" << langCode;
        return {};
    }
    // Language files are UTF-8, which is what the settings format reads.
    const QSettings language(languageFilePath(langCode), settingsFormat());
    const QString group = typeStr + QLatin1Char('/');
    const int total = storedCount(language.value(group + QStringLiteral("total")), kMaxGroupStrings);

    QStringList strings;
    for (int i = 0; i < total; ++i) {
        // A text whose commas were not quoted reads as a list; it is joined again.
        strings.append(storedText(language.value(group + QString::number(i), QString()), u", "));
    }

    if (typeStr == QLatin1String("other")) {
        // The notification texts the language does not supply stay as they are ("DPI Switch to").
        for (int i = 0; i < kDpiSwitchTextCount && i < strings.size() && i < dpiSwitchTexts.size(); ++i)
            dpiSwitchTexts[i] = strings.at(i);
    }
    return strings;
}

}  // namespace store
