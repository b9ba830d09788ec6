// SPDX-License-Identifier: GPL-3.0-or-later
// Every command slot of both families on the wire: the feature reports the device receives (plain and
// scrambled devices), the payload reports at both report lengths, the pauses, the busy messages, and what
// read commands hand back.

#include "message_capture.h"
#include "rig.h"

#include <QTest>

#include <functional>

using vmouse::Family;
using vmouse::Kind;
using Pauses = std::vector<int>;

namespace {

// The caller's buffers: a 128-byte array holding 1, 2, 3 ... and four result bytes.
struct Args
{
    Args()
    {
        for (int i = 0; i < 128; ++i)
            data[i] = uchar(i + 1);
    }
    uchar data[128];
    uchar out[4] = {0x51, 0x52, 0x53, 0x54};
};

enum class Bulk { None, Output, Input };

struct Case
{
    const char *name;
    Family family;
    std::function<void(Hid_Thread &, Args &)> call;
    std::vector<const char *> reports;   // each report's bytes 0..7 in hex; the checksum is appended
    Bulk bulk;
    int payload;                         // bulk bytes
    int fromCaller;                      // how many of them come from the caller's array (the rest are 0)
    Pauses pausesAt32;
    const char *busy;
};

const Pauses kSettle{64, 64};
const Pauses kUnsettled{8};

Pauses uploadPauses(int reports)
{
    Pauses p{64, 64};
    p.insert(p.end(), size_t(reports), 120);
    p.insert(p.end(), {64, 64});
    return p;
}

// The checksum as the device computes it: complement of the low byte of the sum of bytes 1..7.
QByteArray withChecksum(const char *hex)
{
    QByteArray r = QByteArray::fromHex(hex);
    unsigned sum = 0;
    for (int i = 1; i < 8; ++i)
        sum += uchar(r[i]);
    r.append(char(~sum & 0xFF));
    return r;
}

const std::vector<Case> &cases()
{
    using H = Hid_Thread;
    static const std::vector<Case> all = {
        {"553 00H", Family::F553, [](H &h, Args &a) { h.hid553_00H_GetSecrecyCode(a.out[0], a.out[1], a.out[2], a.out[3]); },
         {"0000515253540000"}, Bulk::None, 0, 0, {}, "cmd Failed 00"},
        {"553 01H", Family::F553, [](H &h, Args &) { h.hid553_01H_SetReportRate(3); },
         {"0001030000000000"}, Bulk::None, 0, 0, kSettle, "cmd Failed 01"},
        {"553 02H", Family::F553, [](H &h, Args &) { h.hid553_02H_SetCurrentKeyMatrix(2); },
         {"0002020000000000"}, Bulk::None, 0, 0, kSettle, "cmd Failed 02"},
        {"553 03H", Family::F553, [](H &h, Args &) { h.hid553_03H_SetKeyboardoption(1, 2, 3, 4); },
         {"0003010203040000"}, Bulk::None, 0, 0, kUnsettled, "cmd Failed 03"},
        {"553 04H", Family::F553, [](H &h, Args &) { h.hid553_04H_SetGunData(1, 2, 3, 4); },
         {"0004000102030400"}, Bulk::None, 0, 0, kUnsettled, "cmd Failed 04"},
        {"553 07H", Family::F553, [](H &h, Args &) { h.hid553_07H_Lod(5, 1); },
         {"000700057d010000"}, Bulk::None, 0, 0, kSettle, "hid553_07H_Lod"},
        {"553 0BH", Family::F553, [](H &h, Args &) { h.hid553_0BH_SetCurrentDPI(2); },
         {"000b020000000000"}, Bulk::None, 0, 0, kSettle, "cmd Failed 0B"},
        {"553 0CH", Family::F553, [](H &h, Args &a) { h.hid553_0CH_SetFixLEDColor(a.data + 9); },
         {"000c0a0b0c000000"}, Bulk::None, 0, 0, kSettle, "cmd Failed 0C"},
        {"553 0DH", Family::F553, [](H &h, Args &) { h.hid553_0DH_SetRGBLedEffect(4, 5, 6); },
         {"000d040506000000"}, Bulk::None, 0, 0, kSettle, "cmd Failed 0D"},
        {"553 10H type 2", Family::F553, [](H &h, Args &a) { h.hid553_10H_SetLED8StageColor(2, a.data); },
         {"0010020400000000"}, Bulk::Output, 4, 4, uploadPauses(1), "cmd Failed 10"},
        {"553 10H type 1", Family::F553, [](H &h, Args &a) { h.hid553_10H_SetLED8StageColor(1, a.data); },
         {"0010011800000000"}, Bulk::Output, 24, 24, uploadPauses(1), "cmd Failed 10"},
        {"553 11H", Family::F553, [](H &h, Args &a) { h.hid553_11H_SetDPISet(3, a.data); },
         {"0011030800000000"}, Bulk::Output, 8, 8, uploadPauses(1), "cmd Failed 11"},
        {"553 12H", Family::F553, [](H &h, Args &a) { h.hid553_12H_SetKeyMatrix(a.data, 2); },
         {"0012024008000000"}, Bulk::Output, 64, 64, uploadPauses(2), "cmd Failed 12"},
        {"553 13H", Family::F553, [](H &h, Args &a) { h.hid553_13H_SetMacroKey(5, a.data); },
         {"0013058000000000"}, Bulk::Output, 128, 128, uploadPauses(4), "cmd Failed 13"},
        {"553 83H", Family::F553, [](H &h, Args &a) { h.hid553_83H_GetKeyboardoption(a.out[0], a.out[1], a.out[2], a.out[3]); },
         {"0083000000000000"}, Bulk::None, 0, 0, {}, "cmd Failed 83"},
        {"553 8BH", Family::F553, [](H &h, Args &a) { h.hid553_8BH_GetCurrentDPI(a.out[0]); },
         {"008b000000000000"}, Bulk::None, 0, 0, {}, "cmd Failed 8BH"},

        {"560 01H", Family::F560, [](H &h, Args &) { h.hid560_01H_SetKeyboardoption(1, 2); },
         {"0001010200000000"}, Bulk::None, 0, 0, kUnsettled, "cmd Failed 01"},
        {"560 02H", Family::F560, [](H &h, Args &) { h.hid560_02H_SetCurrentProfile(3); },
         {"0002030000000000"}, Bulk::None, 0, 0, kUnsettled, "cmd Failed 02"},
        {"560 03H", Family::F560, [](H &h, Args &) { h.hid560_03H_SetReportRate(7); },
         {"0003010700000000", "0003020700000000", "0003030700000000", "0003040700000000"}, Bulk::None, 0, 0,
         Pauses(8, 64), "cmd Failed 03"},
        {"560 04H", Family::F560, [](H &h, Args &) { h.hid560_04H_SetCurrentDPI(3); },
         {"0004010300000000", "0004020300000000", "0004030300000000", "0004040300000000"}, Bulk::None, 0, 0,
         Pauses(8, 64), "cmd Failed 04"},
        {"560 0CH", Family::F560, [](H &h, Args &a) { h.hid560_0CH_setProfile(a.data, 2); },
         {"000c028000000000"}, Bulk::Output, 128, 128, uploadPauses(4), "cmd Failed 0C"},
        {"560 0DH", Family::F560, [](H &h, Args &a) { h.hid560_0DH_SetKeyMatrix(a.data, 1); },
         {"000d018000000000"}, Bulk::Output, 128, 64, uploadPauses(4), "cmd Failed 0D"},
        {"560 0FH", Family::F560, [](H &h, Args &a) { h.hid560_0FH_SetMacroKey(4, a.data); },
         {"000f048000000000"}, Bulk::Output, 128, 128, uploadPauses(4), "cmd Failed 0F"},
        {"560 81H", Family::F560, [](H &h, Args &a) { h.hid560_81H_GetKeyboardoption(a.out[0], a.out[1]); },
         {"0081000000000000"}, Bulk::None, 0, 0, {}, "cmd Failed 81"},
        {"560 82H", Family::F560, [](H &h, Args &a) { h.hid560_82H_GetCurrentProfile(a.out[0]); },
         {"0082000000000000"}, Bulk::None, 0, 0, {}, "cmd Failed 82"},
        {"560 84H", Family::F560, [](H &h, Args &a) { a.out[0] = 1; h.hid560_84H_GetCurrentDPI(a.out[0], a.out[1]); },
         {"0084010000000000"}, Bulk::None, 0, 0, {}, "cmd Failed 84"},
        {"560 8CH", Family::F560, [](H &h, Args &a) { h.hid560_8CH_readProfile(a.data, 2); },
         {"008c020000000000"}, Bulk::Input, 128, 0, {}, "cmd Failed 8c"},
    };
    return all;
}

void addCaseRows(std::function<bool(const Case &)> keep = nullptr)
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("encoded");
    for (int i = 0; i < int(cases().size()); ++i) {
        if (keep && !keep(cases()[size_t(i)]))
            continue;
        QTest::addRow("%s plain", cases()[size_t(i)].name) << i << false;
        QTest::addRow("%s encoded", cases()[size_t(i)].name) << i << true;
    }
}

