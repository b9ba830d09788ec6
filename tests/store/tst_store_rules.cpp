// SPDX-License-Identifier: GPL-3.0-or-later
// The pure rules of the store: safe file names, name-list keys and the sentinel, stored values.

#include "name_list_rules.h"
#include "safe_names.h"
#include "stored_values.h"

#include <QTest>

class TestStoreRules : public QObject
{
    Q_OBJECT

private slots:
    void safeFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("editor name") << "Macro_0" << true;
        QTest::newRow("blanks and punctuation") << "my macro, v2 (=;)" << true;
        QTest::newRow("non-ASCII") << QString::fromUtf8("宏 ►") << true;
        QTest::newRow("single dot inside") << "a.b" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("parent inside") << "a..b" << false;
        QTest::newRow("slash") << "../setting/p1" << false;
        QTest::newRow("absolute") << "/tmp/x" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("newline") << "a\nb" << false;
        QTest::newRow("NUL") << QString(QLatin1String("a\0b", 3)) << false;
        QTest::newRow("DEL") << "a\x7f" << false;
        QTest::newRow("251 bytes + .bin") << QString(251, QLatin1Char('m')) << true;
        QTest::newRow("252 bytes + .bin") << QString(252, QLatin1Char('m')) << false;
        QTest::newRow("86 three-byte characters") << QString(86, QChar(0x5B8F)) << false;  // 258 + 4 bytes
    }
    void safeFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeFileName(name, u".bin"), safe);
    }

    void nameListKeys_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<QString>("key");
        QTest::newRow("0") << QVariant(0) << "macro/macroName";
        QTest::newRow("1") << QVariant(1) << "gun/gunName";
        QTest::newRow("2 as text") << QVariant("2") << "profile/profileName";
        QTest::newRow("3 as a script number") << QVariant(3.0) << "gun/selectGun";
        QTest::newRow("7") << QVariant(7) << "";
        QTest::newRow("-1") << QVariant(-1) << "";
        QTest::newRow("not a number") << QVariant("macro") << "";  // must not pick list 0
        QTest::newRow("missing") << QVariant() << "";
    }
    void nameListKeys()
    {
        QFETCH(QVariant, type);
        QFETCH(QString, key);
        QCOMPARE(nameListKey(type), key);
    }

    void sentinel()
    {
        QCOMPARE(withSentinel({}), QStringList());
        QCOMPARE(withSentinel({"Macro_0"}), QStringList({"Macro_0", "loaderfennic"}));
        QCOMPARE(withSentinel({"a", "b"}), QStringList({"a", "b"}));
    }

    void storedValues()
    {
        QCOMPARE(storedList(QStringList{"1", "2"}), QVariantList({"1", "2"}));
        QCOMPARE(storedList(QVariantList{1, true}), QVariantList({1, true}));
        QCOMPARE(storedList(QVariant("abc")), QVariantList());  // a text is no list of characters
        QCOMPARE(storedList(QVariant(0)), QVariantList());
        QCOMPARE(storedText(QStringList{"1", "A"}, u","), QString("1,A"));
        QCOMPARE(storedText(QStringList{"1", "", ""}, u","), QString("1,,"));
        QCOMPARE(storedText(QVariant(5), u","), QString("5"));
        QCOMPARE(storedCount(QVariant("12"), 100), 12);
        QCOMPARE(storedCount(QVariant(" 7 "), 100), 7);
        QCOMPARE(storedCount(QVariant("2147483648000"), 100), 100);
        QCOMPARE(storedCount(QVariant("-3"), 100), 0);
        QCOMPARE(storedCount(QVariant("x"), 100), 0);
        QCOMPARE(storedCount(QVariant(), 100), 0);
    }
};

QTEST_APPLESS_MAIN(TestStoreRules)
#include "tst_store_rules.moc"
