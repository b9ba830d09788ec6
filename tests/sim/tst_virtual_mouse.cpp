// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual mouse on its own, through hidapi's API: enumeration, handles, the device side of feature
// reports, bulk counting, input reports, fault injection and the log.

#include "cipher.h"
#include "framing.h"
#include "sim_fixture.h"

#include <hidapi.h>

#include <QElapsedTimer>
#include <QTest>

#include <cerrno>
#include <thread>

using namespace vmouse;

namespace {

struct Found
{
    std::string path;
    unsigned short usagePage, usage;
    int interfaceNumber;
};

std::vector<Found> enumerate(unsigned short vid, unsigned short pid)
{
    std::vector<Found> out;
    hid_device_info *all = hid_enumerate(vid, pid);
    for (hid_device_info *i = all; i; i = i->next)
        out.push_back({i->path, i->usage_page, i->usage, i->interface_number});
    hid_free_enumeration(all);
    return out;
}

std::array<uint8_t, 8> codeBytes(const std::string &six)
{
    std::array<uint8_t, 8> code{};
    for (size_t i = 0; i < 6; ++i)
        code[i + 1] = uint8_t(six[i]);
    return code;
}

// Sends a command the way the program does (scrambled when `code` is given) and returns the plain answer.
frame::Report exchange(hid_device *dev, frame::Report report, const std::array<uint8_t, 8> *code)
{
    if (code)
        cipher::scramble(report.data() + 1, code->data());
    if (hid_send_feature_report(dev, report.data(), report.size()) < 0)
        return {};
    frame::Report answer{};
    if (hid_get_feature_report(dev, answer.data(), answer.size()) != 9)
        return {};
    if (code)
        cipher::unscramble(answer.data() + 1, code->data());
    return answer;
}

hid_device *openCommand(int device)
{
    return hid_open_path(pathOf(device, 1).c_str());
}

}  // namespace

class TestVirtualMouse : public QObject
{
    Q_OBJECT

private slots:
    void init() { reset(); }

    void enumerationFiltersByIds()
    {
        DeviceSpec a = demoMouse();
        DeviceSpec b = demoMouse();
        b.pid = 0x0001;
        b.interfaces = {{0, Role::Command, {{0xFF00, 0xFF00}, {0xFF01, 0xFF01}}}};
        const int ida = addDevice(a);
        const int idb = addDevice(b);

        QCOMPARE(int(enumerate(kDemoVid, kDemoPid).size()), 3);
        QCOMPARE(int(enumerate(kDemoVid, 0).size()), 5);
        QCOMPARE(int(enumerate(0, 0).size()), 5);
        QCOMPARE(int(enumerate(0x1234, 0).size()), 0);

        // Two top-level collections on one interface: two entries with the same path.
        const auto both = enumerate(kDemoVid, 0x0001);
        QCOMPARE(int(both.size()), 2);
        QCOMPARE(both[0].path, both[1].path);
        QCOMPARE(both[1].usagePage, 0xFF01);

        unplug(ida);
        QCOMPARE(int(enumerate(0, 0).size()), 2);
        replug(ida);
        QCOMPARE(enumerate(kDemoVid, kDemoPid)[1].path, pathOf(ida, 1));
        Q_UNUSED(idb);
    }

    void handlesDieWithTheDevice()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *dev = openCommand(id);
        QVERIFY(dev);
        QCOMPARE(openHandles(), 1);
        QVERIFY(!hid_open_path("vmouse:99:1"));
        QVERIFY(!hid_open_path(pathOf(id, 7).c_str()));
        QVERIFY(!hid_open_path("/dev/hidraw0"));

        unplug(id);
        const auto report = frame::buildReport(0x0B, {2});
        QCOMPARE(hid_send_feature_report(dev, report.data(), report.size()), -1);
        QVERIFY(!openCommand(id));
        replug(id);
        QCOMPARE(hid_send_feature_report(dev, report.data(), report.size()), -1);   // an old handle stays dead
        hid_close(dev);

