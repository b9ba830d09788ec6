// SPDX-License-Identifier: GPL-3.0-or-later
// The device listener against the virtual mouse, with real threads: the option exchange at start,
// DPI-switch reports reaching the user interface in order on the GUI thread, removal, and stopping. How
// long the job may take to notice a removal or a stop is the wait its reads ask of hidapi, asserted as
// asked; the tests wait on conditions, never on the clock.

#include "dpi_switch_message.h"
#include "listener_sink.h"
#include "message_capture.h"
#include "rig.h"

#include <QCoreApplication>
#include <QMutex>
#include <QTest>

using vmouse::Family;
using vmouse::Kind;

namespace {

// Records the listener's effects, and whether any arrived off the GUI thread.
class RecordingSink final : public ListenerSink
{
public:
    void setCurrentDPI(int stage) override { note(QStringLiteral("dpi %1").arg(stage)); }
    void showMessage(const QString &title, const QString &text, int milliseconds) override
    {
        note(QStringLiteral("tray %1|%2|%3").arg(title, text).arg(milliseconds));
    }
    void setViewEnabled(bool enabled) override { note(enabled ? "enabled" : "disabled"); }
    // The language's texts, chosen by the rule the host window uses.
    QString dpiSwitchText(int stage) const override { return dpiSwitchMessage(texts, stage); }

    QStringList texts{"t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8"};

    QStringList calls;
    bool offGuiThread = false;

private:
    void note(const QString &call)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            offGuiThread = true;
        calls << call;
    }
};

struct ListenRig : Rig
{
    explicit ListenRig(Family family = Family::F553) : Rig(mouseSpec(family, true)) { hid.setListenerSink(&sink); }
    ~ListenRig()
    {
        hid.stopListening();
        vmouse::unplug(device);   // ends a waiting read at once
        hid.listenJob.waitForFinished();
    }
    RecordingSink sink;
};

QByteArray optionReports()
{
    QByteArray codes;
    for (const auto &e : fixture::events({Kind::FeatureOut}))
        codes += fixture::bytes(e.plain).mid(1, 5);
    return codes.toHex(' ');
}

}  // namespace

