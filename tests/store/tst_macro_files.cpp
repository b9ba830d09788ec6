// SPDX-License-Identifier: GPL-3.0-or-later
// Macro files and the profile bindings that follow a renamed or deleted macro.

#include "message_capture.h"
#include "store_fixture.h"

#include <QDir>
#include <QSettings>
#include <QTest>

namespace {

const QString kMacro0 = QStringLiteral("modules/macro/Macro_0.bin");

// Binds macro `name` to button `button` of profile `profile` (assignment 4, run mode 0, slot = button).
void bind(myQQuickView &view, int profile, int button, const QString &name)
{
    view.profileSettings.at(profile)->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(button),
                                               QVariantList{4, 0, button, 0});
    view.profileSettings.at(profile)->setValue(QStringLiteral("mouseMacroKey/%1").arg(button), name);
}

QVariantList assignment(myQQuickView &view, int profile, int button)
{
    return view.profileSettings.at(profile)->value(QStringLiteral("mouseKeyMatrix/%1").arg(button)).toList();
}

}  // namespace

class TestMacroFiles : public QObject
{
    Q_OBJECT

private slots:
    void createSaveLoad()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QCOMPARE(view.createMacroIni("Macro_0", 0), QVariant(true));
        QCOMPARE(view.loadMacroIni("Macro_0"), QStringList({"1"}));
        QVERIFY(store.read(kMacro0).contains("[config]\ndid=-1\nindex=0\nrepeat=1\ntotal=0\n"));

        const QStringList five{"1,A", "0,50", "2,A", "1,,", "2,,"};
        QCOMPARE(view.saveMacroIni("Macro_0", five, 5), QVariant(true));
        QCOMPARE(view.loadMacroIni("Macro_0"), five + QStringList{"5"});
        QVERIFY(store.read(kMacro0).contains("\n0=\"1,A\"\n"));
        view.saveMacroIni("Macro_0", {"3,MS-L", "4,MS-L"}, 1);
        QCOMPARE(view.loadMacroIni("Macro_0"), QStringList({"3,MS-L", "4,MS-L", "1"}));
        QVERIFY(!store.read(kMacro0).contains("\n3=") && !store.read(kMacro0).contains("\n4="));
        QVERIFY(store.read(kMacro0).contains("did=-1"));  // [config] keys beyond count and repeat stay

