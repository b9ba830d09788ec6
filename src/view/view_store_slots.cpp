// SPDX-License-Identifier: GPL-3.0-or-later
// The settings-file slots of the view: each hands the store (src/store) the settings objects it works on.

#include "my_quick_view.h"

#include "desktop_file_dialogs.h"
#include "settings_objects.h"
#include "gun_store.h"
#include "import_export.h"
#include "language_strings.h"
#include "macro_files.h"
#include "name_lists.h"
#include "profile_store.h"

void setFileDialogs(myQQuickView &view, FileDialogs *dialogs)
{
    view.fileDialogs = dialogs;
}

FileDialogs &myQQuickView::dialogs()
{
    if (!fileDialogs)
        fileDialogs = new DesktopFileDialogs(this);
    return *fileDialogs;
}

void myQQuickView::resetApconfig() { store::resetApconfig(settings()); }
bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    return store::loadMacroFile(dialogs(), this, macroFileName, lastImportedName);
}
void myQQuickView::saveMacroFile(QVariant macroFileName) { store::saveMacroFile(dialogs(), this, macroFileName); }
bool myQQuickView::loadProfile(int profile)
{
    return store::loadProfile(settings(), dialogs(), this, profile, lastImportedName);
}
void myQQuickView::saveProfile(int profile) { store::saveProfile(settings(), dialogs(), this, profile); }
void myQQuickView::resetProfile(int profile) { store::resetProfile(settings(), profile); }
void myQQuickView::copyProfile(int destprofile, int srcprofile) { store::copyProfile(settings(), destprofile, srcprofile); }

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    return store::getLangStrings(typeStr, langCode);
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex) { return store::createMacroIni(name, macroIndex); }
QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList) { return store::updataNameList(type, nameList); }

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    return store::modifyMacroNameUpdateProfile(settings(), oldname, newname);
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName) { store::deleteMacroUpdateProfile(settings(), macroName); }
QVariant myQQuickView::deleteMacroIni(QVariant name) { return store::deleteMacroIni(name); }
QVariantList myQQuickView::getNameList(QVariant type) { return store::getNameList(type); }

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    return store::saveMacroIni(name, macros, repeat);
}

QStringList myQQuickView::loadMacroIni(QVariant name) { return store::loadMacroIni(name); }
void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6) { store::mouseSaveGundata(index, src6); }
void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6) { store::modifyGundata(modifyType, src6); }
QVariantList myQQuickView::getGunData(QVariant name) { return store::getGunData(name); }
QStringList myQQuickView::getGunDataKey() { return store::getGunDataKey(); }
QVariant myQQuickView::getXYSensitive(QVariant index) { return store::getXYSensitive(settings(), index); }
QVariant myQQuickView::getselectGun(QVariant index) { return store::getselectGun(settings(), index); }
void myQQuickView::setXYSensitive(QVariant index, QVariant xyData) { store::setXYSensitive(settings(), index, xyData); }
void myQQuickView::setSelectGun(QVariant index, QVariant xyData) { store::setSelectGun(settings(), index, xyData); }

void myQQuickView::setCurrentProfile(int profile)
{
    currentProfile = profile;
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    return store::getDataList(settings(), QStringLiteral("mouseKeyMatrix/") + index.toString(), isRecovery);
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery) { return store::getData(settings(), key, isRecovery); }
QVariant myQQuickView::getGlobalData(QVariant key) { return store::getGlobalData(settings(), key); }

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return store::getDataList(settings(), key, isRecovery);
}

void myQQuickView::setData(QVariant key, QVariant data) { store::setData(settings(), key, data); }
void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata) { store::setGlobalData(settings(), key, tmpdata); }
void myQQuickView::setDataList(QVariant key, QVariantList datalist) { store::setDataList(settings(), key, datalist); }
