// SPDX-License-Identifier: GPL-3.0-or-later
// The recording stand-in of the view: records every call; keeps settings in memory.

#include "recording_view.h"

#include <QJSValue>

RecordingView::RecordingView(CallLog *log, QObject *parent)
    : QObject(parent), log(log)
{
    reset();
}

void RecordingView::reset()
{
    log->clear();
    enabledState = true;
    currentProfileNo = 0;
    currentDpiAnswer = 1;
    currentProfileAnswer = 1;
    fileChosen = false;
    chosenFileName.clear();
    globals.clear();
    defaults.clear();
    profiles = QList<QVariantMap>(10);
    lang.clear();
    nameLists.clear();
    macros.clear();
    guns.clear();
}

QVariant RecordingView::plain(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<QJSValue>() ? value.value<QJSValue>().toVariant() : value;
}

void RecordingView::setProfileValue(int profile, const QString &key, const QVariant &value)
{
    if (profile >= 0 && profile < profiles.size())
        profiles[profile].insert(key, plain(value));
}

QVariant RecordingView::profileValue(int profile, const QString &key) const
{
    return profile >= 0 && profile < profiles.size() ? profiles[profile].value(key) : QVariant();
}

QVariantMap &RecordingView::current()
{
    // Out-of-range profile numbers use a scratch profile, so a faulty call never reads out of bounds.
    return currentProfileNo >= 0 && currentProfileNo < profiles.size() ? profiles[currentProfileNo] : scratch;
}

QVariant RecordingView::lookup(const QString &key, bool isRecovery)
{
    return isRecovery ? defaults.value(key) : current().value(key);
}

void RecordingView::setEnabled(bool enabled)
{
    record(QStringLiteral("setEnabled"), {enabled});
    enabledState = enabled;
    emit enabledChanged();
}

void RecordingView::clearHidBusy() { record(QStringLiteral("clearHidBusy")); }
void RecordingView::initUI() { record(QStringLiteral("initUI")); }
void RecordingView::runUI() { record(QStringLiteral("runUI")); }
void RecordingView::resetApconfig() { record(QStringLiteral("resetApconfig")); }

bool RecordingView::loadMacroFile(QVariant macroFileName)
{
    record(QStringLiteral("loadMacroFile"), {macroFileName});
    if (fileChosen)
        macros.insert(macroFileName.toString(), {QStringLiteral("1,A"), QStringLiteral("2,A"), QStringLiteral("1")});
    return fileChosen;
}

void RecordingView::saveMacroFile(QVariant macroFileName) { record(QStringLiteral("saveMacroFile"), {macroFileName}); }

bool RecordingView::loadProfile(int profile)
{
    record(QStringLiteral("loadProfile"), {profile});
    return fileChosen;
}

void RecordingView::saveProfile(int profile) { record(QStringLiteral("saveProfile"), {profile}); }

void RecordingView::resetProfile(int profile)
{
    record(QStringLiteral("resetProfile"), {profile});
    if (profile >= 0 && profile < profiles.size())
        profiles[profile] = defaults;
}

void RecordingView::copyProfile(int destprofile, int srcprofile)
{
    record(QStringLiteral("copyProfile"), {destprofile, srcprofile});
}

QStringList RecordingView::getLangStrings(QString typeStr, QString langCode)
{
    record(QStringLiteral("getLangStrings"), {typeStr, langCode});
    return lang.value(typeStr);
}

QVariant RecordingView::createMacroIni(QVariant name, QVariant macroIndex)
{
    record(QStringLiteral("createMacroIni"), {name, macroIndex});
    macros.insert(name.toString(), {QStringLiteral("1")});
    return true;
}

QVariant RecordingView::updataNameList(QVariant type, QStringList nameList)
{
    record(QStringLiteral("updataNameList"), {type, nameList});
    QVariantList names;
    for (const QString &n : nameList)
        names << n;
    nameLists.insert(type.toInt(), names);
    return true;
}