class TestListener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        hid_init();
    }

    void optionBitIsSetAtStart_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QByteArray>("reports");   // code and p1..p4 of each feature report
        QTest::newRow("553: fourth byte 0x01 becomes 0x41") << int(Family::F553) << QByteArray("83 00 00 00 00 03 10 20 30 41");
        QTest::newRow("560: first byte gets 0x08") << int(Family::F560) << QByteArray("81 00 00 00 00 01 09 02 00 00");
    }
    void optionBitIsSetAtStart()
    {
        QFETCH(int, family);
        QFETCH(QByteArray, reports);
        ListenRig rig{Family(family)};
        auto s = rig.state();
        s.options553 = {0x10, 0x20, 0x30, 0x01};
        s.options560 = {0x01, 0x02};
        vmouse::setState(rig.device, s);
        rig.hid.startListening(0);
        QVERIFY(rig.hid.listenerRunning);
        QCOMPARE(optionReports(), reports);
        QCOMPARE(rig.sleeper.pauses, std::vector<int>{8});
        QCOMPARE(rig.state().options553[3], uint8_t(Family(family) == Family::F553 ? 0x41 : 0x01));
        QCOMPARE(rig.state().options560[0], uint8_t(Family(family) == Family::F560 ? 0x09 : 0x01));
    }

    // A failed read of the options writes nothing back: its bytes would not be the device's.
    void failedOptionReadWritesNothing()
    {
        ListenRig rig;
        vmouse::injectFault(vmouse::Fn::GetFeature, 1);
        rig.hid.startListening(0);
        QCOMPARE(optionReports(), QByteArray("83 00 00 00 00"));
        QVERIFY(rig.hid.listenerRunning);
    }

    // Each report is followed by a marker report (stage 1), so the test knows when the listener has seen it.
    void dpiReports_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QStringList>("effects");
        QTest::newRow("stage 3") << QByteArray::fromHex("06070003") << QStringList{"dpi 3", "tray Info|t3 |10000"};
        QTest::newRow("stage 7") << QByteArray::fromHex("06070007") << QStringList{"dpi 7", "tray Info|t7 |10000"};
        QTest::newRow("stage 0") << QByteArray::fromHex("06070000") << QStringList{"dpi 0", "tray Info|t8 |10000"};
        QTest::newRow("stage 9") << QByteArray::fromHex("06070009") << QStringList{"dpi 9", "tray Info|t8 |10000"};
        QTest::newRow("byte 2 not examined") << QByteArray::fromHex("0607ff02") << QStringList{"dpi 2", "tray Info|t2 |10000"};
        QTest::newRow("other kind") << QByteArray::fromHex("06080003") << QStringList{};
        QTest::newRow("other report") << QByteArray::fromHex("01070003") << QStringList{};
        QTest::newRow("three bytes") << QByteArray::fromHex("060700") << QStringList{};
    }
    void dpiReports()
    {
        QFETCH(QByteArray, report);
        QFETCH(QStringList, effects);
        ListenRig rig;
        rig.hid.startListening(0);
        vmouse::pushInput(rig.device, 2, vmouse::Bytes(report.begin(), report.end()));
        vmouse::pushInput(rig.device, 2, {0x06, 0x07, 0x00, 0x01});
        const QStringList marker{"dpi 1", "tray Info|t1 |10000"};
        QTRY_COMPARE_WITH_TIMEOUT(rig.sink.calls, effects + marker, 3000);
        QVERIFY(!rig.sink.offGuiThread);
    }

    void manyReportsKeepTheirOrder()
    {
        ListenRig rig;
        rig.hid.startListening(0);
        for (uint8_t v : {4, 2, 5})
            vmouse::pushDpiSwitch(rig.device, v);
        QTRY_COMPARE_WITH_TIMEOUT(rig.sink.calls.size(), 6, 3000);
        QCOMPARE(rig.sink.calls[0], QString("dpi 4"));
        QCOMPARE(rig.sink.calls[2], QString("dpi 2"));
        QCOMPARE(rig.sink.calls[4], QString("dpi 5"));
    }

    // Each read waits at most half a second, and the job finds the device gone at its next open.
    void unplugIsNoticedWithinHalfASecond()
    {
        ListenRig rig;
        MessageCapture messages;
        rig.hid.startListening(0);
        QTRY_VERIFY(vmouse::callCount(vmouse::Fn::Read) >= 1);   // the job is reading
        QCOMPARE(vmouse::lastReadWait(), 500);
        vmouse::unplug(rig.device);
        QTRY_COMPARE_WITH_TIMEOUT(rig.sink.calls, QStringList{"disabled"}, 2000);
        QVERIFY(!rig.hid.listenerRunning);
        QVERIFY(rig.entry().listenPath.isEmpty());
        QVERIFY(messages.contains("Device removed"));
        QVERIFY(rig.hid.listenJob.isFinished());
    }

    // The job sees the stop when its read returns, within the half second the read asked for.
    void stopWhileAReadWaits()
    {
        ListenRig rig;
        rig.hid.startListening(0);
        QTRY_VERIFY(vmouse::callCount(vmouse::Fn::Read) >= 1);
        rig.hid.stopListening();
        rig.hid.listenJob.waitForFinished();
        QCOMPARE(vmouse::lastReadWait(), 500);
        QVERIFY(rig.sink.calls.isEmpty());
        QCOMPARE(vmouse::openHandles(), 0);
    }

    // Nothing to listen on: the flag must not stay set, or no discovery pass would ever run again.
    void missingListenInterfaceLeavesTheFlagClear()
    {
        ListenRig rig;
        rig.entry().listenPath.clear();
        rig.hid.startListening(0);
        QVERIFY(!rig.hid.listenerRunning);
        QVERIFY(rig.hid.listenJob.isFinished());
        rig.hid.startListening(5);   // an index outside the list
        QVERIFY(!rig.hid.listenerRunning);
    }

    void restartingReplacesThePreviousJob()
    {
        ListenRig rig;
        rig.hid.startListening(0);
        rig.hid.startListening(0);
        vmouse::pushDpiSwitch(rig.device, 3);
        vmouse::pushDpiSwitch(rig.device, 1);   // a marker: its effects come after any of the first report's
        QTRY_COMPARE_WITH_TIMEOUT(rig.sink.calls.size(), 4, 3000);
        // One job saw them, in order, each once.
        QCOMPARE(rig.sink.calls, QStringList({"dpi 3", "tray Info|t3 |10000", "dpi 1", "tray Info|t1 |10000"}));
    }

    // The device object waits for its job before it goes away.
    void destroyingTheDeviceObjectWaitsForTheJob()
    {
        SimReset reset;
        const int device = vmouse::addDevice(mouseSpec(Family::F553, false));
        RecordingSink sink;
        {
            Hid_Thread hid;
            hid.deviceList = {fixture::entryFor(device, mouseSpec(Family::F553, false))};
            hid.setListenerSink(&sink);
            hid.startListening(0);
            QTRY_VERIFY(vmouse::callCount(vmouse::Fn::Read) >= 1);
        }
        QCOMPARE(vmouse::lastReadWait(), 500);   // the wait for the job lasts one read at most
        QCOMPARE(vmouse::openHandles(), 0);
    }
};

QTEST_GUILESS_MAIN(TestListener)
#include "tst_listener.moc"
