// SPDX-License-Identifier: GPL-3.0-or-later
// The published interface of the objects the QML reaches (ui_View, hid, ui_Ctl): every slot with its
// return and parameter types, in its order, as the meta-object publishes it; and the QML tests' recording
// stand-ins compared with the real classes, so that they cannot drift from what they stand in for.

#include "hid_thread.h"
#include "my_quick_view.h"
#include "recording_device.h"
#include "recording_view.h"
#include "ui_controler.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QTest>

namespace {

// "returnType name(parameterTypes)" of each method of `type` (slots, or invokables) the class declares
// itself, in order.
QStringList ownMethods(const QMetaObject &meta, QMetaMethod::MethodType type)
{
    QStringList published;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == type)
            published << QStringLiteral("%1 %2").arg(method.typeName(), method.methodSignature());
    }
    return published;
}

// "type name" of each property `type` declares itself, with " writable" where QML may set it.
QStringList ownProperties(const QMetaObject &meta)
{
    QStringList properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        properties << QStringLiteral("%1 %2%3").arg(property.typeName(), property.name(),
                                                     property.isWritable() ? " writable" : "");
    }
    return properties;
}

QStringList ownSlots(const QMetaObject &meta)
{
    return ownMethods(meta, QMetaMethod::Slot);
}

// Everything QML may call: slots and invokables.
QStringList callable(const QMetaObject &meta)
{
    return ownMethods(meta, QMetaMethod::Slot) + ownMethods(meta, QMetaMethod::Method);
}

const QStringList kViewSlots{
    "void clearHidBusy()", "void initUI()", "void runUI()", "void resetApconfig()",
    "bool loadMacroFile(QVariant)", "void saveMacroFile(QVariant)", "bool loadProfile(int)",
    "void saveProfile(int)", "void resetProfile(int)", "void copyProfile(int,int)",
    "QStringList getLangStrings(QString,QString)", "QVariant createMacroIni(QVariant,QVariant)",
    "QVariant updataNameList(QVariant,QStringList)", "QVariant modifyMacroNameUpdateProfile(QVariant,QVariant)",
    "void deleteMacroUpdateProfile(QVariant)", "QVariant deleteMacroIni(QVariant)",
    "QVariantList getNameList(QVariant)", "QVariant saveMacroIni(QVariant,QStringList,QVariant)",
    "QVariant mouseSendMacroData(QVariantList,QVariant)", "QStringList loadMacroIni(QVariant)",
    "void mouseSaveGundata(QVariant,QVariantList)", "void mouseSendGundata(int,QVariantList)",
    "void modifyGundata(QVariant,QVariantList)", "QVariantList getGunData(QVariant)",
    "QStringList getGunDataKey()", "QVariant getXYSensitive(QVariant)", "QVariant getselectGun(QVariant)",
    "void setXYSensitive(QVariant,QVariant)", "void setSelectGun(QVariant,QVariant)",
    "void setCurrentProfile(int)", "void mouseSetKeyboardoption(uchar,uchar,uchar,uchar)",
    "void mouseSetReportRate(uchar,uchar)", "void mouseSetCurrentDPI(uchar)", "void mouseResetKeyMatrix()",
    "QVariant mouseGetCurrentDPI()", "void mouseSetKeyMatrix(QVariantList,bool,QVariantList)",
    "void mouseSetDpi(int,QString,QVariantList)", "void mouseSetRGBEffect(uchar,uchar,uchar)",
    "void mouseSetRGBColor(uchar,QVariantList)", "void mouseSetProfile(uint)", "void mouseReadProfile(uint)",
    "QVariant mouseReadCurrentProfile()", "void mouseSwitchKeyMatrix(int)", "QVariantList GetKeyboardoption()",
    "void mouseSetCursorSpeed(uint)", "void mouseSetVerticalScrollLines(uint)",
    "void mouseSetDoubleClickSpeed(uint)", "QVariantList mouseGetKeydefine(QVariant,bool)",
    "void openUpdateExe()", "QVariant getData(QVariant,bool)", "QVariant getGlobalData(QVariant)",
    "QVariantList getDataList(QVariant,bool)", "void setData(QVariant,QVariant)",
    "void setGlobalData(QVariant,QVariant)", "void setDataList(QVariant,QVariantList)", "void setBusy(int)",
    "void setCurrentDPI(int)"};

