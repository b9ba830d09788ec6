// SPDX-License-Identifier: GPL-3.0-or-later
// The transport against the virtual mouse: opens, feature reports, bulk payload splitting, pauses, the
// busy gate and every way a transfer can fail.

#include "framing.h"
#include "message_capture.h"
#include "rig.h"

#include <QTest>
#include <QTimer>

using vmouse::Fault;
using vmouse::Fn;
using vmouse::Kind;
using Pauses = std::vector<int>;

namespace {

void setOutReport(Hid_Thread &hid, uint8_t code, std::initializer_list<uint8_t> params)
{
    const frame::Report r = frame::buildReport(code, params);
    std::copy(r.begin(), r.end(), hid.outReport);
}

// Payload bytes 1, 2, 3 ... and 0xEE beyond the payload, so a report that carried stale buffer bytes
// instead of zeros would show it.
void fillPayload(Hid_Thread &hid, int length)
{
    std::fill(std::begin(hid.payloadBuffer), std::end(hid.payloadBuffer), 0xEE);
    for (int i = 0; i < length; ++i)
        hid.payloadBuffer[i] = uchar(i + 1);
}

Pauses repeated(int ms, int times)
{
    return Pauses(size_t(times), ms);
}

Pauses concat(std::initializer_list<Pauses> parts)
{
    Pauses all;
    for (const Pauses &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void missingPathOrIndexCallsNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("clearPath");
        QTest::newRow("empty command path") << 0 << true;
        QTest::newRow("index past the list") << 1 << false;
        QTest::newRow("negative index") << -1 << false;
    }
    void missingPathOrIndexCallsNothing()
    {
        QFETCH(int, index);
        QFETCH(bool, clearPath);
        Rig rig;
        if (clearPath)
            rig.entry().commandPath.clear();
        rig.hid.currentDeviceIndex = index;
        setOutReport(rig.hid, 0x0B, {2});
        for (int payload : {0, 64}) {
            rig.hid.hidIdle = false;
            QVERIFY(!rig.hid.writeReport(payload, true));
            QVERIFY(rig.hid.hidIdle);
            rig.hid.hidIdle = false;
            QVERIFY(!rig.hid.readReport(payload));
            QVERIFY(rig.hid.hidIdle);
        }
        QCOMPARE(vmouse::callCount(Fn::OpenPath), 0);
        QVERIFY(vmouse::log().empty());
        QVERIFY(rig.sleeper.pauses.empty());
        QVERIFY(!rig.hid.openCommandInterface(index));
    }

    void featureReportAlone()
    {
        Rig rig(mouseSpec(vmouse::Family::F553, false));
        setOutReport(rig.hid, 0x0B, {2});
        QVERIFY(rig.hid.writeReport(0, true));
        QCOMPARE(fixture::kindSequence(), QString("open close open feature-out close"));
        const auto sent = fixture::events({Kind::FeatureOut});
        QCOMPARE(fixture::bytes(sent.at(0).wire), QByteArray::fromHex("000b020000000000f2"));
        QCOMPARE(rig.sleeper.pauses, Pauses({64, 64}));
        QCOMPARE(rig.state().currentDpiStage, uint8_t(2));
        QVERIFY(rig.hid.hidIdle);
        QCOMPARE(vmouse::openHandles(), 0);
    }

    // Every bulk report: a fresh open before it, report id 0, the piece, zeros to the report length, and
    // 120 ms after it (the last one included); the settle wait after the feature report and the payload.
    void payloadSplitting_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("payloadLength");
        QTest::addColumn<bool>("settle");
        QTest::addColumn<int>("reports");
        for (bool settle : {true, false}) {
            const char *s = settle ? "settled" : "unsettled";
            QTest::addRow("8 bytes at 32, %s", s) << 32 << 8 << settle << 1;
            QTest::addRow("64 bytes at 32, %s", s) << 32 << 64 << settle << 2;
            QTest::addRow("128 bytes at 32, %s", s) << 32 << 128 << settle << 4;
            QTest::addRow("8 bytes at 64, %s", s) << 64 << 8 << settle << 1;
            QTest::addRow("64 bytes at 64, %s", s) << 64 << 64 << settle << 1;
            QTest::addRow("128 bytes at 64, %s", s) << 64 << 128 << settle << 2;
            // The last report is only partly payload: zeros after it, not the report before's bytes.
            QTest::addRow("24 bytes at 16, %s", s) << 16 << 24 << settle << 2;
            QTest::addRow("100 bytes at 32, %s", s) << 32 << 100 << settle << 4;
        }
    }
    void payloadSplitting()
    {
        QFETCH(int, reportLength);
        QFETCH(int, payloadLength);
        QFETCH(bool, settle);
        QFETCH(int, reports);
        Rig rig(mouseSpec(vmouse::Family::F553, true, reportLength));
        setOutReport(rig.hid, 0x13, {3, uint8_t(payloadLength)});   // macro upload announcing the length
        fillPayload(rig.hid, payloadLength);

        QVERIFY(rig.hid.writeReport(payloadLength, settle));

        QString expected = "open close open feature-out";
        for (int i = 0; i < reports; ++i)
            expected += " close open output";
        QCOMPARE(fixture::kindSequence(), expected + " close");

        const int settleMs = settle ? 128 : 0;
        const auto outputs = fixture::events({Kind::Output});
        QCOMPARE(int(outputs.size()), reports);
        const int piece = qMin(payloadLength, reportLength);
        for (int i = 0; i < reports; ++i) {
            QByteArray want(reportLength + 1, '\0');
            for (int j = 0; j < piece && i * piece + j < payloadLength; ++j)
                want[1 + j] = char(i * piece + j + 1);
            QCOMPARE(fixture::bytes(outputs[size_t(i)].wire), want);
            QCOMPARE(outputs[size_t(i)].timeMs, settleMs + 120 * i);
        }
        const Pauses settlePauses = settle ? Pauses{64, 64} : Pauses{};
        QCOMPARE(rig.sleeper.pauses, concat({settlePauses, repeated(120, reports), settlePauses}));
        QCOMPARE(vmouse::log().back().timeMs, 2 * settleMs + 120 * reports);

        QCOMPARE(fixture::bytes(rig.state().macros.at(3)), fixture::bytes(rig.hid.payloadBuffer, payloadLength));
        QVERIFY(rig.hid.hidIdle);
        QCOMPARE(vmouse::openHandles(), 0);
    }