        dev = openCommand(id);
        QCOMPARE(hid_send_feature_report(dev, report.data(), report.size()), 9);
        hid_close(dev);
        QCOMPARE(openHandles(), 0);
    }

    void featureReportsOnlyOnTheCommandInterface()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *mouse = hid_open_path(pathOf(id, 0).c_str());
        const auto report = frame::buildReport(0x0B, {2});
        QCOMPARE(hid_send_feature_report(mouse, report.data(), report.size()), -1);
        QCOMPARE(hid_send_feature_report(mouse, report.data(), 8), -1);
        hid_close(mouse);
        hid_device *dev = openCommand(id);
        QCOMPARE(hid_send_feature_report(dev, report.data(), 8), -1);   // wrong length
        hid_close(dev);
    }

    // The device unscrambles with its own code, echoes the challenge and scrambles its answer.
    void challengeEcho_data()
    {
        QTest::addColumn<bool>("encoded");
        QTest::newRow("encoded") << true;
        QTest::newRow("plain") << false;
    }
    void challengeEcho()
    {
        QFETCH(bool, encoded);
        const int id = addDevice(demoMouse(Family::F560, encoded));
        const auto code = codeBytes("318274");
        hid_device *dev = openCommand(id);
        const auto answer = exchange(dev, frame::buildReport(0x00, {0x12, 0x34, 0x56, 0x78}), encoded ? &code : nullptr);
        hid_close(dev);
        QCOMPARE(fixture::bytes(answer.data(), 9), QByteArray::fromHex("0000123456780000eb"));
        const auto events = fixture::events({Kind::FeatureOut, Kind::FeatureIn});
        QCOMPARE(events[0].name, std::string("560 00H GetSecrecyCode"));
        QCOMPARE(events[0].wire != events[0].plain, encoded);
        QCOMPARE(events[1].wire != events[1].plain, encoded);
    }

    void badChecksumIsDroppedAndCounted()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *dev = openCommand(id);
        auto report = frame::buildReport(0x0B, {5});
        report[8] ^= 1;
        const auto answer = exchange(dev, report, nullptr);
        hid_close(dev);
        QCOMPARE(fixture::bytes(answer.data(), 9), QByteArray(9, '\0'));
        QCOMPARE(state(id).badChecksums, 1);
        QCOMPARE(state(id).currentDpiStage, uint8_t(1));
        QVERIFY(!log().at(1).checksumOk);
    }

    // Bulk output counts against the announced length; extra reports are ignored.
    void uploadCountsAgainstTheAnnouncedLength()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *dev = openCommand(id);
        const auto report = frame::buildReport(0x13, {7, 128});
        QCOMPARE(hid_send_feature_report(dev, report.data(), report.size()), 9);
        std::vector<uint8_t> out(33);
        for (int piece = 0; piece < 4; ++piece) {
            QVERIFY(state(id).macros.count(7) == 0);
            out[0] = 0;
            for (int i = 1; i <= 32; ++i)
                out[size_t(i)] = uint8_t(piece * 32 + i);
            QCOMPARE(hid_write(dev, out.data(), out.size()), 33);
        }
        const Bytes macro = state(id).macros.at(7);
        QCOMPARE(int(macro.size()), 128);
        QCOMPARE(macro[0], uint8_t(1));
        QCOMPARE(macro[127], uint8_t(128));
        QCOMPARE(hid_write(dev, out.data(), out.size()), 33);
        QCOMPARE(log().back().name, std::string("unexpected output report"));
        hid_close(dev);
    }

    void profileDownloadQueuesInputReports_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("reports");
        QTest::newRow("32, all") << 32 << -1 << 4;
        QTest::newRow("64, all") << 64 << -1 << 2;
        QTest::newRow("32, only one") << 32 << 1 << 1;
    }
    void profileDownloadQueuesInputReports()
    {
        QFETCH(int, reportLength);
        QFETCH(int, limit);
        QFETCH(int, reports);
        DeviceSpec spec = demoMouse(Family::F560, false);
        spec.reportLength = reportLength;
        const int id = addDevice(spec);
        Bytes block(128);
        for (int i = 0; i < 128; ++i)
            block[size_t(i)] = uint8_t(i);
        setProfileBlock(id, 3, block);
        limitDownloadReports(id, limit);
        hid_device *dev = openCommand(id);
        exchange(dev, frame::buildReport(0x8C, {3}), nullptr);
        QByteArray got;
        std::vector<uint8_t> in(size_t(reportLength) + 1);
        int n;
        while ((n = hid_read_timeout(dev, in.data(), in.size(), 0)) > 0)
            got += fixture::bytes(in.data(), n);
        hid_close(dev);
        QCOMPARE(got, fixture::bytes(block).left(reports * reportLength));
    }

    void faultsHitTheNthCall()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        injectFault(Fn::OpenPath, 2);
        hid_device *first = openCommand(id);
        QVERIFY(first);
        QVERIFY(!openCommand(id));
        hid_device *third = openCommand(id);
        QVERIFY(third);
        QCOMPARE(callCount(Fn::OpenPath), 3);

        injectFault(Fn::SendFeature, 1, Fault::Unplug);
        const auto report = frame::buildReport(0x0B, {2});
        QCOMPARE(hid_send_feature_report(third, report.data(), report.size()), -1);
        QVERIFY(!openCommand(id));   // unplugged now
        hid_close(first);
        hid_close(third);

        replug(id);
        hid_device *dev = openCommand(id);
        injectFault(Fn::Read, 1, Fault::Timeout);
        uint8_t buf[4];
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(hid_read_timeout(dev, buf, 4, 5000), 0);
        QVERIFY(clock.elapsed() < 1000);
        hid_close(dev);
        QCOMPARE(fixture::events({Kind::Fault}).size(), size_t(3));
    }

    // Failed opens leave errno and hidraw's text for hid_error(NULL): from a one-time fault, from a lasting
    // access problem, and for a device that is not there. A successful open clears the text.
    void failedOpensTellWhy()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        const std::string path = pathOf(id, 1);
        auto failure = [&path](int expectedErrno, const QString &reason) {
            errno = 0;
            if (hid_device *dev = hid_open_path(path.c_str())) {
                hid_close(dev);
                return QStringLiteral("opened");
            }
            const QString text = QString::fromWCharArray(hid_error(nullptr));
            const QString expected = QStringLiteral("Failed to open a device with path '%1': %2")
                                         .arg(QString::fromStdString(path), reason);
            return errno == expectedErrno && text == expected ? QStringLiteral("as expected") : text;
        };

        injectFault(Fn::OpenPath, 1, Fault::Denied);
        QCOMPARE(failure(EACCES, "Permission denied"), QStringLiteral("as expected"));
        QCOMPARE(failure(0, QString()), QStringLiteral("opened"));   // a one-time fault
        QCOMPARE(QString::fromWCharArray(hid_error(nullptr)), QStringLiteral("Success"));
        injectFault(Fn::OpenPath, 1, Fault::Busy);
        QCOMPARE(failure(EBUSY, "Device or resource busy"), QStringLiteral("as expected"));

        setAccess(id, Access::Denied);
        QCOMPARE(failure(EACCES, "Permission denied"), QStringLiteral("as expected"));
        QCOMPARE(failure(EACCES, "Permission denied"), QStringLiteral("as expected"));   // lasting
        QVERIFY(!hid_open_path(pathOf(id, 2).c_str()));   // every interface of the device
        setAccess(id, Access::Busy);
        QCOMPARE(failure(EBUSY, "Device or resource busy"), QStringLiteral("as expected"));
        setAccess(id, Access::Granted);
        QCOMPARE(failure(0, QString()), QStringLiteral("opened"));

        unplug(id);
        QCOMPARE(failure(ENOENT, "No such file or directory"), QStringLiteral("as expected"));
        QCOMPARE(openHandles(), 0);
        QCOMPARE(fixture::events({Kind::Fault}).size(), size_t(2));
    }

    // A blocking read wakes for a report pushed by another thread, and for an unplug.
    void blockingReadsWake()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *listen = hid_open_path(pathOf(id, 2).c_str());
        uint8_t buf[8] = {};

        std::thread pusher([id] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            pushDpiSwitch(id, 3);
        });
        QCOMPARE(hid_read_timeout(listen, buf, sizeof buf, 5000), 4);
        pusher.join();
        QCOMPARE(fixture::bytes(buf, 4), QByteArray::fromHex("06070003"));
        QCOMPARE(state(id).currentDpiStage, uint8_t(3));
        QCOMPARE(pressDpiButton(id, 4), 4);
        QCOMPARE(pressDpiButton(id, 4), 1);
        QCOMPARE(hid_read_timeout(listen, buf, sizeof buf, 0), 4);
        QCOMPARE(hid_read_timeout(listen, buf, sizeof buf, 0), 4);
        QCOMPARE(fixture::bytes(buf, 4), QByteArray::fromHex("06070001"));

        QElapsedTimer clock;
        clock.start();
        QCOMPARE(hid_read_timeout(listen, buf, sizeof buf, 100), 0);
        QVERIFY(clock.elapsed() >= 95);

        std::thread unplugger([id] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            unplug(id);
        });
        clock.restart();
        QCOMPARE(hid_read_timeout(listen, buf, sizeof buf, 5000), -1);
        QVERIFY(clock.elapsed() < 2000);
        unplugger.join();
        hid_close(listen);
    }

    // As on hidraw: a report sent while a handle is open is listed for every open handle and dropped
    // with the handle that did not read it; one sent while none is open waits in the device.
    void inputReportsBelongToTheOpenHandles()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        uint8_t buf[8] = {};
        pushDpiSwitch(id, 2);
        hid_device *a = hid_open_path(pathOf(id, 2).c_str());
        hid_device *b = hid_open_path(pathOf(id, 2).c_str());
        QCOMPARE(hid_read_timeout(a, buf, sizeof buf, 0), 4);   // sent before any open: the first one gets it
        QCOMPARE(hid_read_timeout(b, buf, sizeof buf, 0), 0);
        pushDpiSwitch(id, 3);
        hid_close(a);
        QCOMPARE(hid_read_timeout(b, buf, sizeof buf, 0), 4);
        QCOMPARE(buf[3], uint8_t(3));
        hid_close(b);
        a = hid_open_path(pathOf(id, 2).c_str());
        QCOMPARE(hid_read_timeout(a, buf, sizeof buf, 0), 0);   // a's copy went with its handle
        hid_close(a);
    }

    // Return values as hidraw's hidapi gives them: a feature report cut to the caller's room (report id
    // kept), numbered reports and one-byte writes refused, the blocking mode noted even on a gone device.
    void returnValuesAsOnHidraw()
    {
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *dev = hid_open_path(pathOf(id, 1).c_str());
        const frame::Report block = frame::buildReport(0x0B, {2});
        QCOMPARE(hid_send_feature_report(dev, block.data(), block.size()), 9);
        uint8_t answer[9] = {};
        QCOMPARE(hid_get_feature_report(dev, answer, 5), 5);
        QCOMPARE(fixture::bytes(answer, 5), fixture::bytes(block.data(), 5));
        answer[0] = 1;
        QCOMPARE(hid_get_feature_report(dev, answer, 9), -1);
        QCOMPARE(hid_write(dev, answer, 1), -1);
        unplug(id);
        QCOMPARE(hid_set_nonblocking(dev, 0), 0);
        hid_close(dev);
    }

    void logIsTimeStampedAndReadable()
    {
        int64_t now = 1000;
        setClock([&now] { return now; });
        const int id = addDevice(demoMouse(Family::F553, false));
        hid_device *dev = openCommand(id);
        now = 1120;
        const auto report = frame::buildReport(0x0B, {2});
        hid_send_feature_report(dev, report.data(), report.size());
        hid_close(dev);
        const auto events = log();
        QCOMPARE(events.size(), size_t(3));
        QCOMPARE(events[0].timeMs, int64_t(1000));
        QCOMPARE(events[1].timeMs, int64_t(1120));
        QCOMPARE(describe(events[1]),
                 std::string("1120 ms feature out vmouse:1:1 [ 00 0b 02 00 00 00 00 00 f2 ] 553 0BH SetCurrentDPI"));
        setClock(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestVirtualMouse)
#include "tst_virtual_mouse.moc"
