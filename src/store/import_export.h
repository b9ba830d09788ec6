// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Import and export of macros (".mc") and profiles (".pf"): byte copies between the store's own files and
// files the user chooses in `dialogs`, shown over `parent`. An import sets `importedName` to the base name of
// the file it took ("Burst" for ".../Burst.mc"), and clears it when nothing was taken.

#include "settings_objects.h"

#include <QVariant>

class FileDialogs;
class QWidget;

namespace store {

void saveMacroFile(FileDialogs &dialogs, QWidget *parent, const QVariant &macroFileName);
bool loadMacroFile(FileDialogs &dialogs, QWidget *parent, const QVariant &macroFileName, QString &importedName);
void saveProfile(const SettingsObjects &settings, FileDialogs &dialogs, QWidget *parent, int profile);
bool loadProfile(const SettingsObjects &settings, FileDialogs &dialogs, QWidget *parent, int profile,
                 QString &importedName);

}  // namespace store
