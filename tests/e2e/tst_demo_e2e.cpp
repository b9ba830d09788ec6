// The whole program end to end: zephra-config-demo on a virtual X display with its virtual mouse. Start,
// discovery and the interface's start, a DPI switch made on the mouse, unplugging and plugging in again, a
// second start, and quitting from the tray menu. Saves a picture of the window in the test output folder.

#include "demo_process.h"
#include "virtual_display.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>

namespace {
const QString kOutput = QStringLiteral(ZEPHRA_TEST_OUTPUT);
}

class TestDemoEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!display.missing.isEmpty())
            QSKIP(qPrintable(display.missing + " is not installed"));
        QVERIFY2(!display.display.isEmpty(), "Xvfb did not start");
        qputenv("DISPLAY", display.display);   // for xdotool
        QDir().mkpath(kOutput);
    }

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

        // Unplugged: the listener notices, the view is disabled.
        mark = demo.lines().size();
        demo.send("unplug");
        QVERIFY(demo.waitFor("Device removed", 3000, mark) >= 0);
        demo.send("state");
        QVERIFY(demo.waitFor("^state .* view disabled$", 3000, mark) >= 0);

        // Plugged in again: the device-change notice's pass (2048 ms later: tst_shell) accepts it again.
        mark = demo.lines().size();
        demo.send("plug");
        const int plugged = demo.waitFor("^plugged$", 3000, mark);
        const int again = demo.waitFor("^Device Connect$", 6000, mark);
        QVERIFY(again > plugged);
        QVERIFY(demo.waitFor("QML initUI +returned", 10000, again) >= 0);
        QVERIFY(demo.waitForState("view enabled$"));   // past the interface's busy guard

        // Quit from the tray menu ends the program with 0.
        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

    // A second start messages the first and ends with 1; the first comes back only while connected.
    void secondStartRestoresOnlyWhileConnected()
    {
        DemoProcess first(display.display);
        QVERIFY(first.start());
        QVERIFY(first.waitFor("^Device Connect$") >= 0);
        first.send("close");
        QVERIFY(first.waitFor("^closed$") >= 0);

        auto secondStart = [&] {
            DemoProcess second(display.display, first.folder());
            if (!second.start())
                return -2;
            int code = -1;
            return second.finish(15000, &code) ? code : -3;
        };
        QCOMPARE(secondStart(), 1);
        int mark = first.lines().size();
        first.send("state");
        QVERIFY(first.waitFor("^state .* window shown", 3000, mark) >= 0);

        // No device any more: once the listener has noticed, the next device-change notice makes a pass that
        // finds nothing and hides the window; a second start then changes nothing.
        mark = first.lines().size();
        first.send("unplug");
        QVERIFY(first.waitFor("Device removed", 3000, mark) >= 0);
        first.send("notice");
        QVERIFY(first.waitFor("^Device DisConnect$", 6000, mark) >= 0);
        QCOMPARE(secondStart(), 1);
        QTest::qWait(300);
        mark = first.lines().size();
        first.send("state");
        QVERIFY(first.waitFor("^state .* window hidden", 3000, mark) >= 0);

        first.send("quit");
        int code = -1;
        QVERIFY(first.finish(10000, &code));
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