    void commandBlockIsScrambledForEncodedDevices_data()
    {
        QTest::addColumn<bool>("encoded");
        QTest::newRow("encoded") << true;
        QTest::newRow("plain") << false;
    }
    void commandBlockIsScrambledForEncodedDevices()
    {
        QFETCH(bool, encoded);
        Rig rig(mouseSpec(vmouse::Family::F553, encoded));
        setOutReport(rig.hid, 0x0B, {4});
        QVERIFY(rig.hid.writeReport(0, false));
        const auto sent = fixture::events({Kind::FeatureOut}).at(0);
        QCOMPARE(fixture::bytes(sent.plain), QByteArray::fromHex("000b040000000000f0"));
        QCOMPARE(sent.wire == sent.plain, !encoded);
        QCOMPARE(sent.wire.at(0), uint8_t(0));   // the report id is never scrambled
        QVERIFY(sent.checksumOk);
        QCOMPARE(rig.state().currentDpiStage, uint8_t(4));
    }

    void readReportUnscramblesOnlyWithoutPayload()
    {
        {
            Rig rig(mouseSpec(vmouse::Family::F553, true));
            auto s = rig.state();
            s.currentDpiStage = 5;
            vmouse::setState(rig.device, s);
            setOutReport(rig.hid, 0x8B, {});
            QVERIFY(rig.hid.readReport(0));
            QCOMPARE(fixture::bytes(rig.hid.inReport, 9), QByteArray::fromHex("008b0500000000006f"));
            QCOMPARE(fixture::kindSequence(), QString("open close open feature-out close open feature-in close"));
        }
        {
            Rig rig(mouseSpec(vmouse::Family::F560, true));
            vmouse::Bytes block(128);
            for (int i = 0; i < 128; ++i)
                block[size_t(i)] = uint8_t(200 - i);
            vmouse::setProfileBlock(rig.device, 2, block);
            setOutReport(rig.hid, 0x8C, {2});
            QVERIFY(rig.hid.readReport(128));
            const auto answer = fixture::events({Kind::FeatureIn}).at(0);
            QCOMPARE(fixture::bytes(rig.hid.inReport, 9), fixture::bytes(answer.wire));   // left as received
            QVERIFY(answer.wire != answer.plain);
            QCOMPARE(fixture::bytes(rig.hid.payloadBuffer, 128), fixture::bytes(block));
            QCOMPARE(int(fixture::events({Kind::Input}).size()), 4);
            // One handle from the command to the last input report: closing it would drop the reports.
            QCOMPARE(fixture::kindSequence(),
                     QString("open close open feature-out feature-in input input input input close"));
            QVERIFY(rig.sleeper.pauses.empty());
        }
    }

