// SPDX-License-Identifier: GPL-3.0-or-later
// The InputCapture component: callbacks with their contexts, key states across events and constructions,
// copy-data delivery, and what it says when the session offers no global input (tests run headless).

#include "input_capture.h"
#include "message_capture.h"
#include "system_input_source.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

using namespace capture;

namespace {

// What the callbacks saw, one text per call, with the context they were given.
struct Recorder
{
    QStringList calls;
};

void recordKey(uint8_t usage, bool pressed, void *context)
{
    static_cast<Recorder *>(context)->calls << QString::asprintf("key %02X %d", usage, pressed);
}

void recordOtherKey(uint8_t usage, bool pressed, void *context)
{
    static_cast<Recorder *>(context)->calls << QString::asprintf("other %02X %d", usage, pressed);
}

void recordButton(uint8_t button, bool pressed, int x, int y, void *context)
{
    static_cast<Recorder *>(context)->calls << QString::asprintf("button %02X %d %d,%d", button, pressed, x, y);
}

const CopyData *deliveredMessage = nullptr;

void recordCopyData(const CopyData *message, void *context)
{
    deliveredMessage = message;
    const QByteArray bytes(static_cast<const char *>(message->lpData), qsizetype(message->cbData));
    static_cast<Recorder *>(context)->calls
        << QStringLiteral("copy %1 %2 %3").arg(message->dwData).arg(message->cbData).arg(QString::fromUtf8(bytes));
}

KeyHookData key(uint32_t scan, bool pressed)
{
    return KeyHookData{0, pressed ? kKeyDown : kKeyUp, scan, pressed ? 0u : kFlagReleased};
}

constexpr uint32_t kScanA = 0x1E;

}  // namespace

