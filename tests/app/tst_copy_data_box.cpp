// SPDX-License-Identifier: GPL-3.0-or-later
// Which copy-data messages raise the warning box, and what the box shows of their text.

#include "copy_data_box.h"
#include "notice_boxes.h"

#include <QTest>

class TestCopyDataBox : public QObject
{
    Q_OBJECT

private slots:
    void decisions_data()
    {
        QTest::addColumn<qulonglong>("dwData");
        QTest::addColumn<QByteArray>("buffer");    // the sender's bytes
        QTest::addColumn<int>("cbData");           // the size it declares
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("text");
        const QByteArray hello("Firmware update ready\0", 22);
        QTest::newRow("text without its NUL") << 9487ull << hello << 21 << true << "Firmware update ready";
        QTest::newRow("NUL counted") << 9487ull << hello << 22 << false << "";
        QTest::newRow("other number") << 9488ull << hello << 21 << false << "";
        QTest::newRow("number 0") << 0ull << hello << 21 << false << "";
        QTest::newRow("size shorter than the text") << 9487ull << hello << 8 << true << "Firmware";
        const QByteArray chinese = QString::fromUtf8("固件更新").toUtf8() + '\0';
        QTest::newRow("UTF-8 text") << 9487ull << chinese << int(chinese.size() - 1) << true << QString::fromUtf8("固件更新");
        QTest::newRow("invalid UTF-8") << 9487ull << QByteArray("ab\xff" "cd\0", 6) << 5 << false << "";
        QTest::newRow("lone surrogate") << 9487ull << QByteArray("\xed\xa0\x80\0", 4) << 3 << false << "";
        QTest::newRow("NUL inside the text") << 9487ull << QByteArray("ab\0cd", 5) << 5 << false << "";
        QTest::newRow("empty text") << 9487ull << QByteArray("\0", 1) << 0 << true << "";
        // No NUL within the declared size: exactly cbData bytes of text, never read beyond them.
        QTest::newRow("no NUL within the size") << 9487ull << QByteArray("abcdef") << 3 << true << "abc";
    }
    void decisions()
    {
        QFETCH(qulonglong, dwData);
        QFETCH(QByteArray, buffer);
        QFETCH(int, cbData);
        QFETCH(bool, shown);
        QFETCH(QString, text);
        // A heap copy of exactly the declared size, so a read past it would show under the sanitizers.
        std::vector<char> exact(buffer.constData(), buffer.constData() + cbData);
        CopyData message;
        message.dwData = uintptr_t(dwData);
        message.cbData = uint32_t(cbData);
        message.lpData = exact.empty() ? nullptr : exact.data();
        const auto result = copyDataWarningText(message);
        QCOMPARE(result.has_value(), shown);
        if (shown)
            QCOMPARE(*result, text);
    }

    // What a box shows of a long text: cut to 2000 characters or 30 lines, never inside a character,
    // with an ellipsis.
    void longTextsAreCut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("short") << "Battery low" << "Battery low";
        QTest::newRow("exactly the limit") << QString(2000, 'a') << QString(2000, 'a');
        QTest::newRow("1 MB") << QString(1 << 20, 'a') << QString(2000, 'a') + ellipsis;
        QTest::newRow("many lines") << QString("line\n").repeated(40)
                                    << QString("line\n").repeated(29) + "line" + ellipsis;
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // two UTF-16 units
        QTest::newRow("pair at the cut") << QString(1999, 'a') + emoji << QString(1999, 'a') + ellipsis;
    }
    void longTextsAreCut()
    {
        QFETCH(QString, text);
        QTEST(cappedNoticeText(text), "shown");
    }

    void missingBytesWithASizeAreRefused()
    {
        CopyData message;
        message.dwData = 9487;
        message.cbData = 4;
        QVERIFY(!copyDataWarningText(message));
    }
};

QTEST_APPLESS_MAIN(TestCopyDataBox)
#include "tst_copy_data_box.moc"
