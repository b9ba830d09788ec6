// SPDX-License-Identifier: GPL-3.0-or-later
// The store's settings format against the settings library's own INI format: the same values from the
// same text, and the same text for the same values (hand-picked rows, the shipped files and fixtures, and
// ten thousand generated texts).

#include "ini_oracle.h"
#include "ini_text.h"
#include "settings_format.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Texts made of the pieces the format gives a meaning to, in random order.
QByteArray generatedText(QRandomGenerator &random)
{
    static const QByteArray pieces[] = {
        "[", "]", "=", ";", ",", "\"", "\\", "\n", "\r", " ", "\t", "a", "B", "k", "%", "U", "0", "7", "9", "x",
        "f", "@", "@@", "(", ")", "Variant(", "ByteArray(", "String(", "Rect(1 2 3 4)", "Size(", "Point(5 6)",
        "Invalid()", "General", "general", "%General", "/", "\xc3\xa9", "\xe4\xb8\xad", "\xc3", "\x01",
        QByteArray(1, '\0'), "\xef\xbb\xbf", "=v\n", "\n[g]\n", "\\x41", "\\101", "\\n", "\\\n", ", ", "\"a,b\""};
    QByteArray text;
    const int count = random.bounded(48);
    for (int i = 0; i < count; ++i)
        text += pieces[random.bounded(int(std::size(pieces)))];
    return text;
}

}  // namespace

class TestSettingsFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The reference writes and syncs a file for each comparison: in memory that costs nothing.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }

    void readsLikeTheLibrary_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("plain") << QByteArray("[mouse]\ndpiCount=8\nreportRateEn=false\n");
        QTest::newRow("lists") << QByteArray("a=1, 2, 3\nb=\"x, y\", z\nc=,\nd=\" a \" , b  \ne=@Invalid()\n");
        QTest::newRow("quotes and escapes") << QByteArray("a=\"a;b=c\"\nb=\\x41\\101\\q\\\n b\nc=\"a\nb\"\nd=x\\t\\\"\n");
        QTest::newRow("typed") << QByteArray("a=@Rect(1 2 3 4)\nb=@Size(1)2)\nc=@@x\nd=@, b\ne=@String(ab)\n"
                                              "f=@ByteArray(\\x1\\xff)\ng=@Point(1)\nh=@Invalid()\n");
        QTest::newRow("keys") << QByteArray("k\xc3\xa9y=v\n%U0041x=1\ne%41=2\na\\b=3\n%4=4\n%=5\n");
        QTest::newRow("groups") << QByteArray("[General]\na=1\n[%General]\nb=2\n[a b]\nc=3\n[x\\y]\nd=4\n[\n=5\n");
        QTest::newRow("repeated groups") << QByteArray("[g]\na=1\n[h]\nb=2\n[g]\na=3\nc=4\n");
        QTest::newRow("comments") << QByteArray("; top\n[g] ; after\na=1;x\n  ;indented\nb = 2 \n");
        QTest::newRow("damaged") << QByteArray("no equals\n[open\nx=\"never closed\n[g]\ny=1\n");
        QTest::newRow("line ends") << QByteArray("\xef\xbb\xbf\r\n[g]\r\na=1\r\nb=\\\r\n2\rc=3\n\r");
        QTest::newRow("byte order mark before a key") << QByteArray("\xef\xbb\xbf\tk=v\nb=2\n[g]\nc=3\n[General]\nd=4\n");
        QTest::newRow("utf8 split by quotes") << QByteArray("a=\"x\xc3\",\"\xa9\"\nb=\xe4\xb8\n");
        QTest::newRow("empty key") << QByteArray("=1\n[g]\n =2\n");

        QDirIterator it(QStringLiteral(ZEPHRA_DATA_DIR), {QStringLiteral("*.bin"), QStringLiteral("*.ini")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::addRow("shipped %s", qPrintable(it.fileName())) << fileContent(path);
        }
        QDirIterator fixtures(QStringLiteral(ZEPHRA_STORE_FIXTURES), QDir::Files);
        while (fixtures.hasNext()) {
            const QString path = fixtures.next();
            QTest::addRow("fixture %s", qPrintable(fixtures.fileName())) << fileContent(path);
        }
    }
    void readsLikeTheLibrary()
    {
        QFETCH(QByteArray, text);
        const ini::Values ours = ini::parse(text);
        QCOMPARE(oracle::difference(oracle::parse(text), ours), QString());
        // And writes back what the library writes back.
        const QByteArray rewritten = oracle::rewrite(text);
        if (!rewritten.isNull())
            QCOMPARE(ini::write(ours), rewritten);
    }

    void writesLikeTheLibrary()
    {
        const ini::Values values{
            {"mouse/dpiValueArray", QStringList{"400", "800", "1600"}},
            {"mouse/dpiCount", 8},
            {"mouse/reportRateEn", false},
            {"mouse/colorValue", QVariantList{255, 0, "x"}},
            {"mouse/one", QVariantList{7}},
            {"mouse/oneText", QStringList{"one"}},
            {"mouse/none", QStringList{}},
            {"mouse/spaced", " spaced "},
            {"mouse/commas", "a, b; c=d"},
            {"mouse/at", "@at"},
            {"mouse/atList", QStringList{"@a", "b"}},
            {"mouse/bytes", QByteArray("\x01\xff" "abc", 5)},
            {"mouse/real", 1.25},
            {"mouse/nul", QString(QChar(0)) + "x"},
            {"mouse/controls", QString("a\x01" "1\tb\"c\\\n")},
            {"mouse/rect", QRect(1, 2, 3, 4)},
            {"mouse/when", QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC)},
            {"mouse/invalid", QVariant()},
            {"mouseMacroKey/3", QString::fromUtf8("宏_1")},
            {QString::fromUtf8("gr\xc3\xbcn/k\xc3\xa9y \xe4\xb8\xad"), 1},
            {"top", "level"},
            {"general/x", 1},
            {"a b/c d", 2},
            {"0/vid", "5a50"},
            {"selectGun/2", ""},
        };
        const QByteArray text = oracle::write(values);
        QCOMPARE(ini::write(values), text);
        QCOMPARE(oracle::difference(oracle::parse(text), ini::parse(text)), QString());
    }

    // Generated texts: whatever they hold, both read the same values and write the same text back.
    void generatedTextsAgree()
    {
        QRandomGenerator random(20240611);
        for (int i = 0; i < 10000; ++i) {
            const QByteArray text = generatedText(random);
            const ini::Values ours = ini::parse(text);
            const QString difference = oracle::difference(oracle::parse(text), ours);
            if (!difference.isEmpty())
                QFAIL(qPrintable(QStringLiteral("text %1:\n%2").arg(QString::fromLatin1(text.toHex()), difference)));
            const QByteArray rewritten = oracle::rewrite(text);
            if (!rewritten.isNull() && ini::write(ours) != rewritten)
                QFAIL(qPrintable(QStringLiteral("rewrite of %1").arg(QString::fromLatin1(text.toHex()))));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsFormat)
#include "tst_settings_format.moc"
