// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on a real Wayland compositor: zephra-config-demo with Qt's Wayland platform on weston
// (x11 backend, inside a virtual X display), driven with xdotool on weston's window. The window maps, a drag
// of its title bar moves it (the compositor moves it: a Wayland program cannot place its window), and keys
// typed into the recording macro editor become the macro's actions although the session has no global
// input. Pictures from weston's screenshooter go to the test output folder.

#include "demo_process.h"
#include "virtual_display.h"
#include "weston_display.h"
#include "window_places.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTest>

using namespace places;

namespace {

const QString kOutput = QStringLiteral(ZEPHRA_TEST_OUTPUT);

}  // namespace

class TestWaylandEndToEnd : public QObject
{
    Q_OBJECT

private:
    void xdotool(const QStringList &arguments)
    {
        QProcess::execute(display.xdotool, arguments);
        QTest::qWait(300);
    }

    void click(const QPoint &at)
    {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

    // Where the program's window is on the compositor's output; saves the picture of that part when named.
    QRect windowBox(const QString &picture = QString())
    {
        const QImage shot = weston->screenshot();
        const QRect box = WestonDisplay::windowBox(shot);
        if (!picture.isEmpty())
            shot.copy(box).save(kOutput + QLatin1Char('/') + picture);
        return box;
    }

private slots:
    void initTestCase()
    {
        ZEPHRA_REQUIRE_DISPLAY(display);
        qputenv("DISPLAY", display.display);   // for xdotool
        weston = std::make_unique<WestonDisplay>(display.display);
        if (!weston->missing.isEmpty())
            QSKIP(qPrintable(weston->missing + " is not installed"));
        QVERIFY2(weston->running(), "weston did not start");
        QDir().mkpath(kOutput);
    }

    void mapsDragsAndRecordsKeys()
    {
        DemoProcess demo(display.display);
        demo.useWayland(weston->socket());
        // With the scene graph and buffers the program chooses itself: no OpenGL driver is loaded.
        demo.setEnvironmentValue(QStringLiteral("QT_QUICK_BACKEND"), QString());
        demo.setEnvironmentValue(QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"), QString());
        QVERIFY(demo.start());
        QVERIFY2(demo.waitFor("QML initUI +returned", 15000) >= 0, qPrintable(demo.lines().join('\n')));
        QVERIFY(!demo.openGlDriverLoaded());
        QVERIFY(demo.waitFor("^Input capture: keys and clicks of the program's own window only$", 3000) >= 0);
        QVERIFY(demo.waitForState("view enabled$"));   // past the interface's busy guard

        weston->enterPointer(display.xdotool, QPoint(600, 20));
        const QRect mapped = windowBox(QStringLiteral("wayland_main.png"));
        QVERIFY2(mapped.width() > 900 && mapped.height() > 560 && mapped.height() <= 640,
                 qPrintable(QStringLiteral("%1x%2").arg(mapped.width()).arg(mapped.height())));

        // The title bar dragged by (40, 30): the compositor moves the window along.
        const QPoint grab = mapped.topLeft() + kTitleBar;
        xdotool({"mousemove", QString::number(grab.x()), QString::number(grab.y()), "mousedown", "1"});
        for (const QPoint step : {QPoint(10, 8), QPoint(20, 15), QPoint(30, 23), QPoint(40, 30)})
            xdotool({"mousemove", QString::number(grab.x() + step.x()), QString::number(grab.y() + step.y())});
        xdotool({"mouseup", "1"});
        const QRect moved = windowBox();
        QCOMPARE(moved.topLeft(), mapped.topLeft() + QPoint(40, 30));

        // Keys typed into the program's window while the macro editor records become its actions.
        const QPoint origin = moved.topLeft();
        click(origin + kMacroEditorButton);
        click(origin + kNewMacroButton);
        click(origin + kRecordButton);
        xdotool({"mousemove", QString::number(origin.x() + 512), QString::number(origin.y() + 100), "key", "a"});
        xdotool({"key", "b"});
        QVERIFY2(demo.waitFor("QML detectKeyboard false 5 returned", 5000) >= 0, qPrintable(demo.lines().join('\n')));
        windowBox(QStringLiteral("wayland_macro_editor.png"));
        click(origin + kRecordButton);   // stop: the macro is stored
        auto stored = [&demo](const char *key) {
            return QSettings(demo.folder() + QStringLiteral("/modules/macro/Macro_0.bin"), QSettings::IniFormat).value(key);
        };
        QTRY_COMPARE(stored("macro/0").toString(), QStringLiteral("1,A"));
        QVERIFY(stored("config/total").toInt() >= 4);

        QCOMPARE(demo.quit(), 0);
    }

    void cleanupTestCase() { weston.reset(); }

private:
    VirtualDisplay display{"1280x800x24"};
    std::unique_ptr<WestonDisplay> weston;
};

QTEST_GUILESS_MAIN(TestWaylandEndToEnd)
#include "tst_wayland_e2e.moc"