QVariant RecordingView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    record(QStringLiteral("modifyMacroNameUpdateProfile"), {oldname, newname});
    // As the store: only an existing macro gets a name no other macro has.
    if (!macros.contains(oldname.toString()) || macros.contains(newname.toString()))
        return false;
    macros.insert(newname.toString(), macros.take(oldname.toString()));
    return true;
}

void RecordingView::deleteMacroUpdateProfile(QVariant macroName)
{
    record(QStringLiteral("deleteMacroUpdateProfile"), {macroName});
}

QVariant RecordingView::deleteMacroIni(QVariant name)
{
    record(QStringLiteral("deleteMacroIni"), {name});
    return macros.remove(name.toString()) > 0;
}

QVariantList RecordingView::getNameList(QVariant type)
{
    record(QStringLiteral("getNameList"), {type});
    return nameLists.value(type.toInt());
}

QVariant RecordingView::saveMacroIni(QVariant name, QStringList stored, QVariant repeat)
{
    record(QStringLiteral("saveMacroIni"), {name, stored, repeat});
    macros.insert(name.toString(), stored << repeat.toString());
    return true;
}

QVariant RecordingView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    record(QStringLiteral("mouseSendMacroData"), {QVariant(macroData), macroIndex});
    return true;
}

QStringList RecordingView::loadMacroIni(QVariant name)
{
    record(QStringLiteral("loadMacroIni"), {name});
    return macros.value(name.toString());
}

void RecordingView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    record(QStringLiteral("mouseSaveGundata"), {index, QVariant(src6)});
    guns.insert(index.toInt(), src6);
}

void RecordingView::mouseSendGundata(int gun, QVariantList values)
{
    record(QStringLiteral("mouseSendGundata"), {gun, QVariant(values)});
}

void RecordingView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    record(QStringLiteral("modifyGundata"), {modifyType, QVariant(src6)});
}

QVariantList RecordingView::getGunData(QVariant name)
{
    record(QStringLiteral("getGunData"), {name});
    return guns.value(name.toInt());
}

QStringList RecordingView::getGunDataKey()
{
    record(QStringLiteral("getGunDataKey"));
    QStringList keys;
    for (auto it = guns.cbegin(); it != guns.cend(); ++it)
        keys << QString::number(it.key());
    return keys;
}

QVariant RecordingView::getXYSensitive(QVariant index)
{
    record(QStringLiteral("getXYSensitive"), {index});
    return current().value(QStringLiteral("XYSensitive/") + index.toString(), 4);
}

QVariant RecordingView::getselectGun(QVariant index)
{
    record(QStringLiteral("getselectGun"), {index});
    return current().value(QStringLiteral("selectGun/") + index.toString(), QString());
}

void RecordingView::setXYSensitive(QVariant index, QVariant xyData)
{
    record(QStringLiteral("setXYSensitive"), {index, xyData});
    current().insert(QStringLiteral("XYSensitive/") + index.toString(), xyData);
}

void RecordingView::setSelectGun(QVariant index, QVariant xyData)
{
    record(QStringLiteral("setSelectGun"), {index, xyData});
    current().insert(QStringLiteral("selectGun/") + index.toString(), xyData);
}

void RecordingView::setCurrentProfile(int profile)
{
    record(QStringLiteral("setCurrentProfile"), {profile});
    currentProfileNo = profile;
    emit currentProfileChanged();
}

void RecordingView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    record(QStringLiteral("mouseSetKeyboardoption"), {int(byte1), int(byte2), int(byte3), int(byte4)});
}

void RecordingView::mouseSetReportRate(uchar rate, uchar en)
{
    record(QStringLiteral("mouseSetReportRate"), {int(rate), int(en)});
}

void RecordingView::mouseSetCurrentDPI(uchar currentDPI)
{
    record(QStringLiteral("mouseSetCurrentDPI"), {int(currentDPI)});
}

void RecordingView::mouseResetKeyMatrix() { record(QStringLiteral("mouseResetKeyMatrix")); }

