// SPDX-License-Identifier: GPL-3.0-or-later
// The release program, zephra-config with the system's hidapi-hidraw and libudev, on an emulated kernel:
// zephra-kernel-bed (under umockdev-wrapper) plugs in the virtual mouse as sysfs devices and hidraw nodes
// and starts the program from a private copy. What the nodes saw is checked at the system-call level
// (ioctl, write, read), what the program did in its debug lines.

#include "demo_process.h"
#include "saved_settings.h"
#include "virtual_display.h"
#include "window_driver.h"
#include "window_places.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString kUnprivileged = QStringLiteral("nobody");

// Places where a discovery pass has run since line `from` (the pass's first open of a command node).
int passAfter(DemoProcess &run, int from, int timeoutMs = 10000)
{
    return run.waitFor(QStringLiteral("^Device (Connect|DisConnect)$"), timeoutMs, from);
}

// The mouse's nodes from the bed's line "bed: mouse <n> plugged in: /dev/hidrawA /dev/hidrawB /dev/hidrawC":
// interface 0, the command interface and the listener interface, as their names ("hidrawB").
QStringList nodesOf(DemoProcess &run, int mouse, int from = 0)
{
    const int at = run.waitFor(QStringLiteral("^bed: mouse %1 plugged in:").arg(mouse), 10000, from);
    QStringList names;
    for (const QString &path : run.lines().value(at).section(QStringLiteral("plugged in:"), 1).split(' ', Qt::SkipEmptyParts))
        names << path.section('/', -1);
    return names;
}

// Waits until the interface started after line `from` is past its busy guard (which disables the view
// for a second and then enables it); returns the line of the guard's end.
int readyAfter(DemoProcess &run, int from, int timeoutMs = 15000)
{
    const int started = run.waitFor(QStringLiteral("QML initUI +returned"), timeoutMs, from);
    return started < 0 ? -1 : run.waitFor(QStringLiteral("^zephra.ui: view enabled$"), 5000, started);
}

bool chownTree(const QString &folder, uid_t uid, gid_t gid)
{
    bool ok = ::chown(folder.toLocal8Bit().constData(), uid, gid) == 0;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = ::chown(it.next().toLocal8Bit().constData(), uid, gid) == 0 && ok;
    return ok;
}

}  // namespace

