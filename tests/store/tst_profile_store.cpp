// SPDX-License-Identifier: GPL-3.0-or-later
// The data-key store of the view: keys of the current and default profile and of the global file, and
// the resets and copies of whole profile files.

#include "message_capture.h"
#include "store_fixture.h"

#include <QJSEngine>
#include <QSettings>
#include <QTest>

class TestProfileStore : public QObject
{
    Q_OBJECT

private slots:
    void readsAndWritesTheRightFile()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QCOMPARE(view.profileSettings.size(), 10);
        QCOMPARE(view.icType, QString("553"));
        QVERIFY(view.isGun && view.isColorful && !view.is55328);

        view.setCurrentProfile(3);  // the bridge's; it only stores the number
        view.currentProfile = 3;
        view.setData("mouse/dpiCount", 5);
        QCOMPARE(view.getData("mouse/dpiCount", true), QVariant("8"));  // from pD.bin, whatever the profile
        QCOMPARE(view.getData("mouse/dpiCount", false), QVariant(5));
        QVERIFY(!view.getData("mouse/never", false).isValid());

        view.currentProfile = 0;
        view.setData("mouse/reportRate", 45);
        view.setGlobalData("mouse/profileNo", 3);
        store.flush();
        QVERIFY(store.read("modules/setting/p1.bin").contains("[mouse]\ncolorValue="));
        QVERIFY(store.read("modules/setting/p1.bin").contains("\nreportRate=45\n"));
        QVERIFY(store.read("modules/setting/p4.bin").contains("\ndpiCount=5\n"));
        QVERIFY(store.read("modules/setting/apConfig.bin").contains("\nprofileNo=3\n"));
        QVERIFY(!store.read("modules/setting/pD.bin").contains("dpiCount=5"));
    }

    void listsRoundTrip()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        const QVariantList values{400, 800, 1600, 3200, 4000, 4800, 5600, 6200};
        view.setDataList("mouse/dpiValueArray", values);
        QCOMPARE(view.getDataList("mouse/dpiValueArray", false), values);
        QCOMPARE(view.getDataList("mouse/never", false), QVariantList());
        QCOMPARE(view.getDataList("mouse/reportRate", false), QVariantList());  // a scalar is no list
        // As read from the file: texts.
        QCOMPARE(view.getDataList("mouse/lightValue", true), QVariantList({"0", "2", "4"}));
        store.flush();
        QVERIFY(store.read("modules/setting/p1.bin").contains(
            "\ndpiValueArray=400, 800, 1600, 3200, 4000, 4800, 5600, 6200\n"));
    }

    // Script arrays handed over where any value is accepted arrive as script values; they are stored as
    // lists, not as unreadable objects.
    void scriptArraysAreStoredAsLists()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QJSEngine engine;
        const QVariant guns = QVariant::fromValue(engine.toScriptValue(QVariantList{0, 1, 2}));
        view.setGlobalData("mouse/selectGun", guns);
        view.setData("mouse/lightValue", guns);
        view.setXYSensitive(0, guns);
        store.flush();
        QVERIFY(store.read("modules/setting/apConfig.bin").contains("\nselectGun=0, 1, 2\n"));
        QVERIFY(store.read("modules/setting/p1.bin").contains("\nlightValue=0, 1, 2\n"));
        QCOMPARE(view.getDataList("mouse/lightValue", false).size(), 3);
    }

    void resetAndCopyReplaceOneFile()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.currentProfile = 4;
        view.setData("mouse/scrollRate", 9);  // pending in p5: the copy must carry it
        const QList<QSettings *> before = view.profileSettings;

        view.currentProfile = 3;
        // 47 has the size of the default's 46: only the content tells the files apart, however quickly the
        // reset follows the change.
        for (int round = 0; round < 5; ++round) {
            view.setData("mouse/reportRate", 47);
            view.resetProfile(3);
            QCOMPARE(view.getData("mouse/reportRate", false), QVariant("46"));
        }
        QCOMPARE(store.read("modules/setting/p4.bin"), store.read("modules/setting/pD.bin"));

        view.copyProfile(1, 4);
        QCOMPARE(store.read("modules/setting/p2.bin"), store.read("modules/setting/p5.bin"));
        QVERIFY(store.read("modules/setting/p2.bin").contains("\nscrollRate=9\n"));
        view.currentProfile = 1;
        QCOMPARE(view.getData("mouse/scrollRate", false), QVariant("9"));

        view.copyProfile(4, 4);  // nothing: the only copy is never deleted
        QVERIFY(store.read("modules/setting/p5.bin").contains("\nscrollRate=9\n"));

        QCOMPARE(view.profileSettings.size(), 10);
        for (int n : {0, 2, 4, 5, 6, 7, 8, 9})
            QCOMPARE(view.profileSettings.at(n), before.at(n));
        QVERIFY(view.profileSettings.at(1) != before.at(1) && view.profileSettings.at(3) != before.at(3));
        QCOMPARE(view.profileSettings.at(3)->fileName(), store.path("modules/setting/p4.bin"));
    }

    void resetApconfigRestoresTheFactoryCopy()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.setGlobalData("mouse/profileNo", 5);
        view.resetApconfig();
        QCOMPARE(view.getGlobalData("mouse/profileNo"), QVariant("0"));
        QCOMPARE(store.read("modules/setting/apConfig.bin"), store.read("modules/setting/apConfigD.bin"));
    }

    void missingSourceKeepsTheOldFile()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.currentProfile = 2;
        view.setData("mouse/scrollRate", 7);
        QFile::remove(store.path("modules/setting/pD.bin"));
        QFile::remove(store.path("modules/setting/apConfigD.bin"));
        view.resetProfile(2);
        view.resetApconfig();
        QCOMPARE(view.getData("mouse/scrollRate", false), QVariant(7));
        QVERIFY(store.read("modules/setting/p3.bin").contains("\nscrollRate=7\n"));
        QCOMPARE(view.getGlobalData("mouse/icType"), QVariant("553"));
    }

    void profileNumbersOutOfRangeAreRefused()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        const QByteArray p1 = store.read("modules/setting/p1.bin");
        MessageCapture messages;
        view.resetProfile(10);
        view.resetProfile(-1);
        view.copyProfile(0, 10);
        view.copyProfile(-5, 0);
        view.currentProfile = 10;
        view.setData("mouse/reportRate", 1);
        view.setDataList("mouse/lightValue", {1, 2, 3});
        view.setXYSensitive(0, 9);
        QVERIFY(!view.getData("mouse/reportRate", false).isValid());
        QCOMPARE(view.getDataList("mouse/lightValue", false), QVariantList());
        QCOMPARE(view.getXYSensitive(0), QVariant(4));
        QCOMPARE(view.getselectGun(0), QVariant(QString()));
        QCOMPARE(view.getData("mouse/dpiCount", true), QVariant("8"));  // the default profile needs no number
        for (const char *refusal : {"resetProfile refused: no profile 10", "resetProfile refused: no profile -1",
                                    "copyProfile refused: no profile 10", "copyProfile refused: no profile -5",
                                    "setData refused: no profile 10", "getData refused: no profile 10"})
            QVERIFY2(messages.contains(refusal), refusal);
        QCOMPARE(view.profileSettings.size(), 10);
        view.currentProfile = 0;
        store.flush();
        QCOMPARE(store.read("modules/setting/p1.bin"), p1);
    }

    void perProfileGunValues()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.currentProfile = 6;
        view.profileSettings.at(6)->remove("XYSensitive");
        view.profileSettings.at(6)->remove("selectGun");
        QCOMPARE(view.getXYSensitive(1), QVariant(4));
        QCOMPARE(view.getselectGun(0), QVariant(QString()));
        view.setXYSensitive(1, 7);
        view.setSelectGun(2, "M416");
        QCOMPARE(view.getXYSensitive(1), QVariant(7));
        QCOMPARE(view.getselectGun(2), QVariant("M416"));
        view.currentProfile = 0;
        QCOMPARE(view.getXYSensitive(1), QVariant("4"));  // as shipped
    }
};

QTEST_MAIN(TestProfileStore)
#include "tst_profile_store.moc"
