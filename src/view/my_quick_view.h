// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// myQQuickView: the Qt Quick view that fills the host window, and the object through which the QML
// interface reaches the rest of the program (published to QML as "ui_View").
//
// Its slots belong to several subsystems; each slot body is a thin call of the layer that does the work:
// the settings-file slots call the store (view_store_slots.cpp, src/store), the device-facing slots the
// bridge (view_device_slots.cpp, src/bridge), handing over the members they work on. The slot order below
// is the published interface: keep it (tests/view/tst_published_interface pins it).

#include "device_traits.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

// What the interface does, for the program's output ("zephra.ui", off unless switched on).
Q_DECLARE_LOGGING_CATEGORY(lcUi)

namespace bridge {
struct DeviceSide;
}
class FileDialogs;
class Hid_Thread;
class PointerSettings;
class QSettings;
struct SettingsObjects;

class myQQuickView : public QQuickWidget
{
    Q_OBJECT
    // The name of the file the last macro or profile import took ("Burst" for ".../Burst.mc"): the
    // interface names the imported macro or profile after it. Empty after a cancelled import.
    Q_PROPERTY(QString importedName READ importedName)

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    // Members, in their published order.
    Hid_Thread *hidThread = nullptr;
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    bool is55328 = false;
    QSettings *globalSettings = nullptr;
    QSettings *defaultProfileSettings = nullptr;
    QList<QSettings *> profileSettings;
    int currentProfile = 0;
    uchar profileBlocks[5][128] = {};
    // Whether each profile block holds the device's own bytes, read whole: only such a block is changed
    // and uploaded (bridge::haveDeviceBlocks reads the others again first).
    bool profileBlockWhole[5] = {};

    // What the device object needs to know about the device (family and gun keys), read from the flags
    // above.
    const DeviceTraits *deviceTraits() const { return &traits; }

    QString importedName() const { return lastImportedName; }

    // Global input reaching the interface (the input capture's callbacks): queued calls of the root's
    // detectKeyboard(isDown, code) and detectMouse(isDown, button, x, y); code and button narrowed to 8 bits.
    void forwardKey(int usage, bool pressed);
    void forwardMouseButton(int button, bool pressed, int x, int y);

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

protected:
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Calls a function of the QML root item by name; nothing happens when there is no root item.
    void callRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});

    class Traits final : public DeviceTraits
    {
    public:
        explicit Traits(const myQQuickView &view) : view(view) {}
        QString icType() const override { return view.icType; }
        bool isGun() const override { return view.isGun; }

    private:
        const myQQuickView &view;
    };
    Traits traits{*this};

    // What the store and the bridge are handed: references to the members above.
    SettingsObjects settings();
    bridge::DeviceSide deviceSide();

    // The dialogs of import and export; the desktop's when none is set.
    friend void setFileDialogs(myQQuickView &view, FileDialogs *dialogs);
    QPointer<FileDialogs> fileDialogs;
    FileDialogs &dialogs();
    // The base name of the file the last macro or profile import took (importedName).
    QString lastImportedName;

    // The system's pointer settings, made on first use unless set before.
    friend void setPointerSettings(myQQuickView &view, std::shared_ptr<PointerSettings> settings);
    std::shared_ptr<PointerSettings> pointerSettings;
    PointerSettings &systemPointer();
};

// Makes `dialogs` answer the view's file dialogs (null: back to the desktop dialogs). The caller keeps
// ownership; a dialogs object parented to the view is freed with it.
void setFileDialogs(myQQuickView &view, FileDialogs *dialogs);

// Makes the pointer slots use `settings` instead of the system's (tests use a recording stand-in).
void setPointerSettings(myQQuickView &view, std::shared_ptr<PointerSettings> settings);