    void waitHidIdleProcessesEventsBetweenPolls()
    {
        Rig rig;
        rig.hid.hidIdle = false;
        QTimer::singleShot(0, [&] { rig.hid.hidIdle = true; });
        QVERIFY(rig.hid.waitHidIdle());
        QVERIFY(!rig.hid.hidIdle);
        QCOMPARE(rig.sleeper.pauses, Pauses({8}));
    }

    void busyTransportGivesUpAfter255Polls()
    {
        Rig rig;
        MessageCapture messages;
        rig.hid.hidIdle = false;
        uchar b[4] = {9, 8, 7, 6};
        rig.hid.hid553_00H_GetSecrecyCode(b[0], b[1], b[2], b[3]);
        QCOMPARE(rig.sleeper.pauses, repeated(8, 255));
        QVERIFY(messages.contains("cmd Failed 00"));
        QVERIFY(vmouse::log().empty());
        QCOMPARE(fixture::bytes(b, 4), QByteArray::fromHex("09080706"));
        QVERIFY(!rig.hid.hidIdle);   // still held by the other command
    }

    // A second command started from the event processing inside the first command's transfer waits its
    // 255 polls and gives up; the first completes normally.
    void nestedCommandGivesUpAndFirstCompletes()
    {
        Rig rig(mouseSpec(vmouse::Family::F553, false));
        MessageCapture messages;
        uchar b[4] = {1, 2, 3, 4};
        QTimer::singleShot(0, [&] { rig.hid.hid553_00H_GetSecrecyCode(b[0], b[1], b[2], b[3]); });
        QVERIFY(rig.hid.waitHidIdle());
        setOutReport(rig.hid, 0x0B, {3});
        QVERIFY(rig.hid.writeReport(0, true));
        QVERIFY(messages.contains("cmd Failed 00"));
        QCOMPARE(rig.sleeper.pauses, concat({repeated(8, 255), {64, 64}}));
        const auto sent = fixture::events({Kind::FeatureOut});
        QCOMPARE(int(sent.size()), 1);
        QCOMPARE(sent[0].plain.at(1), uint8_t(0x0B));
        QVERIFY(rig.hid.hidIdle);
    }