class TestKernelEndToEnd : public QObject
{
    Q_OBJECT

private:
    // The program's copy in `run`, started by the bed with `options` under umockdev's preload.
    bool start(DemoProcess &run, const QStringList &options = {})
    {
        run.setLauncher(wrapper, QStringList{QStringLiteral(ZEPHRA_KERNEL_BED)} + options);
        // umockdev's preload comes first in the library list of sanitized programs.
        run.setEnvironmentValue(QStringLiteral("ASAN_OPTIONS"),
                                qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
        return run.start() && run.waitFor(QStringLiteral("^bed: program started$"), 10000) >= 0;
    }

    void quit(DemoProcess &run)
    {
        run.send(QStringLiteral("quit"));
        int code = -1;
        QVERIFY(run.finish(10000, &code));
        QCOMPARE(code, 0);
    }

private slots:
    void initTestCase()
    {
        wrapper = QStandardPaths::findExecutable(QStringLiteral("umockdev-wrapper"));
        if (wrapper.isEmpty()) {
            if (qEnvironmentVariable("CI") == QLatin1String("true"))
                QFAIL("umockdev-wrapper is missing (Debian package umockdev)");
            QSKIP("umockdev-wrapper is missing (Debian package umockdev; make test installs it)");
        }
    }

    // Discovery and the handshake of an encoded mouse through real enumeration and feature-report ioctls;
    // then, driven through the window, a key-matrix upload and a DPI save whose bytes cross the node.
    void discoveryHandshakeAndUploads()
    {
        VirtualDisplay display;
        if (!display.missing.isEmpty())
            QSKIP(qPrintable(display.missing + " is not installed"));
        DemoProcess run(display.display);
        QVERIFY(start(run));
        const QStringList nodes = nodesOf(run, 1);
        QCOMPARE(nodes.size(), 3);
        const QString command = nodes[1], listener = nodes[2];
        QVERIFY2(run.waitFor("^Device Connect$", 15000) >= 0, qPrintable(run.lines().join('\n')));

        // The challenge went out scrambled and came back, unscrambled, unchanged.
        const QRegularExpression challenge(QStringLiteral("^%1 ioctl HIDIOCSFEATURE\\(9\\) = 9: .* feature out vmouse:1:1 "
                                                          "\\[ 00 (.*) \\] plain \\[ 00 00 (.. .. .. ..) 00 00 .. \\] "
                                                          "553 00H GetSecrecyCode$").arg(command));
        const int out = int(run.lines().indexOf(challenge));
        QVERIFY2(out >= 0, qPrintable(run.lines().join('\n')));
        const QRegularExpressionMatch sent = challenge.match(run.lines()[out]);
        QVERIFY(!sent.captured(1).startsWith(QLatin1String("00 ") + sent.captured(2)));
        // The answer is the next feature read on the command node (the program's own lines may come between).
        const int answer = int(run.lines().indexOf(
            QRegularExpression(QStringLiteral("^%1 ioctl HIDIOCGFEATURE\\(9\\).*").arg(command)), out + 1));
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 ioctl HIDIOCGFEATURE\\(9\\) = 9: .* plain \\[ 00 00 %2 ")
                                        .arg(command, sent.captured(2)))
                     .match(run.lines().value(answer))
                     .hasMatch(),
                 qPrintable(run.lines().mid(out, 4).join('\n')));
        QVERIFY(run.waitFor(QStringLiteral("^%1 ioctl HIDIOCGRDESCSIZE = 0$").arg(listener), 5000) >= 0);
        QVERIFY(readyAfter(run, out) >= 0);

        WindowDriver hand(display, QStringLiteral("zephra-config"));
        QTRY_VERIFY_WITH_TIMEOUT(hand.findWindow(), 10000);
        int mark = int(run.lines().size());
        hand.click(places::kKeyResetButton);
        hand.drag(places::kDpiStage1Handle, places::kDpiStage1PastEnd);
        hand.click(places::kSaveButton);

        // Key matrix 1: the command, then 64 bytes in two output reports of 32 (report id 0 first).
        const QString matrix = savedKeyMatrix(run.folder());
        const int keys = run.waitFor(QStringLiteral("^%1 ioctl HIDIOCSFEATURE\\(9\\) = 9: .* plain \\[ 00 12 01 40 .* SetKeyMatrix$")
                                         .arg(command), 10000, mark);
        QVERIFY2(keys >= 0, qPrintable(run.lines().mid(mark).join('\n')));
        const QString write = QStringLiteral("^%1 write\\(33\\) = 33: .* output vmouse:1:1 \\[ 00%2 \\] 553 12H SetKeyMatrix payload$");
        QVERIFY(run.waitFor(write.arg(command, matrix.left(32 * 3)), 5000, keys) >= 0);
        QVERIFY(run.waitFor(write.arg(command, matrix.mid(32 * 3)), 5000, keys) >= 0);

        // The DPI table: 8 bytes in one output report, padded with zeros.
        const int dpi = run.waitFor(QStringLiteral("^%1 ioctl HIDIOCSFEATURE\\(9\\) = 9: .* plain \\[ 00 11 .* SetDPISet$")
                                        .arg(command), 10000, mark);
        QVERIFY2(dpi >= 0, qPrintable(run.lines().mid(mark).join('\n')));
        QVERIFY(run.waitFor(QStringLiteral("^%1 write\\(33\\) = 33: .* \\[ 00%2( 00){24} \\] 553 11H SetDPISet payload$")
                                .arg(command, savedDpiTable(run.folder())), 5000, dpi) >= 0);
        quit(run);
    }

    // A DPI switch on the mouse reaches the window; unplugged, the node's hang-up and disappearance end
    // the listener; plugged in again, the new nodes get a pass one timer period later.
    void dpiSwitchUnplugAndPlugIn()
    {
        DemoProcess run(QByteArray{});
        QVERIFY(start(run));
        QString listener = nodesOf(run, 1).value(2);
        QVERIFY2(readyAfter(run, 0) >= 0, qPrintable(run.lines().join('\n')));

        run.send("dpi 1 3");
        QVERIFY(run.waitFor(QStringLiteral("^%1 read\\(4\\) = 4: .* input vmouse:1:2 \\[ 06 07 00 03 \\]$").arg(listener)) >= 0);
        QVERIFY(run.waitFor("^zephra.ui: QML setCurrentDPI 3 returned$") >= 0);

        int mark = int(run.lines().size());
        run.send("unplug");
        const int removed = run.waitFor("^Device removed$", 5000, mark);
        QVERIFY2(removed >= 0, qPrintable(run.lines().mid(mark).join('\n')));
        QVERIFY(run.waitFor("^zephra.ui: mouse disconnected$", 5000, removed) >= 0);

        mark = int(run.lines().size());
        run.send("plug");
        const int plugged = run.waitFor("^plug mouse 1$", 5000, mark);
        listener = nodesOf(run, 1, mark).value(2);
        const int pass = passAfter(run, plugged);
        QVERIFY2(pass >= 0 && run.lines()[pass] == QLatin1String("Device Connect"), qPrintable(run.lines().mid(mark).join('\n')));
        // The 2048 ms timer after the last add uevent (a coarse timer may end up to 5 % early).
        QVERIFY2(run.arrivalMs(pass) - run.arrivalMs(plugged) >= 1900,
                 qPrintable(QString::number(run.arrivalMs(pass) - run.arrivalMs(plugged))));
        QCOMPARE(run.lines().mid(removed, pass - removed).filter("view enabled").size(), 0);
        QVERIFY(readyAfter(run, pass) >= 0);

        run.send("dpi 1 2");
        QVERIFY(run.waitFor(QStringLiteral("^%1 read\\(4\\) = 4: .* \\[ 06 07 00 02 \\]$").arg(listener), 5000, pass) >= 0);
        QVERIFY(run.waitFor("^zephra.ui: QML setCurrentDPI 2 returned$", 5000, pass) >= 0);
        quit(run);
    }

