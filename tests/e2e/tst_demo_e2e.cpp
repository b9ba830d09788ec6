// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program end to end: zephra-config-demo on a virtual X display with its virtual mouse. Start,
// discovery and the interface's start, a DPI switch made on the mouse, unplugging (the disconnected state:
// the window still drags and closes) and plugging in again, the export dialog, a second start, closing
// without a tray, --help and --version, and quitting from the tray menu. Saves pictures of the window, the
// disconnected state and the file dialog in the test output folder.

#include "demo_process.h"
#include "virtual_display.h"
#include "window_places.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kOutput = QStringLiteral(ZEPHRA_TEST_OUTPUT);

// The window position in a "state" line ("... at <x>,<y> ...").
QPoint positionIn(const QString &line)
{
    const QRegularExpressionMatch m = QRegularExpression(" at (-?\\d+),(-?\\d+) ").match(line);
    return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
}

// A picture with something on it: dark text on a light dialog (Qt's own dialog painted black has neither).
bool isReadable(const QImage &picture)
{
    if (picture.width() < 300 || picture.height() < 200)
        return false;
    int light = 0, dark = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            const int v = qGray(picture.pixel(x, y));
            light += v > 200;
            dark += v < 60;
        }
    const int samples = (picture.width() / 2) * (picture.height() / 2);
    return light > samples / 2 && dark > samples / 200;
}

}  // namespace

class TestDemoEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZEPHRA_REQUIRE_DISPLAY(display);
        qputenv("DISPLAY", display.display);   // for xdotool
        QDir().mkpath(kOutput);
    }
    void cleanup() { display.withdrawTray(); }   // each test that wants a tray provides one

    void startFindsTheMouseAndStartsTheInterface()
    {
        DemoProcess demo(display.display);
        QVERIFY(demo.start());
        const int connect = demo.waitFor("^Device Connect$");
        QVERIFY2(connect >= 0, qPrintable(demo.lines().join('\n')));
        QVERIFY(demo.waitFor("^tray Info\\|Detect Device\\|10000$") >= 0);
        const int init = demo.waitFor("QML initUI +returned", 10000, connect);
        const int run = demo.waitFor("QML run +returned", 10000, connect);
        QVERIFY(init > connect);
        QVERIFY(run > init);

        // The interface guards itself for a second after initUI; the picture is taken after that.
        QVERIFY(demo.waitForState("view enabled$"));
        const QString picture = kOutput + QStringLiteral("/main_window.png");
        demo.send("shot " + picture);
        QVERIFY(demo.waitFor("^shot saved") >= 0);
        const QImage image(picture);
        QCOMPARE(image.size(), QSize(1024, 640));

        // The DPI button on the mouse: stage 3 reaches the interface and the tray.
        int mark = demo.lines().size();
        demo.send("dpi 3");
        QVERIFY(demo.waitFor("QML setCurrentDPI 3 returned", 5000, mark) >= 0);
        QVERIFY(demo.waitFor("^tray Info\\|.+ \\|10000$", 5000, mark) >= 0);

        // The export dialog: a window of its own, readable, offering the profile's name.
        mark = demo.lines().size();
        demo.send("export profile 0");
        QVERIFY(demo.waitFor("^exporting$", 3000, mark) >= 0);
        const QString dialogPicture = kOutput + QStringLiteral("/file_dialog.png");
        QFile::remove(dialogPicture);
        QTest::qWait(800);
        demo.send("shot " + dialogPicture + " fileDialog");
        QVERIFY2(demo.waitFor("^shot saved", 5000, mark) >= 0, qPrintable(demo.lines().mid(mark).join('\n')));
        QVERIFY(isReadable(QImage(dialogPicture)));
        demo.send("dialog cancel");
        QVERIFY(demo.waitFor("^dialogs cancelled 1$", 3000, mark) >= 0);

        // Unplugged: the listener notices, the interface shows the disconnected state over the settings and
        // the view stays enabled.
        mark = demo.lines().size();
        demo.send("unplug");
        QVERIFY(demo.waitFor("Device removed", 3000, mark) >= 0);
        demo.send("state");
        QVERIFY(demo.waitFor("^state .* mouse disconnected view enabled$", 3000, mark) >= 0);
        QTest::qWait(300);
        demo.send("shot " + kOutput + QStringLiteral("/disconnected.png"));
        QVERIFY(demo.waitFor("^shot saved", 3000, mark) >= 0);

        // Plugged in again: the device-change notice's pass (2048 ms later: tst_shell) accepts it again.
        mark = demo.lines().size();
        demo.send("plug");
        const int plugged = demo.waitFor("^plugged$", 3000, mark);
        const int again = demo.waitFor("^Device Connect$", 6000, mark);
        QVERIFY(again > plugged);
        QVERIFY(demo.waitFor("QML initUI +returned", 10000, again) >= 0);
        QVERIFY(demo.waitForState("mouse connected view enabled$"));   // past the interface's busy guard

        // Quit from the tray menu ends the program with 0.
        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

    // Started as users start it, the program draws in software and never loads an OpenGL driver; Qt's
    // own variables still choose the OpenGL scene graph (this also shows that a loaded driver is seen).
    void drawsInSoftwareUnlessOpenGlIsAskedFor_data()
    {
        QTest::addColumn<QString>("rhiBackend");
        QTest::addColumn<bool>("driverLoaded");
        QTest::newRow("as users start it") << QString() << false;
        QTest::newRow("OpenGL asked for") << QStringLiteral("opengl") << true;
    }
    void drawsInSoftwareUnlessOpenGlIsAskedFor()
    {
        QFETCH(QString, rhiBackend);
        QFETCH(bool, driverLoaded);
        DemoProcess demo(display.display);
        demo.setEnvironmentValue(QStringLiteral("QT_QUICK_BACKEND"), QString());
        demo.setEnvironmentValue(QStringLiteral("QSG_RHI_BACKEND"), rhiBackend);
        QVERIFY(demo.start());
        QVERIFY2(demo.waitFor("^window exposed$") >= 0, qPrintable(demo.lines().join('\n')));
        QVERIFY(demo.waitFor("QML initUI +returned") >= 0);
        QCOMPARE(demo.openGlDriverLoaded(), driverLoaded);
        // (Ended by the process's owner: a driver's allocations kept until exit are no concern here.)
    }

    // A second start messages the first and ends with 1, and brings its window back; before any mouse
    // was found there is no window to bring back. (With a tray: closing only hides the window.)
    void secondStartRestoresTheWindow()
    {
        QVERIFY(display.provideTray());
        DemoProcess first(display.display);
        QVERIFY(first.start());
        QVERIFY(first.waitFor("^Device Connect$") >= 0);
        first.send("close");
        QVERIFY(first.waitFor("^closed$") >= 0);

        auto secondStart = [&](const QStringList &arguments = {}, QString *printed = nullptr) {
            DemoProcess second(display.display, first.folder());
            if (!second.start(arguments))
                return -2;
            int code = -1;
            const bool ended = second.finish(15000, &code);
            if (printed)
                *printed = second.lines().join('\n');
            return ended ? code : -3;
        };
        // --help and --version print and end with 0 without touching the running instance.
        QString printed;
        QCOMPARE(secondStart({"--help"}, &printed), 0);
        QVERIFY2(printed.contains("--background") && printed.endsWith("See zephra-config(1) for more."),
                 qPrintable(printed));
        QCOMPARE(secondStart({"--version"}, &printed), 0);
        QCOMPARE(printed, QStringLiteral("zephra-config " ZEPHRA_VERSION));
        int mark = first.lines().size();
        first.send("state");
        QVERIFY(first.waitFor("^state .* window hidden", 3000, mark) >= 0);

        QCOMPARE(secondStart(), 1);
        mark = first.lines().size();
        first.send("state");
        QVERIFY(first.waitFor("^state .* window shown", 3000, mark) >= 0);

        // No device any more: a pass finds nothing, and the window stays with the disconnected state; closed
        // and started again, it comes back showing it.
        mark = first.lines().size();
        first.send("unplug");
        QVERIFY(first.waitFor("Device removed", 3000, mark) >= 0);
        first.send("notice");
        QVERIFY(first.waitFor("^Device DisConnect$", 6000, mark) >= 0);
        first.send("close");
        QVERIFY(first.waitFor("^closed$", 3000, mark) >= 0);
        QCOMPARE(secondStart(), 1);
        mark = first.lines().size();
        first.send("state");
        QVERIFY(first.waitFor("^state .* window shown .* mouse disconnected", 3000, mark) >= 0);

        QCOMPARE(first.quit(), 0);
    }

    // The disconnected window still drags (moved by the interface: no window manager here) and closes.
    void disconnectedWindowDragsAndCloses()
    {
        QVERIFY(display.provideTray());
        DemoProcess demo(display.display);
        QVERIFY(demo.start());
        QVERIFY(demo.waitFor("QML initUI +returned") >= 0);
        QVERIFY(demo.waitForState("view enabled$"));   // past the interface's busy guard
        int mark = demo.lines().size();
        demo.send("unplug");
        QVERIFY(demo.waitFor("Device removed", 3000, mark) >= 0);
        demo.send("state");
        const int before = demo.waitFor("^state .* window shown at ", 3000, mark);
        QVERIFY(before >= 0);
        const QPoint start = positionIn(demo.lines()[before]);
        const QPoint grab = start + places::kTitleBar;
        // One move: the interface moves the window by the pointer's offset from the press point, measured in
        // the window, which X moves asynchronously.
        QProcess::execute(display.xdotool, {"mousemove", QString::number(grab.x()), QString::number(grab.y()),
                                            "mousedown", "1", "mousemove", QString::number(grab.x() + 50),
                                            QString::number(grab.y() + 30), "mouseup", "1"});
        const QPoint end = start + QPoint(50, 30);
        QVERIFY2(demo.waitForState(QStringLiteral("^state .* window shown at %1,%2 ").arg(end.x()).arg(end.y())),
                 qPrintable(demo.lines().join('\n')));
        mark = demo.lines().size();
        demo.send("close");
        QVERIFY(demo.waitFor("^closed$", 3000, mark) >= 0);
        demo.send("state");
        QVERIFY(demo.waitFor("^state .* window hidden", 3000, mark) >= 0);
        QCOMPARE(demo.quit(), 0);
    }

    // Started by hand with no mouse, the program says in a window that it waits for it, and the mouse found
    // opens the settings; the autostart entry's --background start stays quiet in the tray.
    void startByHandWaitsForTheMouse()
    {
        QVERIFY(display.provideTray());
        {
            DemoProcess quiet(display.display);
            QVERIFY(quiet.start({"--background", "--unplugged"}));
            QVERIFY(quiet.waitFor("^Device DisConnect$") >= 0);
            quiet.send("state");
            const int state = quiet.waitFor("^state .* window hidden", 3000);
            QVERIFY(state >= 0);
            QCOMPARE(quiet.waitFor("^Setup check:", 0), -1);   // the pass's notice would come before the answer
            QCOMPARE(quiet.quit(), 0);
        }
        DemoProcess demo(display.display);
        QVERIFY(demo.start({"--unplugged"}));
        QVERIFY(demo.waitFor("^Setup check: Waiting for the mouse - No ORVANTE ZEPHRA Z714 mouse is connected") >= 0);
        const QString picture = kOutput + QStringLiteral("/waiting_for_mouse.png");
        demo.send("shot " + picture + " setupNotice");
        QVERIFY(demo.waitFor("^shot saved") >= 0);
        const int mark = demo.lines().size();
        demo.send("plug");
        QVERIFY(demo.waitFor("^Device Connect$", 6000, mark) >= 0);
        demo.send("state");
        QVERIFY(demo.waitFor("^state .* window shown .* mouse connected", 3000, mark) >= 0);
        QCOMPARE(demo.quit(), 0);
    }

    // Without a tray nothing would bring a closed window back: closing it ends the program, saying so.
    void withoutTrayClosingEndsTheProgram()
    {
        DemoProcess demo(display.display);
        QVERIFY(demo.start());
        QVERIFY(demo.waitFor("^Device Connect$") >= 0);
        demo.send("close");
        QVERIFY(demo.waitFor("No system tray: closing the window ends the program", 5000) >= 0);
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

    // Keys and clicks made anywhere on the display reach the interface as HID usages and button codes,
    // after the event (queued).
    void globalInputReachesTheInterface()
    {
        DemoProcess demo(display.display);
        QVERIFY(demo.start());
        QVERIFY(demo.waitFor("QML run +returned") >= 0);
        const int mark = demo.lines().size();
        QProcess::execute(display.xdotool, {"mousemove", "100", "200", "key", "1", "click", "1"});
        QVERIFY2(demo.waitFor("^zephra.ui: QML detectKeyboard true 30 returned$", 5000, mark) >= 0,
                 qPrintable(demo.lines().join('\n')));
        QVERIFY(demo.waitFor("^zephra.ui: QML detectKeyboard false 30 returned$", 5000, mark) >= 0);
        QVERIFY(demo.waitFor("^zephra.ui: QML detectMouse true 240 100 200 returned$", 5000, mark) >= 0);
        QVERIFY(demo.waitFor("^zephra.ui: QML detectMouse false 240 100 200 returned$", 5000, mark) >= 0);
        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

private:
    VirtualDisplay display;
};

QTEST_GUILESS_MAIN(TestDemoEndToEnd)
#include "tst_demo_e2e.moc"