const QStringList kDeviceSlots{
    "uchar hidCS(uchar*)", "bool chkDeviceIsEnCode(int)", "void USBDataEncryption(uchar[],uchar[])",
    "void USBDataDecipher(uchar[],uchar[])", "void hid553_00H_GetSecrecyCode(uchar&,uchar&,uchar&,uchar&)",
    "void hid553_83H_GetKeyboardoption(uchar&,uchar&,uchar&,uchar&)",
    "void hid560_81H_GetKeyboardoption(uchar&,uchar&)", "void hid560_82H_GetCurrentProfile(uchar&)",
    "void hid560_84H_GetCurrentDPI(uchar&,uchar&)", "void hid553_8BH_GetCurrentDPI(uchar&)",
    "void hid553_03H_SetKeyboardoption(uchar,uchar,uchar,uchar)", "void hid553_04H_SetGunData(uchar,uchar,uchar,uchar)",
    "void hid560_01H_SetKeyboardoption(uchar,uchar)", "void hid553_01H_SetReportRate(uchar)",
    "void hid560_03H_SetReportRate(uchar)", "void hid560_04H_SetCurrentDPI(uchar)",
    "void hid553_0BH_SetCurrentDPI(uchar)", "void hid553_07H_Lod(uchar,uchar)",
    "void hid553_12H_SetKeyMatrix(uchar*,uchar)", "void hid560_0DH_SetKeyMatrix(uchar*,uchar)",
    "void hid560_0CH_setProfile(uchar*,uchar)", "void hid560_8CH_readProfile(uchar*,uchar)",
    "void hid560_02H_SetCurrentProfile(uchar)", "void hid553_13H_SetMacroKey(uchar,uchar*)",
    "void hid560_0FH_SetMacroKey(uchar,uchar*)", "void hid553_11H_SetDPISet(uchar,uchar*)",
    "void hid553_02H_SetCurrentKeyMatrix(uchar)", "void hid553_0DH_SetRGBLedEffect(uchar,uchar,uchar)",
    "void hid553_0CH_SetFixLEDColor(uchar*)", "void hid553_10H_SetLED8StageColor(uchar,uchar*)"};

// setBusy() as well as setBusy(int), both after the four window slots.
const QStringList kControllerSlots{"void onMinimize()", "void onClose()", "void onXChanged(int)",
                                   "void onYChanged(int)", "void setBusy(int)", "void setBusy()"};

}  // namespace

class TestPublishedInterface : public QObject
{
    Q_OBJECT

private slots:
    void slotTablesInTheirOrder_data()
    {
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("view: 57") << ownSlots(myQQuickView::staticMetaObject) << kViewSlots;
        QTest::newRow("device object: 30") << ownSlots(Hid_Thread::staticMetaObject) << kDeviceSlots;
        QTest::newRow("window controller: 6") << ownSlots(Ui_Controler::staticMetaObject) << kControllerSlots;
        QTest::newRow("window controller's invokables") << ownMethods(Ui_Controler::staticMetaObject, QMetaMethod::Method)
                                                        << QStringList({"bool startSystemMove()", "void quit()"});
    }
    void slotTablesInTheirOrder()
    {
        QFETCH(QStringList, published);
        QFETCH(QStringList, expected);
        QCOMPARE(published, expected);
    }

    // The QML tests run against the stand-ins; what passes there must mean the same calls on the real ones.
    void standInsHaveTheRealSlots()
    {
        QStringList view = ownSlots(RecordingView::staticMetaObject);
        // The view inherits setEnabled(bool) from QWidget, which the busy guard calls; the stand-in declares it.
        QCOMPARE(view.takeLast(), QStringLiteral("void setEnabled(bool)"));
        QVERIFY(QWidget::staticMetaObject.indexOfSlot("setEnabled(bool)") >= 0);
        QCOMPARE(view, ownSlots(myQQuickView::staticMetaObject));
        // The view's own properties (importedName, read-only) are the stand-in's too; the stand-in's others
        // stand in for what the view has as a widget.
        const QStringList standInProperties = ownProperties(RecordingView::staticMetaObject);
        for (const QString &property : ownProperties(myQQuickView::staticMetaObject))
            QVERIFY2(standInProperties.contains(property), qPrintable(property));
        QCOMPARE(ownProperties(myQQuickView::staticMetaObject), QStringList{"QString importedName"});

        QStringList control = callable(RecordingControl::staticMetaObject);
        control.sort();
        QStringList controller = callable(Ui_Controler::staticMetaObject);
        controller.sort();
        QCOMPARE(control, controller);
        const QStringList device = ownSlots(Hid_Thread::staticMetaObject);
        for (const QString &slot : ownSlots(RecordingHid::staticMetaObject))
            QVERIFY2(device.contains(slot), qPrintable(slot));
    }
};

QTEST_GUILESS_MAIN(TestPublishedInterface)
#include "tst_published_interface.moc"
