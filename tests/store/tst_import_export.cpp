// SPDX-License-Identifier: GPL-3.0-or-later
// Import and export of macros and profiles through the file dialogs.

#include "file_dialogs.h"
#include "store_fixture.h"

#include <QDir>
#include <QSettings>
#include <QTest>

namespace {

// Answers each dialog with the next queued answer (an empty answer is a cancel) and records what was asked.
class ScriptedDialogs final : public FileDialogs
{
public:
    using FileDialogs::FileDialogs;
    QStringList answers;
    QStringList asked;
    QStringList suggested;

    QString openFileName(QWidget *, const QString &caption, const QString &filter) override
    {
        return answer(caption, filter);
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &filter, const QString &name) override
    {
        suggested.append(name);
        return answer(caption, filter);
    }

private:
    QString answer(const QString &caption, const QString &filter)
    {
        asked.append(caption + QLatin1Char('|') + filter);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

}  // namespace

class TestImportExport : public QObject
{
    Q_OBJECT

private slots:
    void macros()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        auto *dialogs = new ScriptedDialogs(&view);
        setFileDialogs(view, dialogs);
        view.createMacroIni("Macro_0", 0);
        view.saveMacroIni("Macro_0", {"1,A", "2,A"}, 2);
        store.write("out/old.mc", QByteArray(5000, 'x'));

        dialogs->answers = {store.path("out/old.mc"), "", store.path("out/old.mc"), store.path("out/old.mc"), ""};
        view.saveMacroFile("Macro_0");  // over an existing file: replaced completely
        QCOMPARE(store.read("out/old.mc"), store.read("modules/macro/Macro_0.bin"));
        view.saveMacroFile("Macro_0");  // cancelled
        QCOMPARE(view.loadMacroFile("Macro_3"), true);
        QCOMPARE(view.loadMacroIni("Macro_3"), QStringList({"1,A", "2,A", "2"}));
        view.saveMacroIni("Macro_3", {"1,B"}, 1);
        QCOMPARE(view.loadMacroFile("Macro_3"), true);  // the existing macro is kept
        QCOMPARE(view.loadMacroIni("Macro_3"), QStringList({"1,B", "1"}));
        QCOMPARE(view.loadMacroFile("Macro_4"), false);  // cancelled
        QVERIFY(!store.exists("modules/macro/Macro_4.bin"));
        QCOMPARE(dialogs->asked, QStringList({"Save File|Macro(*.mc)", "Save File|Macro(*.mc)",
                                              "Open File|Macro(*.mc)", "Open File|Macro(*.mc)",
                                              "Open File|Macro(*.mc)"}));

        dialogs->answers = {store.path("out/missing.mc")};
        view.saveMacroFile("../setting/p1");  // refused before any dialog
        view.saveMacroFile("Nothing");  // no such macro: the chosen file is not created
        QVERIFY(!store.exists("out/missing.mc"));
        QCOMPARE(dialogs->asked.size(), 6);
        // The export suggests the macro's name as the file's.
        QCOMPARE(dialogs->suggested.value(0), QStringLiteral("Macro_0.mc"));
        QCOMPARE(exportFileName(" a/b\\c\n ", ".mc", "macro"), QStringLiteral("a_b_c.mc"));
        QCOMPARE(exportFileName("..", ".pf", "profile3"), QStringLiteral("profile3.pf"));
    }

    void profiles()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        auto *dialogs = new ScriptedDialogs(&view);
        setFileDialogs(view, dialogs);
        view.currentProfile = 9;
        view.setData("mouse/scrollRate", 8);  // not yet written: the export still carries it
        store.write("in/few.pf", "[mouse]\nscrollRate=2\n");
        QDir().mkpath(store.path("out"));

        dialogs->answers = {store.path("out/p0.pf"), store.path("out/p9.pf"), "", store.path("in/few.pf")};
        view.updataNameList(2, {"Standard0", "Game9"});
        view.saveProfile(0);
        view.saveProfile(9);
        QCOMPARE(dialogs->suggested, QStringList({"Standard.pf", "Game.pf"}));
        QCOMPARE(store.read("out/p0.pf"), store.read("modules/setting/p1.bin"));
        QVERIFY(store.read("out/p9.pf").contains("\nscrollRate=8\n"));

        QSettings *const before = view.profileSettings.at(9);
        QCOMPARE(view.loadProfile(9), false);  // cancelled: nothing changes
        QCOMPARE(view.profileSettings.at(9), before);
        QCOMPARE(view.loadProfile(9), true);
        QCOMPARE(store.read("modules/setting/p10.bin"), store.read("in/few.pf"));
        QCOMPARE(view.getData("mouse/scrollRate", false), QVariant("2"));
        QVERIFY(!view.getData("mouse/dpiCount", false).isValid());
        QCOMPARE(dialogs->asked.mid(1, 3), QStringList({"Save File|Profile(*.pf)", "Open File|Profile(*.pf)",
                                                        "Open File|Profile(*.pf)"}));

        // A file that cannot be read leaves the profile as it was; numbers beyond the ten are refused.
        const QByteArray p10 = store.read("modules/setting/p10.bin");
        dialogs->answers = {store.path("in/missing.pf"), store.path("in/few.pf")};
        QCOMPARE(view.loadProfile(9), true);
        QCOMPARE(store.read("modules/setting/p10.bin"), p10);
        QCOMPARE(view.loadProfile(10), false);
        view.saveProfile(-1);
        QCOMPARE(dialogs->answers.size(), 1);  // no dialog for a refused number
    }
};

QTEST_MAIN(TestImportExport)
#include "tst_import_export.moc"
