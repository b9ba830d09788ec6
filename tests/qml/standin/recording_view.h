// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RecordingView: a stand-in for the view (published to QML as "ui_View") with the same slots, in the same
// order and with the same signatures, so QML arguments are converted exactly as for the real view. Each
// slot records its call in a CallLog; the settings slots keep their values in memory (ten profiles, the
// default profile, the global keys) and the queries answer with values a test configures.

#include "call_log.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class RecordingView : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled NOTIFY enabledChanged)
    Q_PROPERTY(int currentProfile READ profile NOTIFY currentProfileChanged)
    Q_PROPERTY(QString importedName READ importedName)

public:
    explicit RecordingView(CallLog *log, QObject *parent = nullptr);

    bool isEnabled() const { return enabledState; }
    int profile() const { return currentProfileNo; }

    // Test set-up: forget every value and call, and start enabled on profile 0.
    Q_INVOKABLE void reset();
    Q_INVOKABLE void setGlobal(const QString &key, const QVariant &value) { globals.insert(key, plain(value)); }
    Q_INVOKABLE void setProfileValue(int profile, const QString &key, const QVariant &value);
    Q_INVOKABLE QVariant profileValue(int profile, const QString &key) const;
    Q_INVOKABLE void setDefault(const QString &key, const QVariant &value) { defaults.insert(key, plain(value)); }
    Q_INVOKABLE void setLang(const QString &group, const QStringList &texts) { lang.insert(group, texts); }
    Q_INVOKABLE void setNameList(int type, const QVariantList &names) { nameLists.insert(type, names); }

    // A value as QML handed it over, with script arrays and objects turned into plain lists and maps.
    static QVariant plain(const QVariant &value);
    Q_INVOKABLE void setMacro(const QString &name, const QStringList &stored) { macros.insert(name, stored); }
    Q_INVOKABLE void setGunRecord(int index, const QVariantList &record) { guns.insert(index, record); }
    Q_INVOKABLE void setCurrentDpiAnswer(int stage) { currentDpiAnswer = stage; }
    Q_INVOKABLE void setCurrentProfileAnswer(int profile) { currentProfileAnswer = profile; }
    // Whether the import dialogs return a file (true) or are cancelled (false, the default).
    Q_INVOKABLE void setFileChosen(bool chosen) { fileChosen = chosen; }
    // The name of the file a chosen import takes (empty: the store tells none).
    Q_INVOKABLE void setChosenFileName(const QString &name) { chosenFileName = name; }
    QString importedName() const { return fileChosen ? chosenFileName : QString(); }

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    void resetApconfig();
    bool loadMacroFile(QVariant macroFileName);
    void saveMacroFile(QVariant macroFileName);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QStringList getLangStrings(QString typeStr, QString langCode);
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    QVariant deleteMacroIni(QVariant name);
    QVariantList getNameList(QVariant type);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
    QStringList loadMacroIni(QVariant name);
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(int, QVariantList);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);
    void setCurrentProfile(int profile);
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate, uchar en);
    void mouseSetCurrentDPI(uchar currentDPI);
    void mouseResetKeyMatrix();
    QVariant mouseGetCurrentDPI();
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    QVariantList mouseGetKeydefine(QVariant index, bool);
    void openUpdateExe();
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);

    // The widget slot the QML's busy guard uses.
    void setEnabled(bool enabled);

signals:
    void enabledChanged();
    void currentProfileChanged();

private:
    void record(const QString &name, const QVariantList &args = {}) { log->add(name, args); }
    QVariantMap &current();
    QVariant lookup(const QString &key, bool isRecovery);

    CallLog *log;
    bool enabledState = true;
    int currentProfileNo = 0;
    int currentDpiAnswer = 1;
    int currentProfileAnswer = 1;
    bool fileChosen = false;
    QString chosenFileName;
    QVariantMap globals;
    QVariantMap defaults;
    QList<QVariantMap> profiles;
    QHash<QString, QStringList> lang;
    QHash<int, QVariantList> nameLists;
    QHash<QString, QStringList> macros;
    QHash<int, QVariantList> guns;
    QVariantMap scratch;
};
