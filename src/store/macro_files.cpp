// SPDX-License-Identifier: GPL-3.0-or-later
// Macro files: one settings file per macro in the macro folder, named after the macro, and the two slots
// that keep the profiles' button bindings in step when a macro is renamed or deleted.

#include "macro_files.h"

#include "safe_names.h"
#include "settings_files.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

// Profiles 0 to 5 are the ones the profile page offers; only their bindings follow a macro.
constexpr int kMacroProfileCount = 6;
constexpr int kButtonCount = 16;
// A macro that fits the device holds far fewer actions; a larger count is a damaged file.
constexpr int kMaxMacroActions = 10000;
// Assignment function 4 binds a macro (the third number names the macro slot).
constexpr int kMacroFunction = 4;

}  // namespace

namespace store {

QVariant createMacroIni(const QVariant &name, const QVariant &macroIndex)
{
    const QString macro = checkedMacroName(name, "createMacroIni");
    if (macro.isEmpty() || !staysInItsFolder(macroFilePath(macro), "createMacroIni"))
        return false;
    QDir().mkpath(kMacroFolder);
    QSettings file(macroFilePath(macro), settingsFormat());
    file.beginGroup(QStringLiteral("config"));
    file.setValue(QStringLiteral("index"), macroIndex.toUInt());
    file.setValue(QStringLiteral("total"), 0);
    file.setValue(QStringLiteral("repeat"), 1);
    file.setValue(QStringLiteral("did"), -1);
    file.endGroup();
    file.sync();
    return file.status() != QSettings::AccessError;
}

QVariant saveMacroIni(const QVariant &name, const QStringList &macros, const QVariant &repeat)
{
    const QString macro = checkedMacroName(name, "saveMacroIni");
    if (macro.isEmpty() || !QFile::exists(macroFilePath(macro))
        || !staysInItsFolder(macroFilePath(macro), "saveMacroIni"))
        return false;
    QSettings file(macroFilePath(macro), settingsFormat());
    file.remove(QStringLiteral("macro"));
    file.setValue(QStringLiteral("config/total"), int(macros.size()));
    file.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < macros.size(); ++i)
        file.setValue(QStringLiteral("macro/%1").arg(i), macros.at(i));
    file.sync();
    return file.status() != QSettings::AccessError;
}

QStringList loadMacroIni(const QVariant &name)
{
    const QString macro = checkedMacroName(name, "loadMacroIni");
    if (macro.isEmpty() || !QFile::exists(macroFilePath(macro)))
        return {};
    const QSettings file(macroFilePath(macro), settingsFormat());
    const int total = storedCount(file.value(QStringLiteral("config/total"), 0), kMaxMacroActions);
    QStringList actions;
    for (int i = 0; i < total; ++i) {
        // An action is the type digit, a comma and the information; one whose quotes were lost reads
        // as two parts and is joined again.
        actions.append(storedText(file.value(QStringLiteral("macro/%1").arg(i), QStringLiteral("0")), u","));
    }
    actions.append(storedText(file.value(QStringLiteral("config/repeat"), QStringLiteral("0")), u","));
    return actions;
}

QVariant deleteMacroIni(const QVariant &name)
{
    const QString macro = checkedMacroName(name, "deleteMacroIni");
    if (macro.isEmpty() || !QFile::exists(macroFilePath(macro)))
        return false;
    return QFile::remove(macroFilePath(macro));
}

QVariant modifyMacroNameUpdateProfile(const SettingsObjects &s, const QVariant &oldname,
                                      const QVariant &newname)
{
    const QString from = checkedMacroName(oldname, "modifyMacroNameUpdateProfile");
    const QString to = checkedMacroName(newname, "modifyMacroNameUpdateProfile");
    if (from.isEmpty() || to.isEmpty() || !QFile::exists(macroFilePath(from)))
        return false;
    if (QFile::exists(macroFilePath(to))) {
        qDebug() << "modifyMacroNameUpdateProfile refused: a macro named" << to << "exists";
        return false;
    }

    // Rebind the profiles first, remembering what changed, so that a failed rename can undo it.
    struct Binding
    {
        QSettings *profile;
        QString key;
    };
    QList<Binding> rebound;
    for (int p = 0; p < kMacroProfileCount && p < s.profiles.size(); ++p) {
        QSettings *profile = s.profiles.at(p);
        profile->beginGroup(QStringLiteral("mouseMacroKey"));
        const QStringList keys = profile->childKeys();
        profile->endGroup();
        for (const QString &slot : keys) {
            const QString key = QStringLiteral("mouseMacroKey/") + slot;
            if (profile->value(key).toString() == from) {
                profile->setValue(key, to);
                rebound.append({profile, key});
            }
        }
    }

    forgetCachedSettings(macroFilePath(to));
    if (!QFile::rename(macroFilePath(from), macroFilePath(to))) {
        qDebug() << "modifyMacroNameUpdateProfile: cannot rename" << from << "to" << to;
        for (const Binding &binding : rebound)
            binding.profile->setValue(binding.key, from);
        return false;
    }
    return true;
}

void deleteMacroUpdateProfile(const SettingsObjects &s, const QVariant &macroName)
{
    const QString macro = checkedMacroName(macroName, "deleteMacroUpdateProfile");
    if (macro.isEmpty())
        return;
    for (int p = 0; p < kMacroProfileCount && p < s.profiles.size(); ++p) {
        QSettings *profile = s.profiles.at(p);
        for (int k = 0; k < kButtonCount; ++k) {
            const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(k);
            const QVariantList assignment = storedList(profile->value(key));
            if (assignment.size() < 3 || assignment.at(0).toInt() != kMacroFunction)
                continue;
            const QString bound = profile->value(QStringLiteral("mouseMacroKey/%1").arg(assignment.at(2).toInt())).toString();
            if (bound != macro)
                continue;
            const QVariant factory = s.defaultProfile->value(key);
            if (factory.isValid())
                profile->setValue(key, factory);
            else
                profile->remove(key);
        }
    }
}

}  // namespace store