QVariant RecordingView::mouseGetCurrentDPI()
{
    record(QStringLiteral("mouseGetCurrentDPI"));
    return currentDpiAnswer;
}

void RecordingView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    record(QStringLiteral("mouseSetKeyMatrix"), {QVariant(src64), isSendData, QVariant(otherParam)});
    for (int k = 0; k < 16 && 4 * k + 3 < src64.size(); ++k)
        current().insert(QStringLiteral("mouseKeyMatrix/") + QString::number(k), QVariant(src64.mid(4 * k, 4)));
}

void RecordingView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    record(QStringLiteral("mouseSetDpi"), {dpiCount, sensorType, QVariant(dpiValueArray)});
}

void RecordingView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    record(QStringLiteral("mouseSetRGBEffect"), {int(effect), int(option1), int(option2)});
}

void RecordingView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    record(QStringLiteral("mouseSetRGBColor"), {int(type), QVariant(src24)});
}

void RecordingView::mouseSetProfile(uint profileNo) { record(QStringLiteral("mouseSetProfile"), {profileNo}); }
void RecordingView::mouseReadProfile(uint profileNo) { record(QStringLiteral("mouseReadProfile"), {profileNo}); }

QVariant RecordingView::mouseReadCurrentProfile()
{
    record(QStringLiteral("mouseReadCurrentProfile"));
    return currentProfileAnswer;
}

void RecordingView::mouseSwitchKeyMatrix(int indexNo) { record(QStringLiteral("mouseSwitchKeyMatrix"), {indexNo}); }

QVariantList RecordingView::GetKeyboardoption()
{
    record(QStringLiteral("GetKeyboardoption"));
    return {0, 0, 0, 0};
}

void RecordingView::mouseSetCursorSpeed(uint cursorSpeed)
{
    record(QStringLiteral("mouseSetCursorSpeed"), {cursorSpeed});
}

void RecordingView::mouseSetVerticalScrollLines(uint lines)
{
    record(QStringLiteral("mouseSetVerticalScrollLines"), {lines});
}

void RecordingView::mouseSetDoubleClickSpeed(uint speed)
{
    record(QStringLiteral("mouseSetDoubleClickSpeed"), {speed});
}

QVariantList RecordingView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    record(QStringLiteral("mouseGetKeydefine"), {index, isRecovery});
    return lookup(QStringLiteral("mouseKeyMatrix/") + index.toString(), isRecovery).toList();
}

void RecordingView::openUpdateExe() { record(QStringLiteral("openUpdateExe")); }

QVariant RecordingView::getData(QVariant key, bool isRecovery)
{
    record(QStringLiteral("getData"), {key, isRecovery});
    return lookup(key.toString(), isRecovery);
}

QVariant RecordingView::getGlobalData(QVariant key)
{
    record(QStringLiteral("getGlobalData"), {key});
    return globals.value(key.toString());
}

QVariantList RecordingView::getDataList(QVariant key, bool isRecovery)
{
    record(QStringLiteral("getDataList"), {key, isRecovery});
    const QVariant v = lookup(key.toString(), isRecovery);
    return v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList ? v.toList() : QVariantList();
}

void RecordingView::setData(QVariant key, QVariant data)
{
    record(QStringLiteral("setData"), {key, plain(data)});
    current().insert(key.toString(), plain(data));
}

void RecordingView::setGlobalData(QVariant key, QVariant tmpdata)
{
    record(QStringLiteral("setGlobalData"), {key, plain(tmpdata)});
    globals.insert(key.toString(), plain(tmpdata));
}

void RecordingView::setDataList(QVariant key, QVariantList datalist)
{
    record(QStringLiteral("setDataList"), {key, QVariant(datalist)});
    current().insert(key.toString(), QVariant(datalist));
}

void RecordingView::setBusy(int busyTime) { record(QStringLiteral("setBusy"), {busyTime}); }
void RecordingView::setCurrentDPI(int dpiValue) { record(QStringLiteral("setCurrentDPI"), {dpiValue}); }