    // A transfer that fails at any of its opens (the device unplugged there): false, the path emptied,
    // the transport free, nothing left open, and the entry unusable without a further hidapi call.
    void unpluggedAtEveryOpen_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("opens");   // opens of a successful transfer
        QTest::newRow("write 128 at 32") << false << 6;
        QTest::newRow("read 0") << true << 3;
        QTest::newRow("read 128 at 32") << true << 2;   // a download keeps its handle
    }
    void unpluggedAtEveryOpen()
    {
        QFETCH(bool, read);
        QFETCH(int, opens);
        for (int nth = 1; nth <= opens; ++nth) {
            Rig rig(mouseSpec(vmouse::Family::F560, false));
            vmouse::injectFault(Fn::OpenPath, nth, Fault::Unplug);
            setOutReport(rig.hid, read ? 0x8C : 0x0C, {0, 128});
            rig.hid.hidIdle = false;
            const bool ok = read ? rig.hid.readReport(opens == 3 ? 0 : 128) : rig.hid.writeReport(128, true);
            QVERIFY2(!ok, qPrintable(QString("open %1").arg(nth)));
            QVERIFY(rig.entry().commandPath.isEmpty());
            QVERIFY(rig.hid.hidIdle);
            QCOMPARE(vmouse::openHandles(), 0);
            const int callsBefore = vmouse::callCount(Fn::OpenPath);
            QVERIFY(!rig.hid.writeReport(0, true));
            QCOMPARE(vmouse::callCount(Fn::OpenPath), callsBefore);
        }
    }

    // A report call that fails: false, the transport free, nothing open, the path kept (the interface
    // itself could be opened).
    void failingReportCalls_data()
    {
        QTest::addColumn<int>("fn");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("read");
        QTest::newRow("feature out fails, write") << int(Fn::SendFeature) << 1 << int(Fault::Fail) << false;
        QTest::newRow("first bulk report fails") << int(Fn::Write) << 1 << int(Fault::Fail) << false;
        QTest::newRow("last bulk report fails") << int(Fn::Write) << 4 << int(Fault::Fail) << false;
        QTest::newRow("feature out fails, read") << int(Fn::SendFeature) << 1 << int(Fault::Fail) << true;
        QTest::newRow("feature in fails") << int(Fn::GetFeature) << 1 << int(Fault::Fail) << true;
        QTest::newRow("bulk read fails") << int(Fn::Read) << 2 << int(Fault::Fail) << true;
        QTest::newRow("bulk read times out") << int(Fn::Read) << 3 << int(Fault::Timeout) << true;
        QTest::newRow("bulk read short") << int(Fn::Read) << 2 << int(Fault::Short) << true;
        QTest::newRow("unplugged at the feature report") << int(Fn::SendFeature) << 1 << int(Fault::Unplug) << false;
        QTest::newRow("unplugged at a bulk read") << int(Fn::Read) << 1 << int(Fault::Unplug) << true;
    }
    void failingReportCalls()
    {
        QFETCH(int, fn);
        QFETCH(int, nth);
        QFETCH(int, fault);
        QFETCH(bool, read);
        Rig rig(mouseSpec(vmouse::Family::F560, false));
        vmouse::injectFault(Fn(fn), nth, Fault(fault));
        setOutReport(rig.hid, read ? 0x8C : 0x0C, {1, 128});
        fillPayload(rig.hid, 128);
        rig.hid.hidIdle = false;
        QVERIFY(!(read ? rig.hid.readReport(128) : rig.hid.writeReport(128, true)));
        QVERIFY(rig.hid.hidIdle);
        QCOMPARE(vmouse::openHandles(), 0);
        QVERIFY(!rig.entry().commandPath.isEmpty());
        QCOMPARE(vmouse::log().back().kind, Kind::Close);
    }

    void stalledDeviceFailsAtOnce()
    {
        vmouse::DeviceSpec spec = mouseSpec(vmouse::Family::F553, false);
        spec.stalls = true;
        Rig rig(spec);
        setOutReport(rig.hid, 0x8B, {});
        QVERIFY(!rig.hid.readReport(0));
        QVERIFY(!rig.hid.writeReport(0, true));
        QVERIFY(rig.hid.hidIdle);
        QVERIFY(rig.sleeper.pauses.empty());
    }

    // A device that stops sending in the middle of a download: the read is bounded (asked to wait a
    // second), the transfer fails when it expires, and the pieces that did arrive are in the buffer.
    void bulkReadIsBounded()
    {
        Rig rig(mouseSpec(vmouse::Family::F560, false));
        vmouse::Bytes block(128, 0x5A);
        vmouse::setProfileBlock(rig.device, 0, block);
        vmouse::limitDownloadReports(rig.device, 2);
        vmouse::injectFault(vmouse::Fn::Read, 3, vmouse::Fault::Timeout);   // the third read's wait expires
        std::fill(std::begin(rig.hid.payloadBuffer), std::end(rig.hid.payloadBuffer), 0x11);
        setOutReport(rig.hid, 0x8C, {0});
        QVERIFY(!rig.hid.readReport(128));
        QCOMPARE(vmouse::lastReadWait(), 1000);
        QCOMPARE(vmouse::callCount(vmouse::Fn::Read), 3);
        QCOMPARE(fixture::bytes(rig.hid.payloadBuffer, 64), QByteArray(64, 0x5A));
        QCOMPARE(fixture::bytes(rig.hid.payloadBuffer + 64, 64), QByteArray(64, 0x11));
        QVERIFY(rig.hid.hidIdle);
    }

    // A report length that could never advance through a payload must not hang the transfer.
    void unusableReportLengthFallsBackTo32()
    {
        for (int length : {0, -5, 100000}) {
            Rig rig(mouseSpec(vmouse::Family::F553, false));
            rig.entry().reportLength = length;
            setOutReport(rig.hid, 0x13, {0, 64});
            fillPayload(rig.hid, 64);
            QVERIFY(rig.hid.writeReport(64, false));
            const auto outputs = fixture::events({Kind::Output});
            QCOMPARE(int(outputs.size()), 2);
            QCOMPARE(int(outputs[0].wire.size()), 33);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
