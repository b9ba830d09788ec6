// SPDX-License-Identifier: GPL-3.0-or-later
// Gun records in gunData.bin.

#include "store_fixture.h"

#include <QTest>

namespace {
const QString kGuns = QStringLiteral("modules/gun/gunData.bin");
}

class TestGunStore : public QObject
{
    Q_OBJECT

private slots:
    void recordShapes()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QCOMPARE(view.getGunDataKey(), QStringList({"0", "1", "2", "3", "4", "5"}));
        QCOMPARE(view.getGunData(0), QVariantList({"M416", "L-Click", "9", "0", "5", "0"}));

        view.mouseSaveGundata(2, {"M16A4", "L-Click", 9, 0, 8, 0, "ignored"});
        QCOMPARE(view.getGunData(2), QVariantList({"M16A4", "L-Click", "9", "0", "8", "0"}));
        QVERIFY(store.read(kGuns).contains("\n2=M16A4, L-Click, 9, 0, 8, 0\n"));

        // A rename: the old name's record goes, the new one has five values; records by position stay.
        view.modifyGundata(1, {"Vector", "L-Click", 5, 1, 2, 0, "Old"});
        view.modifyGundata(1, {"Groza", "L-Click", 6, 1, 2, 3, "Vector"});
        QCOMPARE(view.getGunData("Groza"), QVariantList({"L-Click", "6", "1", "2", "3"}));
        QCOMPARE(view.getGunData("Vector"), QVariantList());
        view.modifyGundata(0, {"Groza"});
        view.modifyGundata(5, {"0"});
        QCOMPARE(view.getGunDataKey(), QStringList({"0", "1", "2", "3", "4", "5"}));
    }

    // Short records and names that are no safe names write nothing: "a/b" would become a group of its own
    // (the record lost after a restart), the others no file name on export.
    void shortNamelessOrUnsafeRecordsWriteNothing()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        const QByteArray before = store.read(kGuns);
        view.mouseSaveGundata(3, {"SCAR-L", "L-Click", 9, 0, 6});
        view.mouseSaveGundata("", {"SCAR-L", "L-Click", 9, 0, 6, 0});
        view.modifyGundata(1, {"New", "L-Click", 9, 0, 6, 0});
        view.modifyGundata(1, {"", "L-Click", 9, 0, 6, 0, "0"});
        view.modifyGundata(0, {});
        view.modifyGundata(0, {""});  // would name the whole group
        for (const QString &name : {QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("a\\b"),
                                    QStringLiteral("two\nlines"), QString::fromLatin1("nul\0", 4)}) {
            view.mouseSaveGundata(name, {name, "L-Click", 9, 0, 6, 0});
            view.modifyGundata(1, {name, "L-Click", 9, 0, 6, 0, "0"});
            view.modifyGundata(1, {"Fine", "L-Click", 9, 0, 6, 0, name});
            view.modifyGundata(0, {name});
        }
        QCOMPARE(store.read(kGuns), before);
        QCOMPARE(view.getGunDataKey().size(), 6);
    }

    void missingFile()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QFile::remove(store.path(kGuns));
        view.mouseSaveGundata(0, {"M416", "L-Click", 9, 0, 5, 0});
        view.modifyGundata(1, {"N", "L-Click", 9, 0, 5, 0, "0"});
        QVERIFY(!store.exists(kGuns));
        QCOMPARE(view.getGunData(0), QVariantList());
        QCOMPARE(view.getGunDataKey(), QStringList());
    }
};

QTEST_MAIN(TestGunStore)
#include "tst_gun_store.moc"
