// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Macro files: one settings file per macro in the macro folder, named after the macro, and the profiles'
// button bindings kept in step when a macro is renamed or deleted. Every name goes through
// checkedMacroName: no file outside the macro folder is touched.

#include "settings_objects.h"

#include <QStringList>
#include <QVariant>

namespace store {

QVariant createMacroIni(const QVariant &name, const QVariant &macroIndex);
QVariant saveMacroIni(const QVariant &name, const QStringList &macros, const QVariant &repeat);
// The actions in order, then the repeat count; empty when there is no such macro.
QStringList loadMacroIni(const QVariant &name);
QVariant deleteMacroIni(const QVariant &name);
// Renames the file and rebinds profiles 0 to 5; nothing changes unless both succeed.
QVariant modifyMacroNameUpdateProfile(const SettingsObjects &settings, const QVariant &oldname,
                                      const QVariant &newname);
// Buttons of profiles 0 to 5 bound to the macro go back to the default profile's assignment.
void deleteMacroUpdateProfile(const SettingsObjects &settings, const QVariant &macroName);

}  // namespace store
