// SPDX-License-Identifier: GPL-3.0-or-later
// End to end on a virtual X display: synthetic keys and clicks (XTest, sent by xdotool as another X
// client) reach InputCapture's callbacks through XInput 2 raw events, queued after the event, and still
// reach the window they were meant for. Skips itself when Xvfb or xdotool is not installed.

#include "input_capture.h"
#include "system_input_source.h"
#include "virtual_display.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>


// On X11, Qt's platform code opens the session bus through libdbus, which keeps one buffer until exit;
// the leak check of sanitized builds is told to overlook it (and nothing else).
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

namespace {

VirtualDisplay *virtualDisplay = nullptr;

// Receives the callbacks' reports through the event loop, as the host's forwarding into the interface
// does, and notes whether each arrived after its callback had returned.
class Recorder : public QObject
{
public:
    QStringList keys;
    QStringList buttons;
    bool inCallback = false;
    bool deliveredInsideCallback = false;

    void post(QStringList Recorder::*list, const QString &text)
    {
        QMetaObject::invokeMethod(
            this,
            [this, list, text] {
                deliveredInsideCallback |= inCallback;
                (this->*list) << text;
            },
            Qt::QueuedConnection);
    }
};

void keyCallback(uint8_t usage, bool pressed, void *context)
{
    auto *recorder = static_cast<Recorder *>(context);
    recorder->inCallback = true;
    recorder->post(&Recorder::keys, QString::asprintf("%02X %d", usage, pressed));
    recorder->inCallback = false;
}

void mouseCallback(uint8_t button, bool pressed, int x, int y, void *context)
{
    auto *recorder = static_cast<Recorder *>(context);
    recorder->inCallback = true;
    recorder->post(&Recorder::buttons, QString::asprintf("%02X %d %d,%d", button, pressed, x, y));
    recorder->inCallback = false;
}

// A window of our own under the pointer, to show that watched input still arrives where it was sent.
class TargetWindow : public QWindow
{
public:
    QStringList seen;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
            seen << "key " + static_cast<QKeyEvent *>(event)->text();
        else if (event->type() == QEvent::MouseButtonPress)
            seen << QStringLiteral("click %1,%2")
                        .arg(static_cast<QMouseEvent *>(event)->globalPosition().x())
                        .arg(static_cast<QMouseEvent *>(event)->globalPosition().y());
        return QWindow::event(event);
    }
};

}  // namespace

class TestCaptureXvfb : public QObject
{
    Q_OBJECT

private:
    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start(virtualDisplay->xdotool, arguments);
        QVERIFY2(process.waitForFinished(10000), "xdotool did not finish");
        QCOMPARE(process.exitCode(), 0);
    }

    std::unique_ptr<InputCapture> capture;
    Recorder recorder;
    TargetWindow window;

private slots:
    void initTestCase()
    {
        if (!virtualDisplay->missing.isEmpty())
            QSKIP(qPrintable(virtualDisplay->missing + " is not installed"));
        QVERIFY2(!virtualDisplay->display.isEmpty(), "Xvfb did not start");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));

        capture = std::make_unique<InputCapture>(capture::createInputSource);
        QVERIFY(capture->captureAvailable());
        capture->setKeyboardCallback(keyCallback, &recorder);
        capture->setMouseCallback(mouseCallback, &recorder);

        window.setGeometry(0, 0, 400, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        xdotool({"mousemove", "50", "50"});  // keys go to the window under the pointer (no window manager)
    }

    void keyReachesCallback()
    {
        recorder.keys.clear();
        window.seen.clear();
        xdotool({"key", "1"});
        QTRY_COMPARE(recorder.keys, (QStringList{"1E 1", "1E 0"}));
        QTRY_COMPARE(window.seen, QStringList{"key 1"});
        QVERIFY(!recorder.deliveredInsideCallback);
    }

    void clickReachesCallback()
    {
        recorder.buttons.clear();
        window.seen.clear();
        xdotool({"mousemove", "100", "200", "click", "1"});
        QTRY_COMPARE(recorder.buttons, (QStringList{"F0 1 100,200", "F0 0 100,200"}));
        QTRY_COMPARE(window.seen, QStringList{"click 100,200"});
        xdotool({"click", "3", "click", "2", "click", "4"});  // right, middle, a wheel step
        QTRY_COMPARE(recorder.buttons.size(), 6);
        QCOMPARE(recorder.buttons.mid(2),
                 (QStringList{"F1 1 100,200", "F1 0 100,200", "F2 1 100,200", "F2 0 100,200"}));
        QVERIFY(!recorder.deliveredInsideCallback);
    }

    void altPrintScreen()
    {
        recorder.keys.clear();
        // xdotool lets go of a chord's keys in the order it pressed them: Alt first.
        xdotool({"key", "alt+Print", "Print", "KP_Enter", "Return"});
        QTRY_COMPARE(recorder.keys, (QStringList{"E2 1", "46 1", "E2 0", "46 0", "46 1", "46 0", "58 1", "58 0",
                                                 "28 1", "28 0"}));
    }

    void removedHooksReportNothing()
    {
        capture->removeHooks();
        QVERIFY(!capture->captureAvailable());
        recorder.keys.clear();
        window.seen.clear();
        xdotool({"key", "2"});
        QTRY_COMPARE(window.seen, QStringList{"key 2"});  // the key went by

        // Watching again, key 3 is the first the callback hears of: "2" was never reported.
        QVERIFY(capture->installHooks());
        xdotool({"key", "3"});
        QTRY_COMPARE(recorder.keys, (QStringList{"20 1", "20 0"}));
    }

    void cleanupTestCase() { capture.reset(); }
};

int main(int argc, char **argv)
{
    VirtualDisplay display;
    virtualDisplay = &display;
    if (!display.display.isEmpty()) {
        qputenv("DISPLAY", display.display);
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // only to report the skip
    }
    QGuiApplication app(argc, argv);
    TestCaptureXvfb test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_capture_xvfb.moc"
