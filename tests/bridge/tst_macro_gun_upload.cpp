// SPDX-License-Identifier: GPL-3.0-or-later
// Macro and gun-data uploads on the wire: macro numbers of both families, slots the device does not keep,
// over-long macros; gun data of both families with the option query, the Y negation and its failure,
// the 560 profile block of each gun, and devices without gun keys.

#include "bridge_fixture.h"
#include "message_capture.h"

#include <QTest>

using vmouse::Family;

Q_DECLARE_METATYPE(vmouse::Family)

namespace {

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

// Press A, 50 ms, release A, repeated once: the interface's device macro.
const QVariantList kMacro = numbers({0x00, 0x01, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00});

void setOptions(const BridgeFixture &f, std::array<uint8_t, 4> options)
{
    vmouse::DeviceState s = f.state();
    s.options553 = options;
    vmouse::setState(f.device, s);
}

}  // namespace

class TestMacroGunUpload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void macroNumbers_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QVariant>("slot");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("553 slot 0 is macro 1") << Family::F553 << QVariant(0) << QByteArray("13 01 80 00 00 00 00");
        QTest::newRow("553 slot 11 is macro 12") << Family::F553 << QVariant(11) << QByteArray("13 0c 80 00 00 00 00");
        QTest::newRow("560 slot 0 is macro 1") << Family::F560 << QVariant(0) << QByteArray("0f 01 80 00 00 00 00");
        QTest::newRow("560 slot as text") << Family::F560 << QVariant(QStringLiteral("3")) << QByteArray("0f 04 80 00 00 00 00");
        QTest::newRow("553 slot 256 is slot 0") << Family::F553 << QVariant(256) << QByteArray("13 01 80 00 00 00 00");
    }
    void macroNumbers()
    {
        QFETCH(Family, family);
        QFETCH(QVariant, slot);
        QFETCH(QByteArray, head);
        BridgeFixture f(family);
        QCOMPARE(f.view().mouseSendMacroData(kMacro, slot), QVariant(true));
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0].head(), head);
        QCOMPARE(hex(sent[0].payload), hex(bytes({0x00, 0x01, 0x05, 0x04, 0x81, 0x04}) + QByteArray(122, 0)));
        const int number = uchar(QByteArray::fromHex(head.mid(3, 2))[0]);
        QCOMPARE(f.state().macros[number].size(), size_t(128));
    }

    // Buttons 12 to 15 have no macro on the device; a macro longer than the device's 128 bytes is not cut
    // (it would lose its end mark). Both report success, as every upload does.
    void macrosThatAreNotSent_data()
    {
        QTest::addColumn<QVariantList>("data");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("message");
        QTest::newRow("slot 12") << kMacro << 12 << QStringLiteral("mouseSendMacroData: no device macro for slot 12");
        QTest::newRow("slot 255") << kMacro << -1 << QStringLiteral("mouseSendMacroData: no device macro for slot 255");
        QTest::newRow("129 bytes") << QVariantList(129, 1) << 0
                                   << QStringLiteral("mouseSendMacroData refused: 129 bytes, more than 128");
    }
    void macrosThatAreNotSent()
    {
        QFETCH(QVariantList, data);
        QFETCH(int, slot);
        QFETCH(QString, message);
        for (Family family : {Family::F553, Family::F560}) {
            BridgeFixture f(family);
            MessageCapture messages;
            QCOMPARE(f.view().mouseSendMacroData(data, slot), QVariant(true));
            QVERIFY(f.commands().empty());
            QVERIFY(messages.contains(message));
        }
    }

    void fullLengthMacroIsSentWhole()
    {
        BridgeFixture f(Family::F553, {}, true, 64);
        QVariantList data;
        for (int i = 0; i < 128; ++i)
            data.append(i + 256);   // cut to their low bytes
        f.view().mouseSendMacroData(data, 5);
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QByteArray expected;
        for (int i = 0; i < 128; ++i)
            expected.append(char(i));
        QCOMPARE(hex(sent[0].payload), hex(expected));
    }

    // 553: the option query, then the gun command with the Y correction negated when the third option
    // byte is set; the gun number becomes an index from 0.
    void gun553_data()
    {
        QTest::addColumn<int>("option3");
        QTest::addColumn<int>("gunNumber");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("gunHead");
        QTest::newRow("Y 5 with the option bit") << 1 << 1 << numbers({3, 2, 5}) << QByteArray("04 00 03 02 fb 00 00");
        QTest::newRow("Y 5 without it") << 0 << 2 << numbers({3, 2, 5}) << QByteArray("04 00 03 02 05 01 00");
        QTest::newRow("negative values") << 0x80 << 3 << numbers({10, -4, -6}) << QByteArray("04 00 0a fc 06 02 00");
        QTest::newRow("values as texts") << 0 << 3 << QVariantList{QStringLiteral("7"), QStringLiteral("-1"), QStringLiteral("8")}
                                         << QByteArray("04 00 07 ff 08 02 00");
        QTest::newRow("short list") << 1 << 1 << numbers({4}) << QByteArray("04 00 04 00 00 00 00");
    }
    void gun553()
    {
        QFETCH(int, option3);
        QFETCH(int, gunNumber);
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, gunHead);
        BridgeFixture f(Family::F553, {.gun = true});
        setOptions(f, {0, 0, uint8_t(option3), 0});
        f.view().mouseSendGundata(gunNumber, values);
        QCOMPARE(f.heads(), (QList<QByteArray>{"83 00 00 00 00 00 00", gunHead}));
        // The query waits for no settle; the gun command pauses 8 ms.
        QCOMPARE(f.sleeper.pauses, std::vector<int>{8});
    }

    // A query that fails leaves no option bit: the correction goes out as it stands.
    void failedOptionQueryMeansNoNegation()
    {
        BridgeFixture f(Family::F553, {.gun = true});
        setOptions(f, {0xFF, 0xFF, 0xFF, 0xFF});
        vmouse::injectFault(vmouse::Fn::GetFeature, 1);
        f.view().mouseSendGundata(1, numbers({3, 2, 5}));
        QCOMPARE(f.heads().last(), QByteArray("04 00 03 02 05 00 00"));
    }

    // 560: block n + 1 takes the gun's data and is sent as profile n + 1; no option query.
    void gun560_data()
    {
        QTest::addColumn<int>("gunNumber");
        QTest::newRow("gun 1") << 1;
        QTest::newRow("gun 2") << 2;
        QTest::newRow("gun 3") << 3;
    }
    void gun560()
    {
        QFETCH(int, gunNumber);
        BridgeFixture f(Family::F560, {.gun = true});
        for (auto &b : f.view().profileBlocks)
            std::fill(std::begin(b), std::end(b), uchar(0xFF));
        setOptions(f, {0, 0, 1, 0});
        f.view().mouseSendGundata(gunNumber, numbers({12, -3, 5}));
        const int n = gunNumber + 1;
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0].head(), "0c 0" + QByteArray::number(n) + " 80 00 00 00 00");
        QByteArray expected(128, char(0xFF));
        expected[65] = char(0xFB);
        expected.replace(78, 4, bytes({0xF0, 12, 0xFD, 5}));
        QCOMPARE(hex(sent[0].payload), hex(expected));
        for (int other = 0; other < 5; ++other)
            if (other != n)
                QCOMPARE(f.view().profileBlocks[other][78], uchar(0xFF));
    }

    void noGunKeysNoGunData()
    {
        for (Family family : {Family::F553, Family::F560}) {
            BridgeFixture f(family, {.gun = false});
            f.view().mouseSendGundata(2, numbers({3, 2, 5}));
            QVERIFY(f.commands().empty());
            QCOMPARE(f.view().profileBlocks[3][78], uchar(0));
        }
    }

    // Gun numbers other than 1 to 3 name no gun (and on the 560 family no profile block).
    void unknownGunNumbersAreRefused()
    {
        for (Family family : {Family::F553, Family::F560}) {
            BridgeFixture f(family, {.gun = true});
            MessageCapture messages;
            f.view().mouseSendGundata(4, numbers({3, 2, 5}));
            f.view().mouseSendGundata(0, numbers({3, 2, 5}));
            f.view().mouseSendGundata(-1, numbers({3, 2, 5}));
            QVERIFY(f.commands().empty());
            QVERIFY(messages.contains(QStringLiteral("mouseSendGundata refused: no gun 4")));
        }
    }
};

QTEST_MAIN(TestMacroGunUpload)
#include "tst_macro_gun_upload.moc"
