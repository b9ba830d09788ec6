// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated kernel's rules for one hidraw node: the ioctls hidapi makes with their length rules and
// errors, output reports, and the input reports of each opener.

#include "framing.h"
#include "hidraw_node.h"

#include <sys/ioctl.h>
#include <linux/hidraw.h>

#include <QTest>

#include <cerrno>

using kernelbed::Answer;
using kernelbed::HidrawNode;
using vmouse::Bytes;

namespace {

constexpr int kCommand = 1, kListen = 2;

struct Fixture
{
    vmouse::DeviceModel model{vmouse::demoMouse(vmouse::Family::F553, false)};
    HidrawNode command{model, 1, model.spec().interfaces[kCommand], "hidraw1", "Mouse", "usb-1/input1"};
    HidrawNode listen{model, 1, model.spec().interfaces[kListen], "hidraw2", "Mouse", "usb-1/input2"};
};

}  // namespace

Q_DECLARE_METATYPE(Bytes)

class TestHidrawNode : public QObject
{
    Q_OBJECT

private slots:
    void ioctls_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<qulonglong>("request");
        QTest::addColumn<Bytes>("arg");
        QTest::addColumn<bool>("unplugged");
        QTest::addColumn<long>("result");
        QTest::addColumn<int>("error");
        QTest::addColumn<Bytes>("out");   // the argument's first bytes afterwards

        const frame::Report dpi = frame::buildReport(0x0B, {2});
        const Bytes block(dpi.begin(), dpi.end());
        const Bytes echo = block;   // the device echoes the block it took
        Bytes numbered = block;
        numbered[0] = 1;
        const Bytes info = {0x03, 0, 0, 0, 0x50, 0x5A, 0x14, 0x07};
        QTest::newRow("descriptor size") << kCommand << qulonglong(HIDIOCGRDESCSIZE) << Bytes(4) << false << 0L << 0
                                         << Bytes{34, 0, 0, 0};
        QTest::newRow("raw info") << kCommand << qulonglong(HIDIOCGRAWINFO) << Bytes(8) << false << 0L << 0 << info;
        QTest::newRow("name cut to room") << kCommand << qulonglong(HIDIOCGRAWNAME(3)) << Bytes(3) << false << 3L << 0
                                          << Bytes{'M', 'o', 'u'};
        QTest::newRow("feature out") << kCommand << qulonglong(HIDIOCSFEATURE(9)) << block << false << 9L << 0 << block;
        QTest::newRow("feature out, too short for the device") << kCommand << qulonglong(HIDIOCSFEATURE(8))
                                                               << Bytes(block.begin(), block.end() - 1) << false
                                                               << -1L << EPIPE << Bytes{};
        QTest::newRow("feature out, one byte") << kCommand << qulonglong(HIDIOCSFEATURE(1)) << Bytes(1) << false << -1L
                                               << EINVAL << Bytes{};
        QTest::newRow("feature out, listener interface") << kListen << qulonglong(HIDIOCSFEATURE(9)) << block << false
                                                         << -1L << EPIPE << Bytes{};
        QTest::newRow("feature in after out") << kCommand << qulonglong(HIDIOCGFEATURE(9)) << Bytes(9) << false << 9L
                                              << 0 << echo;
        QTest::newRow("feature in, 5 bytes of room") << kCommand << qulonglong(HIDIOCGFEATURE(5)) << Bytes(5) << false
                                                     << 5L << 0 << Bytes(echo.begin(), echo.begin() + 5);
        QTest::newRow("feature in, numbered") << kCommand << qulonglong(HIDIOCGFEATURE(9)) << numbered << false << -1L
                                              << EPIPE << Bytes{};
        QTest::newRow("terminal request") << kCommand << qulonglong(0x5401) << Bytes{} << false << -1L << ENOTTY
                                          << Bytes{};
        QTest::newRow("unplugged") << kCommand << qulonglong(HIDIOCSFEATURE(9)) << block << true << -1L << ENODEV
                                   << Bytes{};
    }

    void ioctls()
    {
        QFETCH(int, node);
        QFETCH(qulonglong, request);
        QFETCH(Bytes, arg);
        QFETCH(bool, unplugged);
        QFETCH(long, result);
        QFETCH(int, error);
        QFETCH(Bytes, out);
        Fixture f;
        const frame::Report dpi = frame::buildReport(0x0B, {2});
        Bytes sent(dpi.begin(), dpi.end());
        QCOMPARE(f.command.ioctl(HIDIOCSFEATURE(9), sent.data(), sent.size()).result, 9L);
        HidrawNode &n = node == kCommand ? f.command : f.listen;
        if (unplugged)
            n.unplug();
        const Answer answer = n.ioctl(request, arg.data(), arg.size());
        QCOMPARE(answer.result, result);
        QCOMPARE(answer.error, error);
        QCOMPARE(Bytes(arg.begin(), arg.begin() + long(out.size())), out);
    }

    void outputReports()
    {
        Fixture f;
        const Bytes report(33, 0);
        QCOMPARE(f.command.write(report.data(), 33).result, 33L);
        QCOMPARE(f.command.write(report.data(), 1).error, EINVAL);
        f.command.unplug();
        QCOMPARE(f.command.write(report.data(), 33).error, ENODEV);
    }

    // Each opener lists the reports that came while it had the node open; the device keeps what came
    // while nobody had; a read takes one report, cut to its room; a vanished device still yields what was
    // listed, then EIO.
    void inputReportsPerOpener()
    {
        Fixture f;
        int a = 0, b = 0;
        uint8_t out[4] = {};
        f.model.switchDpi(3);
        f.listen.deliver();   // nobody has the node open: the device keeps it
        f.listen.open(&a);
        QVERIFY(f.listen.readable());
        f.listen.open(&b);
        QVERIFY(!f.listen.listed(&b));
        f.model.switchDpi(4);
        f.listen.deliver();
        QCOMPARE(f.listen.read(&a, out, 2)->result, 2L);   // 06 07, the rest of the report is gone
        QCOMPARE(f.listen.read(&a, out, 4)->result, 4L);
        QCOMPARE(out[3], uint8_t(4));
        QVERIFY(!f.listen.read(&a, out, 4));                // empty: a blocking read waits
        f.listen.close(&b);
        f.model.switchDpi(1);
        f.listen.deliver();
        f.listen.unplug();
        QCOMPARE(f.listen.read(&a, out, 4)->result, 4L);
        QCOMPARE(f.listen.read(&a, out, 4)->error, EIO);
    }
};

QTEST_GUILESS_MAIN(TestHidrawNode)
#include "tst_hidraw_node.moc"