    // Run as a user who may not open the root-only node: the setup checker tells why, once, however many
    // passes follow.
    void nodeTheUserMayNotOpen()
    {
        const passwd *account = getpwnam(kUnprivileged.toLatin1().constData());
        if (geteuid() != 0 || !account)
            QSKIP("running the program as another user takes root and the user nobody");
        DemoProcess run(QByteArray{});
        QVERIFY(chownTree(run.folder(), account->pw_uid, account->pw_gid));
        run.setEnvironmentValue(QStringLiteral("HOME"), run.folder());
        QVERIFY(start(run, {QStringLiteral("--user"), kUnprivileged}));
        const QString command = nodesOf(run, 1).value(1);

        const int first = passAfter(run, 0, 15000);
        QVERIFY2(first >= 0 && run.lines()[first] == QLatin1String("Device DisConnect"), qPrintable(run.lines().join('\n')));
        const int told = run.waitFor("^Setup check: No access to the mouse - ", 5000, first);
        QVERIFY2(told >= 0, qPrintable(run.lines().join('\n')));
        QVERIFY(run.waitFor(QStringLiteral("^\\(Failed to open a device with path '/dev/%1': Permission denied\\)$").arg(command),
                            1000, told) >= 0);

        const int mark = int(run.lines().size());
        run.send("notice");
        const int second = passAfter(run, mark);
        QVERIFY2(second >= 0 && run.lines()[second] == QLatin1String("Device DisConnect"), qPrintable(run.lines().mid(mark).join('\n')));
        QCOMPARE(run.lines().filter(QRegularExpression("^Setup check:")).size(), 1);
        quit(run);
    }

    // A 560-family mouse answers each profile read with four input reports at once: the transport reads
    // them all on the handle that sent the command (hidraw drops what was listed for a closed handle).
    void profileDownloadOf560Family()
    {
        DemoProcess run(QByteArray{});
        QFile config(run.folder() + QStringLiteral("/modules/setting/apConfig.bin"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QByteArray text = config.readAll().replace("icType=553", "icType=560");
        config.close();
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate) && config.write(text) == text.size());
        config.close();
        QVERIFY(start(run));
        const QString command = nodesOf(run, 1).value(1);
        const int connected = run.waitFor("^Device Connect$", 15000);
        const int started = run.waitFor("QML initUI +returned", 15000, connected);
        QVERIFY2(started >= 0, qPrintable(run.lines().join('\n')));
        const QStringList pass = run.lines().mid(connected, started - connected);
        // Profiles 0 to 4 (the shipped settings have gun keys), 128 bytes each in reports of 32.
        QCOMPARE(pass.filter(QRegularExpression(QStringLiteral("^%1 ioctl HIDIOCSFEATURE\\(9\\) = 9: .* 560 8CH readProfile$")
                                                    .arg(command))).size(), 5);
        QCOMPARE(pass.filter(QRegularExpression(QStringLiteral("^%1 read\\(33\\) = 32: ").arg(command))).size(), 20);
        quit(run);
    }

    // Two of the listed mice: enumeration lists the second one's nodes last, and the program uses that
    // mouse for everything (handshake, option write, listener); the first one is never asked.
    void twoMice()
    {
        DemoProcess run(QByteArray{});
        QVERIFY(start(run, {QStringLiteral("--mice"), QStringLiteral("2")}));
        const QStringList first = nodesOf(run, 1), second = nodesOf(run, 2);
        QVERIFY2(run.waitFor("QML run +returned", 15000) >= 0, qPrintable(run.lines().join('\n')));
        QVERIFY(run.waitFor(QStringLiteral("^%1 ioctl HIDIOCGRDESCSIZE = 0$").arg(second.value(2)), 5000) >= 0);

        run.send("dpi 1 4");
        run.send("dpi 2 2");
        QVERIFY(run.waitFor("^zephra.ui: QML setCurrentDPI 2 returned$") >= 0);
        run.send("state 1");
        QVERIFY(run.waitFor("^state mouse 1 .*, commands 0,", 5000) >= 0);
        QCOMPARE(run.lines().filter(QRegularExpression(QStringLiteral("^(%1|%2) ").arg(first.value(1), first.value(2)))).size(), 0);
        QCOMPARE(run.lines().filter("setCurrentDPI 4").size(), 0);
        quit(run);
    }

private:
    QString wrapper;
};

QTEST_GUILESS_MAIN(TestKernelEndToEnd)
#include "tst_kernel_e2e.moc"
