// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The long-lived settings objects and the keys read and written in them: the global configuration, the
// default profile and the ten profiles, and the resets and copies of whole files.

#include "settings_objects.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace store {

// Opens the twelve settings objects (after removing lock files a killed save left behind).
void openSettings(const SettingsObjects &settings);

// The settings object of a profile number, or null (with a debug message naming `operation`) when the
// number is not one of the ten profiles.
QSettings *profileAt(const SettingsObjects &settings, int profile, const char *operation);

// A key of the current profile, or of the default profile when `isRecovery`.
QVariant getData(const SettingsObjects &settings, const QVariant &key, bool isRecovery);
QVariantList getDataList(const SettingsObjects &settings, const QVariant &key, bool isRecovery);
void setData(const SettingsObjects &settings, const QVariant &key, const QVariant &data);
void setDataList(const SettingsObjects &settings, const QVariant &key, const QVariantList &datalist);
QVariant getGlobalData(const SettingsObjects &settings, const QVariant &key);
void setGlobalData(const SettingsObjects &settings, const QVariant &key, const QVariant &data);

// Replaces the file of profile `profile` by a copy of `source`; false (old object and file kept) when the
// number is no profile's or the copy fails.
bool replaceProfileFile(const SettingsObjects &settings, int profile, const QString &source);
// The global file and a profile from their default copies; a profile over another (not over itself).
void resetApconfig(const SettingsObjects &settings);
void resetProfile(const SettingsObjects &settings, int profile);
void copyProfile(const SettingsObjects &settings, int destprofile, int srcprofile);

}  // namespace store
