// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the store keeps its files. All paths are relative to the current directory, which start-up sets to
// the executable's folder.

#include <QString>

inline const QString kGlobalSettingsPath = QStringLiteral("./modules/setting/apConfig.bin");

inline const QString kDefaultGlobalSettingsPath = QStringLiteral("./modules/setting/apConfigD.bin");
inline const QString kDefaultProfilePath = QStringLiteral("./modules/setting/pD.bin");
inline const QString kNameListPath = QStringLiteral("./modules/setting/name.bin");
inline const QString kGunDataPath = QStringLiteral("./modules/gun/gunData.bin");
inline const QString kMacroFolder = QStringLiteral("./modules/macro/");
inline const QString kLanguageFolder = QStringLiteral("./modules/i18n/");

inline constexpr int kProfileFileCount = 10;

// Profile number n (0 to 9) lives in p(n + 1).bin.
inline QString profileFilePath(int profile)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(profile + 1);
}

inline QString macroFilePath(const QString &name)
{
    return kMacroFolder + name + QStringLiteral(".bin");
}

inline QString languageFilePath(const QString &code)
{
    return kLanguageFolder + code + QStringLiteral(".ini");
}
