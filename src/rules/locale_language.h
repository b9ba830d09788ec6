// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the interface starts in when the user's settings are made for the first time: the one of
// the shipped language files (modules/i18n/<name>.ini) that the user's locale asks for. Pure functions;
// the caller reads the environment and checks that the file is there.

#include <QString>

// The locale that decides the language of messages, as POSIX has it: LC_ALL, else LC_MESSAGES, else LANG,
// whichever is first set to a non-empty value; empty when none is.
QString messagesLocale(const QString &lcAll, const QString &lcMessages, const QString &lang);

// The language file for a locale named language[_territory][.codeset][@modifier] ("de_DE.UTF-8",
// "pt_BR", "zh_TW.Big5"): "C" and "POSIX" are English, Portuguese is the Brazilian file for Brazil only,
// Chinese is Traditional for Taiwan, Hong Kong and Macao and Simplified elsewhere. Empty when no shipped
// file matches (Dutch, Portuguese of Portugal, an empty locale).
QString languageForLocale(const QString &locale);