        QCOMPARE(view.saveMacroIni("Nothing", five, 1), QVariant(false));
        QCOMPARE(view.loadMacroIni("Nothing"), QStringList());
        QVERIFY(!store.exists("modules/macro/Nothing.bin"));
    }

    void olderAndDamagedFiles()
    {
        StoreFixture store;
        store.write("modules/macro/Old.bin", fixture("macro_qt4.bin"));
        store.write("modules/macro/Huge.bin", "[config]\ntotal=4000000000\nrepeat=1\n");
        myQQuickView &view = store.view();
        QCOMPARE(view.loadMacroIni("Old"), QStringList({"1,A", "0,120", "2,A", "1,,", "0", "3"}));
        QCOMPARE(view.loadMacroIni("Huge").size(), 10001);  // bounded, not four billion reads
    }

    void renameFollowsTheFirstSixProfiles()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.createMacroIni("Macro_0", 0);
        for (int profile : {0, 2, 5, 6, 9})
            bind(view, profile, 3, "Macro_0");
        bind(view, 1, 4, "Macro_01");
        const QByteArray pD = store.read("modules/setting/pD.bin");

        QCOMPARE(view.modifyMacroNameUpdateProfile("Macro_0", "Macro_7"), QVariant(true));
        QVERIFY(!store.exists(kMacro0) && store.exists("modules/macro/Macro_7.bin"));
        for (int profile : {0, 2, 5})
            QCOMPARE(view.profileSettings.at(profile)->value("mouseMacroKey/3"), QVariant("Macro_7"));
        for (int profile : {6, 9})
            QCOMPARE(view.profileSettings.at(profile)->value("mouseMacroKey/3"), QVariant("Macro_0"));
        QCOMPARE(view.profileSettings.at(1)->value("mouseMacroKey/4"), QVariant("Macro_01"));
        QCOMPARE(store.read("modules/setting/pD.bin"), pD);

        // Refused before anything changes: a missing macro, a taken name, an unsafe name.
        view.createMacroIni("Macro_8", 0);
        QCOMPARE(view.modifyMacroNameUpdateProfile("Macro_0", "Macro_9"), QVariant(false));
        QCOMPARE(view.modifyMacroNameUpdateProfile("Macro_7", "Macro_8"), QVariant(false));
        QCOMPARE(view.modifyMacroNameUpdateProfile("Macro_7", "../setting/p1"), QVariant(false));
        QCOMPARE(view.profileSettings.at(0)->value("mouseMacroKey/3"), QVariant("Macro_7"));
        QVERIFY(store.exists("modules/macro/Macro_7.bin") && store.exists("modules/macro/Macro_8.bin"));
    }

    void failedRenamePutsTheBindingsBack()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.createMacroIni("Macro_0", 0);
        bind(view, 0, 5, "Macro_0");
        ReadOnlyFolder folder(store.path("modules/macro"));
        if (!folder.ok())
            QSKIP("cannot make a folder read-only here");
        QCOMPARE(view.modifyMacroNameUpdateProfile("Macro_0", "Macro_1"), QVariant(false));
        QCOMPARE(view.profileSettings.at(0)->value("mouseMacroKey/5"), QVariant("Macro_0"));
        QVERIFY(store.exists(kMacro0));
    }

    void deleteUnbindsTheFirstSixProfiles()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.createMacroIni("Macro_0", 0);
        bind(view, 2, 5, "Macro_0");
        bind(view, 2, 6, "Macro_1");
        bind(view, 7, 5, "Macro_0");
        view.profileSettings.at(2)->setValue("mouseKeyMatrix/7", QVariantList{4, 0});  // too short: no macro
        view.profileSettings.at(2)->setValue("mouseKeyMatrix/9", QVariantList{1, 4, 30, 2});

        QCOMPARE(view.deleteMacroIni("Macro_0"), QVariant(true));
        QVERIFY(!store.exists(kMacro0));
        QCOMPARE(view.deleteMacroIni("Macro_0"), QVariant(false));
        view.deleteMacroUpdateProfile("Macro_0");
        QCOMPARE(assignment(view, 2, 5), view.defaultProfileSettings->value("mouseKeyMatrix/5").toList());
        QCOMPARE(assignment(view, 2, 6), QVariantList({4, 0, 6, 0}));
        QCOMPARE(assignment(view, 2, 7), QVariantList({4, 0}));
        QCOMPARE(assignment(view, 2, 9), QVariantList({1, 4, 30, 2}));
        QCOMPARE(assignment(view, 7, 5), QVariantList({4, 0, 5, 0}));  // beyond the first six profiles
        QCOMPARE(view.profileSettings.at(2)->value("mouseMacroKey/5"), QVariant("Macro_0"));
    }

    void unsafeNamesTouchNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../setting/p1";
        QTest::newRow("absolute") << outsidePath();
        QTest::newRow("dot dot") << "..";
        QTest::newRow("empty") << "";
        QTest::newRow("control") << "a\tb";
        QTest::newRow("too long") << QString(300, QLatin1Char('m'));
    }
    void unsafeNamesTouchNothing()
    {
        QFETCH(QString, name);
        StoreFixture store;
        myQQuickView &view = store.view();
        // A profile binding with an empty name must not be taken for the macro "".
        bind(view, 0, 3, "");
        const QByteArray p1 = store.read("modules/setting/p1.bin");
        QCOMPARE(view.createMacroIni(name, 0), QVariant(false));
        QCOMPARE(view.saveMacroIni(name, {"1,A"}, 1), QVariant(false));
        QCOMPARE(view.loadMacroIni(name), QStringList());
        QCOMPARE(view.deleteMacroIni(name), QVariant(false));
        QCOMPARE(view.modifyMacroNameUpdateProfile(name, "Macro_1"), QVariant(false));
        view.deleteMacroUpdateProfile(name);
        QCOMPARE(assignment(view, 0, 3), QVariantList({4, 0, 3, 0}));
        QCOMPARE(store.read("modules/setting/p1.bin"), p1);
        QVERIFY(!QFile::exists(outsidePath() + ".bin"));
        QCOMPARE(QDir(store.path("modules/macro")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    // Symbolic links in the store's folders that lead out of them are never followed: a macro saved
    // through one, a macro created where a link to a missing file stands, a profile file that is such a
    // link. The files outside stay as they were (or absent), and the refusal says why.
    void linksOutOfTheFoldersAreNotFollowed()
    {
        QTemporaryDir outside;
        const QByteArray secret = "[config]\ntotal=1\n\n[macro]\n0=the user's own file\n";
        const QString victim = outside.filePath("victim.bin");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(secret) == secret.size());
        file.close();
        StoreFixture store;
        myQQuickView &view = store.view();
        QDir().mkpath(store.path("modules/macro"));
        QVERIFY(QFile::link(victim, store.path("modules/macro/Linked.bin")));
        QVERIFY(QFile::link(outside.filePath("created.bin"), store.path("modules/macro/Dangling.bin")));
        QVERIFY(QFile::remove(store.path("modules/setting/p3.bin")));
        QVERIFY(QFile::link(victim, store.path("modules/setting/p3.bin")));
        MessageCapture messages;

        QCOMPARE(view.saveMacroIni("Linked", {"1,A"}, 1), QVariant(false));
        QVERIFY(!view.loadMacroIni("Linked").join(',').contains("own file"));
        QCOMPARE(view.createMacroIni("Dangling", 0), QVariant(false));
        view.setCurrentProfile(2);
        view.setData("mouse/reportRate", 9);
        store.flush();

        QCOMPARE(filesUnder(outside.path()), (QStringList{"victim.bin"}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), secret);
        const QString why = "saveMacroIni refused: modules/macro/Linked.bin is a link to " + victim
                            + " outside its folder";
        QVERIFY2(messages.contains(why), qPrintable(messages.messages().join('\n')));
    }

private:
    static QStringList filesUnder(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }
    static QString outsidePath() { return QDir::tempPath() + QStringLiteral("/zephra-macro-outside"); }
};

QTEST_MAIN(TestMacroFiles)
#include "tst_macro_files.moc"