class TestInputCapture : public QObject
{
    Q_OBJECT

private slots:
    void headlessSessionSaysSoOnce()
    {
        MessageCapture messages;
        InputCapture capture(createInputSource);
        QVERIFY(!capture.captureAvailable());
        QVERIFY(!capture.installHooks());
        capture.removeHooks();
        QVERIFY(!capture.installHooks());
        const QStringList said = messages.messages().filter("Input capture unavailable");
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains("offscreen"), qPrintable(said.first()));
        // Nothing else is affected: the procedures still work when fed.
        Recorder recorder;
        capture.setKeyboardCallback(recordKey, &recorder);
        capture.keyboardEvent(key(kScanA, true));
        QCOMPARE(recorder.calls, QStringList{"key 04 1"});
    }

    void keyboardCallbackWithContext()
    {
        InputCapture capture(createInputSource);
        Recorder first;
        Recorder second;
        capture.keyboardEvent(key(kScanA, true));  // no callback: dropped, but A is now pressed
        capture.setKeyboardCallback(recordKey, &first);
        capture.keyboardEvent(key(kScanA, true));  // repeat: silent
        capture.keyboardEvent(key(kScanA, false));
        capture.setKeyboardCallback(recordOtherKey, &second);  // replaces the first pair
        capture.keyboardEvent(key(0x1C, true));
        capture.keyboardEvent(key(0x5C, true));  // no translation
        capture.setKeyboardCallback(nullptr, nullptr);
        capture.keyboardEvent(key(0x1C, false));
        QCOMPARE(first.calls, QStringList{"key 04 0"});
        QCOMPARE(second.calls, QStringList{"other 28 1"});
    }

    void mouseCallbackWithContext()
    {
        InputCapture capture(createInputSource);
        Recorder recorder;
        capture.mouseEvent(kLeftButtonDown, 5, 5);  // no callback: dropped
        capture.setMouseCallback(recordButton, &recorder);
        capture.mouseEvent(kLeftButtonDown, 100, 200);
        capture.mouseEvent(kLeftButtonDown, 100, 200);  // buttons have no state: both reported
        capture.mouseEvent(kLeftButtonDoubleClick, 100, 200);
        capture.mouseEvent(kLeftButtonUp, 101, 201);
        capture.mouseEvent(0x200, 1, 1);  // move
        capture.mouseEvent(kRightButtonDown, -20, 7);  // left of the primary screen
        capture.mouseEvent(kMiddleButtonUp, 0, 0);
        QCOMPARE(recorder.calls, (QStringList{"button F0 1 100,200", "button F0 1 100,200", "button F0 0 101,201",
                                              "button F1 1 -20,7", "button F2 0 0,0"}));
    }

    void copyDataGoesToItsCallback()
    {
        InputCapture capture(createInputSource);
        const QByteArray text("hello");
        CopyData message;
        message.dwData = 9487;
        message.cbData = uint32_t(text.size());
        message.lpData = text.constData();
        QVERIFY(!capture.deliverCopyData(message));  // no handler: not handled

        Recorder recorder;
        capture.setCopyDataHandler(recordCopyData, &recorder);
        deliveredMessage = nullptr;
        QVERIFY(capture.deliverCopyData(message));
        QCOMPARE(deliveredMessage, &message);  // handed on as it is, not copied
        message.dwData = 1;  // handled whatever it carries
        message.cbData = 0;
        message.lpData = nullptr;
        QVERIFY(capture.deliverCopyData(message));
        QCOMPARE(recorder.calls, (QStringList{"copy 9487 5 hello", "copy 1 0 "}));
    }

    void newCaptureStartsClean()
    {
        Recorder recorder;
        {
            InputCapture first(createInputSource);
            first.setKeyboardCallback(recordKey, &recorder);
            first.keyboardEvent(key(kScanA, true));  // destroyed while A is held
        }
        InputCapture second(createInputSource);
        second.keyboardEvent(key(kScanA, true));  // no callback carried over
        QCOMPARE(recorder.calls, QStringList{"key 04 1"});
        second.setKeyboardCallback(recordKey, &recorder);
        second.keyboardEvent(key(kScanA, false));
        QCOMPARE(recorder.calls, (QStringList{"key 04 1", "key 04 0"}));

        InputCapture third(createInputSource);
        third.setKeyboardCallback(recordKey, &recorder);
        third.keyboardEvent(key(kScanA, false));  // released in the earlier ones, never pressed here
        third.keyboardEvent(key(kScanA, true));
        QCOMPARE(recorder.calls.size(), 3);
        QCOMPARE(recorder.calls.last(), QStringLiteral("key 04 1"));
    }

    // Without global input the keys and buttons that reach the program's own window go through the same
    // procedures: native scan codes are X keycodes (evdev + 8), auto-repeat is left out, a double click's
    // press counts as a press, and the window's own handling goes on.
    void windowInputStandsInForGlobalInput()
    {
        InputCapture capture(createInputSource);
        QObject window;
        Recorder recorder;
        capture.setKeyboardCallback(recordKey, &recorder);
        capture.setMouseCallback(recordButton, &recorder);
        QVERIFY(capture.watchWindowInput(createWindowInputSource, &window));
        auto sendKey = [&](QEvent::Type type, quint32 native, bool repeat = false) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, native, 0, 0, QString(), repeat);
            QCoreApplication::sendEvent(&window, &event);
        };
        auto sendButton = [&](QEvent::Type type, Qt::MouseButton button) {
            QMouseEvent event(type, QPointF(3, 4), QPointF(100, 200), button, button, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &event);
        };
        sendKey(QEvent::KeyPress, 38);          // A (evdev 30)
        sendKey(QEvent::KeyRelease, 38, true);  // its auto-repeat
        sendKey(QEvent::KeyPress, 38, true);
        sendKey(QEvent::KeyPress, 105);         // right Ctrl (evdev 97, extended)
        sendKey(QEvent::KeyRelease, 38);
        sendKey(QEvent::KeyPress, 0);           // no native code (a synthetic key)
        sendButton(QEvent::MouseButtonPress, Qt::LeftButton);
        sendButton(QEvent::MouseButtonDblClick, Qt::LeftButton);
        sendButton(QEvent::MouseButtonRelease, Qt::RightButton);
        sendButton(QEvent::MouseButtonPress, Qt::BackButton);
        QCOMPARE(recorder.calls, QStringList({"key 04 1", "key E4 1", "key 04 0", "button F0 1 100,200",
                                              "button F0 1 100,200", "button F1 0 100,200"}));
        capture.removeHooks();
        sendKey(QEvent::KeyPress, 38);
        QCOMPARE(recorder.calls.size(), 6);
    }
};

QTEST_MAIN(TestInputCapture)
#include "tst_input_capture.moc"
