// SPDX-License-Identifier: GPL-3.0-or-later
#include "locale_language.h"

#include <array>

namespace {

struct LocaleMatch
{
    const char *language;    // lower case, as locales name it
    const char *territory;   // upper case; nullptr: any territory, or none
    const char *file;
};

// First match wins: a row for a territory comes before the row of its whole language.
constexpr std::array<LocaleMatch, 17> kMatches{{
    {"c", nullptr, "English"},
    {"posix", nullptr, "English"},
    {"en", nullptr, "English"},
    {"de", nullptr, "German"},
    {"fr", nullptr, "French"},
    {"es", nullptr, "Spanish"},
    {"pt", "BR", "PortugueseBrazil"},
    {"it", nullptr, "Italian"},
    {"pl", nullptr, "Polish"},
    {"ru", nullptr, "Russian"},
    {"tr", nullptr, "Turkish"},
    {"ja", nullptr, "Japanese"},
    {"ko", nullptr, "Korean"},
    {"zh", "TW", "ChineseTraditional"},
    {"zh", "HK", "ChineseTraditional"},
    {"zh", "MO", "ChineseTraditional"},
    {"zh", nullptr, "ChineseSimplified"},
}};

}  // namespace

QString messagesLocale(const QString &lcAll, const QString &lcMessages, const QString &lang)
{
    for (const QString *value : {&lcAll, &lcMessages, &lang})
        if (!value->isEmpty())
            return *value;
    return {};
}

QString languageForLocale(const QString &locale)
{
    // The codeset and the modifier do not change the language.
    QString name = locale.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    const QString language = name.section(QLatin1Char('_'), 0, 0).toLower();
    const QString territory = name.section(QLatin1Char('_'), 1, 1).toUpper();
    if (language.isEmpty())
        return {};
    for (const LocaleMatch &match : kMatches) {
        if (language == QLatin1String(match.language)
            && (match.territory == nullptr || territory == QLatin1String(match.territory)))
            return QLatin1String(match.file);
    }
    return {};
}
