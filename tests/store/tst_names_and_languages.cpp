// SPDX-License-Identifier: GPL-3.0-or-later
// Name lists in name.bin and the language strings of the i18n files.

#include "dpi_switch_texts.h"
#include "settings_format.h"
#include "store_fixture.h"

#include <QDir>
#include <QScopeGuard>
#include <QSettings>
#include <QStringDecoder>
#include <QTest>

namespace {

const QString kShippedLanguages = QStringLiteral(ZEPHRA_DATA_DIR "/i18n");

// A language file's layout: its group headings and keys, in file order, without the texts.
QStringList layoutOf(const QByteArray &text)
{
    QStringList layout;
    for (const QByteArray &line : text.split('\n'))
        layout.append(QString::fromUtf8(line.startsWith('[') ? line : line.left(line.indexOf('='))));
    return layout;
}

}  // namespace

class TestNamesAndLanguages : public QObject
{
    Q_OBJECT

private slots:
    void nameLists()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        QCOMPARE(view.updataNameList(0, {"Macro_0"}), QVariant(true));
        QCOMPARE(view.getNameList(0), QVariantList({"Macro_0", "loaderfennic"}));  // readers drop the sentinel
        QVERIFY(store.read("modules/setting/name.bin").contains("macroName=Macro_0, loaderfennic\n"));

        const QStringList odd{"a,b", "c=d", "e;f", " g ", "宏"};
        view.updataNameList(2, odd);
        view.updataNameList(1, {"M416", "AKM"});
        QCOMPARE(view.getNameList(1), QVariantList({"M416", "AKM"}));
        QVariantList expected;
        for (const QString &name : odd)
            expected.append(name);
        QCOMPARE(view.getNameList(2), expected);

        view.updataNameList(0, {});
        QVERIFY(!store.read("modules/setting/name.bin").contains("macroName"));
        QCOMPARE(view.getNameList(0), QVariantList());

        QCOMPARE(view.updataNameList(7, {"x", "y"}), QVariant(true));
        QCOMPARE(view.updataNameList("profile", {"x", "y"}), QVariant(true));  // no list, not list 0
        QCOMPARE(view.getNameList(7), QVariantList());
        QCOMPARE(view.getNameList(0), QVariantList());
        QVERIFY(!store.read("modules/setting/name.bin").contains("x, y"));
    }

    void nameListsOfAnOlderFile()
    {
        StoreFixture store;
        store.write("modules/setting/name.bin", fixture("name_qt4.bin"));
        myQQuickView &view = store.view();
        QCOMPARE(view.getNameList(0), QVariantList({"Macro_0", "loaderfennic"}));
        QCOMPARE(view.getNameList(2), QVariantList({"Standard0", "a, b1", "x=y2", QString::fromUtf8("宏_3")}));
        QCOMPARE(view.getNameList(1), QVariantList());  // one name without the sentinel: a plain text
        QCOMPARE(view.getNameList(3), QVariantList());  // an empty list
    }

    void languageGroups()
    {
        StoreFixture store;
        store.write("modules/i18n/Test.ini", fixture("language.ini"));
        myQQuickView &view = store.view();
        QCOMPARE(view.getLangStrings("main", "Test"),
                 QStringList({QString::fromUtf8("编辑"), "Key ", "a, b, c", "x;y", "back\\slash"}));
        QCOMPARE(view.getLangStrings("short", "Test"), QStringList({"zero", "", ""}));
        QCOMPARE(view.getLangStrings("noTotal", "Test"), QStringList());
        QCOMPARE(view.getLangStrings("huge", "Test").size(), 4096);
        QCOMPARE(view.getLangStrings("main", "Klingon"), QStringList());
        QCOMPARE(view.getLangStrings("main", "../setting/apConfig"), QStringList());
        QCOMPARE(view.getLangStrings("main", "English").first(), QString("Editor"));
    }

    void dpiSwitchTextsFollowTheOtherGroup()
    {
        StoreFixture store;
        store.write("modules/i18n/Few.ini", "[other]\ntotal=3\n0=one\n1=two\n2=three\n");
        myQQuickView &view = store.view();
        const QStringList before = dpiSwitchTexts;
        view.getLangStrings("main", "ChineseSimplified");
        QCOMPARE(dpiSwitchTexts, before);  // only "other" changes them

        view.getLangStrings("other", "Few");
        QCOMPARE(dpiSwitchTexts, QStringList({"one", "two", "three", "DPI Switch to", "DPI Switch to",
                                              "DPI Switch to", "DPI Switch to", "DPI Switch to"}));
        view.getLangStrings("other", "Missing");
        QCOMPARE(dpiSwitchTexts.size(), 8);
        QCOMPARE(dpiSwitchTexts.at(2), QString("three"));

        view.getLangStrings("other", "ChineseSimplified");
        QCOMPARE(dpiSwitchTexts.first(), QString::fromUtf8("DPI切换到第1档"));
        QCOMPARE(dpiSwitchTexts.last(), QString::fromUtf8("DPI切换到第8档"));
        dpiSwitchTexts = before;
    }

    // Every shipped language has English's groups and keys in English's order, a text wherever English has
    // one (and none where it has none), English's key names (macro files store them), and one DPI-switch
    // notification per stage that names the stage.
    void shippedLanguages_data()
    {
        QTest::addColumn<QString>("code");
        const QStringList files = QDir(kShippedLanguages).entryList({QStringLiteral("*.ini")}, QDir::Files);
        QVERIFY2(files.size() >= 13, qPrintable(files.join(' ')));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << QFileInfo(file).completeBaseName();
    }
    void shippedLanguages()
    {
        QFETCH(QString, code);
        QFile file(kShippedLanguages + '/' + code + ".ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        [[maybe_unused]] const QString decoded = utf8(bytes);
        QVERIFY(!utf8.hasError());
        QFile englishFile(kShippedLanguages + "/English.ini");
        QVERIFY(englishFile.open(QIODevice::ReadOnly));
        QCOMPARE(layoutOf(bytes), layoutOf(englishFile.readAll()));

        StoreFixture store;
        myQQuickView &view = store.view();
        const auto restore = qScopeGuard([before = dpiSwitchTexts] { dpiSwitchTexts = before; });
        const QSettings english(kShippedLanguages + "/English.ini", settingsFormat());
        const QSettings language(file.fileName(), settingsFormat());
        for (const QString &group : english.childGroups()) {
            const QString prefix = group + '/';
            QCOMPARE(language.value(prefix + "total"), english.value(prefix + "total"));
            const QStringList expected = view.getLangStrings(group, "English");
            const QStringList texts = view.getLangStrings(group, code);
            QCOMPARE(texts.size(), english.value(prefix + "total").toInt());
            for (int i = 0; i < texts.size(); ++i) {
                const QString key = prefix + QString::number(i);
                // One text each: a comma left unquoted would read as a list.
                QVERIFY2(language.value(key).metaType().id() == QMetaType::QString, qPrintable(key));
                QVERIFY2(texts[i].isEmpty() == expected[i].isEmpty(), qPrintable(key));
            }
            if (group == "keyCode")
                QCOMPARE(texts, expected);
            if (group == "other") {
                for (int stage = 1; stage <= 8; ++stage)
                    QVERIFY2(texts[stage - 1].contains(QString::number(stage)), qPrintable(texts[stage - 1]));
            }
        }
    }
};

QTEST_MAIN(TestNamesAndLanguages)
#include "tst_names_and_languages.moc"
