// SPDX-License-Identifier: GPL-3.0-or-later
// The device list and the device side of a discovery pass: reading the list, finding each device's
// interfaces, accepting the first device that answers the handshake.

#include "discovery.h"
#include "message_capture.h"
#include "rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using vmouse::Collection;
using vmouse::InterfaceSpec;
using vmouse::Role;
Q_DECLARE_METATYPE(std::vector<InterfaceSpec>)

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath("apConfig.bin");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
}

// A device list entry in the form the settings file holds it.
QByteArray listEntry(int index, const char *vid, const char *pid, const char *extra = "")
{
    return QStringLiteral("[%1]\nvid=%2\npid=%3\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\nusage2=ff01\n%4\n")
        .arg(index).arg(vid, pid, extra).toLatin1();
}

vmouse::DeviceSpec deviceWith(uint16_t pid, std::vector<InterfaceSpec> interfaces)
{
    vmouse::DeviceSpec spec = vmouse::demoMouse(vmouse::Family::F553, false);
    spec.pid = pid;
    spec.interfaces = std::move(interfaces);
    return spec;
}

}  // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void parseHex16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("lower case") << "5a50" << 0x5A50;
        QTest::newRow("upper case") << "5A50" << 0x5A50;
        QTest::newRow("mixed case") << "fF01" << 0xFF01;
        QTest::newRow("with 0x") << "0x046D" << 0x046D;
        QTest::newRow("blanks around") << "  ff00 " << 0xFF00;
        QTest::newRow("short") << "1" << 1;
        QTest::newRow("wider than 16 bits") << "1046d" << 0x046D;
        QTest::newRow("much wider") << "123456789abcdef0123" << 0x0123;
        QTest::newRow("not hexadecimal") << "xyz" << 0;
        QTest::newRow("partly hexadecimal") << "12g4" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("signed") << "-1" << 0;
        QTest::newRow("only 0x") << "0x" << 0;
    }
    void parseHex16()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(int(::parseHex16(text)), value);
    }

    void readsEntriesWithDefaults()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir,
            "[common]\ndeviceCount=3\nname=Test\n"
            "[0]\ntype=1\nvid=5A50\npid=0714\nusagePage=FF00\nusage=ff00\nusagePage2=ff01\nusage2=FF01\n"
            "reportLength=64\nisEncode=true\nsCode=ABCDEF\n"
            "[1]\nvid=1046d\n"
            "[2]\ntype=zz\nvid=nothex\nreportLength=lots\nisEncode=false\n"
            "[3]\nvid=1234\n");
        const DeviceList list = readDeviceList(path);
        QCOMPARE(list.size(), 3);   // entry 3 is beyond the count

        const DeviceEntry &a = list[0];
        QCOMPARE(a.type, 1);
        QCOMPARE(a.vid, quint16(0x5A50));
        QCOMPARE(a.pid, quint16(0x0714));
        QCOMPARE(a.usagePage, quint16(0xFF00));
        QCOMPARE(a.usage, quint16(0xFF00));
        QCOMPARE(a.usagePage2, quint16(0xFF01));
        QCOMPARE(a.usage2, quint16(0xFF01));
        QCOMPARE(a.reportLength, 64);
        QVERIFY(a.isEncode);
        QCOMPARE(a.sCode, QString("ABCDEF"));
        QVERIFY(a.commandPath.isEmpty() && a.listenPath.isEmpty());

        const DeviceEntry &b = list[1];   // everything but vid missing
        QCOMPARE(b.type, -1);
        QCOMPARE(b.vid, quint16(0x046D));
        QCOMPARE(b.pid, quint16(0));
        QCOMPARE(b.usagePage2, quint16(0));
        QCOMPARE(b.reportLength, 32);
        QVERIFY(!b.isEncode);
        QCOMPARE(b.sCode, QString("318274"));

        const DeviceEntry &c = list[2];   // garbage
        QCOMPARE(c.type, 0);
        QCOMPARE(c.vid, quint16(0));
        QCOMPARE(c.reportLength, 32);
        QVERIFY(!c.isEncode);
    }

    void emptyListCases_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("writeIt");
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("count absent") << listEntry(0, "5a50", "0714") << true;
        QTest::newRow("count 0") << "[common]\ndeviceCount=0\n" + listEntry(0, "5a50", "0714") << true;
        QTest::newRow("count negative") << QByteArray("[common]\ndeviceCount=-4\n") << true;
        QTest::newRow("count not a number") << QByteArray("[common]\ndeviceCount=two\n") << true;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[\x01=\x02\n\x80\x81", 11) << true;
    }
    void emptyListCases()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, writeIt);
        QTemporaryDir dir;
        const QString path = writeIt ? writeFile(dir, text) : dir.filePath("absent.bin");
        QVERIFY(readDeviceList(path).isEmpty());

        // A pass over such a list accepts nothing and touches no device.
        vmouse::reset();
        vmouse::addDevice(vmouse::demoMouse());
        Hid_Thread hid;
        QCOMPARE(discoverDevice(hid, path), -1);
        QVERIFY(hid.deviceList.isEmpty());
        QVERIFY(vmouse::log().empty());
    }

    // ... and says so, once however many passes read the list.
    void damagedCountIsCapped()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "[common]\ndeviceCount=99999999\n");
        MessageCapture messages;
        QCOMPARE(readDeviceList(path).size(), kMaxDeviceEntries);
        QCOMPARE(readDeviceList(path).size(), kMaxDeviceEntries);
        const QString told = QStringLiteral("\"%1\" lists 99999999 devices; only the first 256 are read").arg(path);
        QCOMPARE(messages.messages().filter(QStringLiteral("lists 99999999")), QStringList({told}));
    }

    void findsPaths_data()
    {
        QTest::addColumn<std::vector<InterfaceSpec>>("interfaces");
        QTest::addColumn<int>("commandInterface");   // -1: none
        QTest::addColumn<int>("listenInterface");
        QTest::newRow("both interfaces")
            << std::vector<InterfaceSpec>{{0, Role::Other, {{1, 2}}}, {1, Role::Command, {{0xFF00, 0xFF00}}},
                                          {2, Role::Listen, {{0xFF01, 0xFF01}}}}
            << 1 << 2;
        QTest::newRow("listener interface missing")
            << std::vector<InterfaceSpec>{{0, Role::Other, {{1, 2}}}, {1, Role::Command, {{0xFF00, 0xFF00}}}}
            << 1 << -1;
        QTest::newRow("command interface missing")
            << std::vector<InterfaceSpec>{{2, Role::Listen, {{0xFF01, 0xFF01}}}} << -1 << 2;
        QTest::newRow("two collections on one interface")
            << std::vector<InterfaceSpec>{{0, Role::Other, {{1, 2}}},
                                          {3, Role::Command, {{0xFF00, 0xFF00}, {0xFF01, 0xFF01}}}}
            << 3 << 3;
        QTest::newRow("a later match overwrites")
            << std::vector<InterfaceSpec>{{1, Role::Command, {{0xFF00, 0xFF00}}}, {4, Role::Command, {{0xFF00, 0xFF00}}},
                                          {2, Role::Listen, {{0xFF01, 0xFF01}}}}
            << 4 << 2;
        QTest::newRow("usage page matches, usage differs")
            << std::vector<InterfaceSpec>{{1, Role::Command, {{0xFF00, 0x0001}}}} << -1 << -1;
    }
    void findsPaths()
    {
        QFETCH(std::vector<InterfaceSpec>, interfaces);
        QFETCH(int, commandInterface);
        QFETCH(int, listenInterface);
        vmouse::reset();
        const int other = vmouse::addDevice(deviceWith(0x0999, {{1, Role::Command, {{0xFF00, 0xFF00}}}}));
        const int device = vmouse::addDevice(deviceWith(0x0714, interfaces));
        Q_UNUSED(other);

        DeviceEntry entry;
        entry.vid = 0x5A50;
        entry.pid = 0x0714;
        entry.usagePage = entry.usage = 0xFF00;
        entry.usagePage2 = entry.usage2 = 0xFF01;
        entry.commandPath = "stale";
        DeviceList list{entry};
        findDevicePaths(list);
        auto pathOf = [&](int iface) {
            return iface < 0 ? QString() : QString::fromStdString(vmouse::pathOf(device, iface));
        };
        QCOMPARE(list[0].commandPath, pathOf(commandInterface));
        QCOMPARE(list[0].listenPath, pathOf(listenInterface));
    }

    void oneInterfaceFillsBothPathsWhenThePairsAreEqual()
    {
        vmouse::reset();
        const int device = vmouse::addDevice(deviceWith(0x0714, {{1, Role::Command, {{0xFF00, 0xFF00}}}}));
        DeviceEntry entry;
        entry.vid = 0x5A50;
        entry.pid = 0x0714;
        entry.usagePage = entry.usage = entry.usagePage2 = entry.usage2 = 0xFF00;
        DeviceList list{entry};
        findDevicePaths(list);
        QCOMPARE(list[0].commandPath, QString::fromStdString(vmouse::pathOf(device, 1)));
        QCOMPARE(list[0].listenPath, list[0].commandPath);
    }

    // vid and pid 0 would make hidapi list every device of the system; such an entry finds nothing.
    void entryWithoutIdsIsNotEnumerated()
    {
        vmouse::reset();
        vmouse::addDevice(deviceWith(0x0714, {{1, Role::Command, {{0, 0}}}}));
        DeviceList list{DeviceEntry{}};
        findDevicePaths(list);
        QCOMPARE(vmouse::callCount(vmouse::Fn::Enumerate), 0);
        QVERIFY(list[0].commandPath.isEmpty());
    }

    void failedEnumerationFindsNothing()
    {
        vmouse::reset();
        vmouse::addDevice(vmouse::demoMouse());
        vmouse::injectFault(vmouse::Fn::Enumerate, 1);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "[common]\ndeviceCount=1\n" + listEntry(0, "5a50", "0714"));
        Hid_Thread hid;
        QCOMPARE(discoverDevice(hid, path), -1);
        QCOMPARE(hid.deviceList.size(), 1);
        QVERIFY(hid.deviceList[0].commandPath.isEmpty());
    }

    // Several listed devices: entries without a command path are skipped, the first entry whose device
    // passes the handshake is accepted and no later one is tried.
    void acceptsTheFirstDeviceThatPasses_data()
    {
        QTest::addColumn<bool>("firstPresent");
        QTest::addColumn<bool>("firstAnswers");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("handshakes");
        QTest::newRow("both attached and good") << true << true << 0 << 1;
        QTest::newRow("first answers wrongly") << true << false << 1 << 2;
        QTest::newRow("first absent") << false << true << 1 << 1;
    }
    void acceptsTheFirstDeviceThatPasses()
    {
        QFETCH(bool, firstPresent);
        QFETCH(bool, firstAnswers);
        QFETCH(int, accepted);
        QFETCH(int, handshakes);
        vmouse::reset();
        vmouse::DeviceSpec first = vmouse::demoMouse(vmouse::Family::F553, true);
        first.pid = 0x0001;
        if (!firstAnswers)
            first.secrecyCode = "ZZZZZZ";
        if (firstPresent)
            vmouse::addDevice(first);
        vmouse::DeviceSpec second = vmouse::demoMouse(vmouse::Family::F560, false);
        second.pid = 0x0002;
        vmouse::addDevice(second);

        QTemporaryDir dir;
        const QString path = writeFile(dir,
            "[common]\ndeviceCount=2\n" + listEntry(0, "5A50", "0001", "isEncode=true\nsCode=318274")
            + listEntry(1, "5a50", "0002", "isEncode=false"));
        RecordingSleeper sleeper;
        Hid_Thread hid;
        hid.setSleeper(&sleeper);
        QCOMPARE(discoverDevice(hid, path), accepted);
        QCOMPARE(hid.currentDeviceIndex, accepted);
        QCOMPARE(int(fixture::events({vmouse::Kind::FeatureOut}).size()), handshakes);
        QCOMPARE(hid.deviceList.size(), 2);
        QVERIFY(!hid.deviceList[1].listenPath.isEmpty());
        QVERIFY(hid.hidIdle);
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
