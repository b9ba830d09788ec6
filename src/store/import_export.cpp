// SPDX-License-Identifier: GPL-3.0-or-later
// Import and export of macros (".mc") and profiles (".pf"): byte copies between the store's own files and
// files the user chooses.

#include "import_export.h"

#include "file_dialogs.h"
#include "name_list_rules.h"
#include "name_lists.h"
#include "profile_store.h"
#include "safe_names.h"
#include "settings_files.h"
#include "store_paths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const char *const kMacroFilter = "Macro(*.mc)";
const char *const kProfileFilter = "Profile(*.pf)";

// The dialogs' texts, translated in the interface's context (the view's).
QString tr(const char *text)
{
    return QCoreApplication::translate("myQQuickView", text);
}

}  // namespace

namespace store {

void saveMacroFile(FileDialogs &dialogs, QWidget *parent, const QVariant &macroFileName)
{
    const QString macro = checkedMacroName(macroFileName, "saveMacroFile");
    if (macro.isEmpty() || !staysInItsFolder(macroFilePath(macro), "saveMacroFile"))
        return;
    const QString chosen = dialogs.saveFileName(parent, tr("Save File"), tr(kMacroFilter),
                                                exportFileName(macro, QStringLiteral(".mc"), QStringLiteral("macro")));
    if (chosen.isEmpty())
        return;
    // The chosen file is replaced only by a complete copy: a missing macro leaves it as it was.
    copyFileOver(macroFilePath(macro), chosen);
}

bool loadMacroFile(FileDialogs &dialogs, QWidget *parent, const QVariant &macroFileName, QString &importedName)
{
    importedName.clear();
    const QString macro = checkedMacroName(macroFileName, "loadMacroFile");
    if (macro.isEmpty())
        return false;
    const QString chosen = dialogs.openFileName(parent, tr("Open File"), tr(kMacroFilter));
    if (chosen.isEmpty())
        return false;
    const QString target = macroFilePath(macro);
    if (!staysInItsFolder(target, "loadMacroFile"))
        return false;
    if (QFile::exists(target)) {
        qDebug() << "loadMacroFile: a macro named" << macro << "exists; it is kept";
        return true;
    }
    QDir().mkpath(kMacroFolder);
    forgetCachedSettings(target);
    copyFileOver(chosen, target);
    importedName = QFileInfo(chosen).completeBaseName();
    return true;
}

void saveProfile(const SettingsObjects &s, FileDialogs &dialogs, QWidget *parent, int profile)
{
    QSettings *settings = profileAt(s, profile, "saveProfile");
    if (!settings || !staysInItsFolder(profileFilePath(profile), "saveProfile"))
        return;
    QStringList names;
    for (const QVariant &entry : getNameList(2))
        names << entry.toString();
    const QString chosen = dialogs.saveFileName(
        parent, tr("Save File"), tr(kProfileFilter),
        exportFileName(profileNameIn(names, profile), QStringLiteral(".pf"), QStringLiteral("profile%1").arg(profile + 1)));
    if (chosen.isEmpty())
        return;
    // The export holds what the profile holds now, its unwritten changes included.
    settings->sync();
    copyFileOver(profileFilePath(profile), chosen);
}

bool loadProfile(const SettingsObjects &s, FileDialogs &dialogs, QWidget *parent, int profile, QString &importedName)
{
    importedName.clear();
    if (!profileAt(s, profile, "loadProfile"))
        return false;
    const QString chosen = dialogs.openFileName(parent, tr("Open File"), tr(kProfileFilter));
    if (chosen.isEmpty())
        return false;
    if (replaceProfileFile(s, profile, chosen))
        importedName = QFileInfo(chosen).completeBaseName();
    return true;
}

}  // namespace store