// A profile block of 128 distinct bytes for downloads.
vmouse::Bytes sampleBlock()
{
    vmouse::Bytes block(128);
    for (int i = 0; i < 128; ++i)
        block[size_t(i)] = uint8_t(0x80 + i);
    return block;
}

}  // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void featureReportsAndPauses_data() { addCaseRows(); }
    void featureReportsAndPauses()
    {
        QFETCH(int, row);
        QFETCH(bool, encoded);
        const Case &c = cases()[size_t(row)];
        Rig rig(mouseSpec(c.family, encoded));
        Args args;
        c.call(rig.hid, args);

        const auto sent = fixture::events({Kind::FeatureOut});
        QCOMPARE(sent.size(), c.reports.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            QCOMPARE(fixture::bytes(sent[i].plain).toHex(' '), withChecksum(c.reports[i]).toHex(' '));
            QVERIFY(sent[i].checksumOk);
            QCOMPARE(sent[i].wire != sent[i].plain, encoded);
        }
        QCOMPARE(rig.sleeper.pauses, c.pausesAt32);
        QVERIFY(rig.hid.hidIdle);
        QCOMPARE(vmouse::openHandles(), 0);
        QCOMPARE(rig.state().badChecksums, 0);
    }

    // Bulk data in reports of the report length: 4 bytes or 24 bytes in one report, 64 in two at 32 and one
    // at 64, 128 in four at 32 and two at 64; the caller's bytes first, zeros after (0DH: 64 zeros).
    void payloadReports_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("reportLength");
        for (int i = 0; i < int(cases().size()); ++i) {
            if (cases()[size_t(i)].bulk == Bulk::None)
                continue;
            for (int length : {32, 64})
                QTest::addRow("%s at %d", cases()[size_t(i)].name, length) << i << length;
        }
    }
    void payloadReports()
    {
        QFETCH(int, row);
        QFETCH(int, reportLength);
        const Case &c = cases()[size_t(row)];
        Rig rig(mouseSpec(c.family, true, reportLength));
        vmouse::setProfileBlock(rig.device, 2, sampleBlock());
        Args args;
        std::fill(args.data + c.fromCaller, args.data + 128, 0xAA);   // must never travel
        c.call(rig.hid, args);

        const auto reports = fixture::events({c.bulk == Bulk::Output ? Kind::Output : Kind::Input});
        const int pieces = (c.payload + reportLength - 1) / reportLength;
        QCOMPARE(int(reports.size()), pieces);
        QByteArray carried;
        for (const auto &r : reports) {
            QByteArray bytes = fixture::bytes(r.wire);
            if (c.bulk == Bulk::Output) {
                QCOMPARE(bytes.size(), reportLength + 1);
                QCOMPARE(bytes.at(0), '\0');
                bytes.remove(0, 1);
            }
            carried += bytes.left(qMin(c.payload, reportLength));
        }
        if (c.bulk == Bulk::Output) {
            QByteArray want = fixture::bytes(args.data, c.fromCaller) + QByteArray(c.payload - c.fromCaller, '\0');
            QCOMPARE(carried.toHex(' '), want.toHex(' '));
        } else {
            QCOMPARE(fixture::bytes(args.data, 128), fixture::bytes(sampleBlock()));
        }
    }

    void busyTransportSendsNothing_data() { addCaseRows(); }
    void busyTransportSendsNothing()
    {
        QFETCH(int, row);
        QFETCH(bool, encoded);
        const Case &c = cases()[size_t(row)];
        Rig rig(mouseSpec(c.family, encoded));
        MessageCapture messages;
        rig.hid.hidIdle = false;
        Args args;
        c.call(rig.hid, args);
        QCOMPARE(messages.messages(), QStringList{c.busy});
        QVERIFY(vmouse::log().empty());
        QCOMPARE(rig.sleeper.pauses, Pauses(255, 8));
        QCOMPARE(fixture::bytes(args.out, 4).left(1).toHex(), QByteArray(c.name == std::string("560 84H") ? "01" : "51"));
        QCOMPARE(fixture::bytes(args.data, 128), fixture::bytes(Args().data, 128));
    }

    // Read commands hand back what the device said, or the caller's own values when the exchange fails
    // (00H: zeros).
    void readResults_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("00H answered") << "00" << false << QByteArray::fromHex("51525354");
        QTest::newRow("00H failed") << "00" << true << QByteArray::fromHex("00000000");
        QTest::newRow("83H answered") << "83" << false << QByteArray::fromHex("01020341");
        QTest::newRow("83H failed") << "83" << true << QByteArray::fromHex("51525354");
        QTest::newRow("8BH answered") << "8B" << false << QByteArray::fromHex("06525354");
        QTest::newRow("8BH failed") << "8B" << true << QByteArray::fromHex("51525354");
        QTest::newRow("81H answered") << "81" << false << QByteArray::fromHex("09025354");
        QTest::newRow("81H failed") << "81" << true << QByteArray::fromHex("51525354");
        QTest::newRow("82H answered") << "82" << false << QByteArray::fromHex("04525354");
        QTest::newRow("82H failed") << "82" << true << QByteArray::fromHex("51525354");
        QTest::newRow("84H answered") << "84" << false << QByteArray::fromHex("01065354");
        QTest::newRow("84H failed") << "84" << true << QByteArray::fromHex("01525354");
    }
    void readResults()
    {
        QFETCH(QString, command);
        QFETCH(bool, fails);
        QFETCH(QByteArray, expected);
        const bool is560 = command == "81" || command == "82" || command == "84";
        Rig rig(mouseSpec(is560 ? Family::F560 : Family::F553, true));
        auto state = rig.state();
        state.options553 = {1, 2, 3, 0x41};
        state.options560 = {9, 2};
        state.currentDpiStage = 6;
        state.currentProfile = 4;
        vmouse::setState(rig.device, state);
        if (fails)
            vmouse::injectFault(vmouse::Fn::GetFeature, 1);
        Args a;
        if (command == "00") rig.hid.hid553_00H_GetSecrecyCode(a.out[0], a.out[1], a.out[2], a.out[3]);
        if (command == "83") rig.hid.hid553_83H_GetKeyboardoption(a.out[0], a.out[1], a.out[2], a.out[3]);
        if (command == "8B") rig.hid.hid553_8BH_GetCurrentDPI(a.out[0]);
        if (command == "81") rig.hid.hid560_81H_GetKeyboardoption(a.out[0], a.out[1]);
        if (command == "82") rig.hid.hid560_82H_GetCurrentProfile(a.out[0]);
        if (command == "84") {
            a.out[0] = 1;
            rig.hid.hid560_84H_GetCurrentDPI(a.out[0], a.out[1]);
        }
        QCOMPARE(fixture::bytes(a.out, 4).toHex(' '), expected.toHex(' '));
        QVERIFY(rig.hid.hidIdle);
    }

    void seriesSendsOnlyTheFirstReportOnGunDevices()
    {
        for (bool gun : {false, true}) {
            Rig rig(mouseSpec(Family::F560, false));
            rig.traits.gun = gun;
            rig.hid.hid560_04H_SetCurrentDPI(3);
            rig.hid.hid560_03H_SetReportRate(2);
            const auto sent = fixture::events({Kind::FeatureOut});
            QCOMPARE(int(sent.size()), gun ? 2 : 8);
            QCOMPARE(int(sent.front().plain.at(2)), 1);
            QCOMPARE(rig.state().seriesDpiStage.size(), size_t(gun ? 1 : 4));
            QCOMPARE(rig.state().seriesReportRate.at(1), uint8_t(2));
            QCOMPARE(rig.sleeper.pauses, Pauses(gun ? 4 : 16, 64));
        }
    }

    void uploadsReachTheDevice()
    {
        Rig rig(mouseSpec(Family::F553, true));
        Args a;
        rig.hid.hid553_12H_SetKeyMatrix(a.data, 2);
        rig.hid.hid553_13H_SetMacroKey(5, a.data);
        rig.hid.hid553_11H_SetDPISet(3, a.data);
        rig.hid.hid553_07H_Lod(9, 1);
        const auto s = rig.state();
        QCOMPARE(fixture::bytes(s.keyMatrices.at(2)), fixture::bytes(a.data, 64));
        QCOMPARE(fixture::bytes(s.macros.at(5)), fixture::bytes(a.data, 128));
        QCOMPARE(fixture::bytes(s.dpiTables.at(3)), fixture::bytes(a.data, 8));
        QCOMPARE(int(s.lodStage), 9);
        QCOMPARE(int(s.lodEnable), 1);
    }

    // A device that sends only part of a profile: the pieces that arrived replace the caller's bytes, the
    // rest keep them, and the program does not hang.
    void partialProfileDownload()
    {
        Rig rig(mouseSpec(Family::F560, true));
        vmouse::setProfileBlock(rig.device, 1, sampleBlock());
        vmouse::limitDownloadReports(rig.device, 2);
        Args a;
        rig.hid.hid560_8CH_readProfile(a.data, 1);
        QCOMPARE(fixture::bytes(a.data, 64), fixture::bytes(sampleBlock()).left(64));
        QCOMPARE(fixture::bytes(a.data + 64, 64), fixture::bytes(Args().data + 64, 64));
        QVERIFY(rig.hid.hidIdle);
    }

    void missingBuffersSendNothing()
    {
        Rig rig(mouseSpec(Family::F553, false));
        rig.hid.hid553_0CH_SetFixLEDColor(nullptr);
        rig.hid.hid553_13H_SetMacroKey(1, nullptr);
        rig.hid.hid560_8CH_readProfile(nullptr, 0);
        QVERIFY(vmouse::log().empty());
        QVERIFY(rig.hid.hidIdle);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
