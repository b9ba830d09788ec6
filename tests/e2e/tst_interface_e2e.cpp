// SPDX-License-Identifier: GPL-3.0-or-later
// The interface end to end, driven like a user with synthetic clicks and keys (xdotool) on a virtual X
// display: a macro recorded from the keyboard, bound to a button and found on the virtual mouse; a DPI
// stage dragged and saved; pictures of the main window and the dialogs in the test output folder.

#include "demo_process.h"
#include "saved_settings.h"
#include "virtual_display.h"
#include "window_places.h"
#include "window_driver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <algorithm>

using namespace places;

namespace {

const QString kOutput = QStringLiteral(ZEPHRA_TEST_OUTPUT);

}  // namespace

class TestInterfaceEndToEnd : public QObject
{
    Q_OBJECT

private:
    // Saves a picture of the window and checks its size.
    void shot(DemoProcess &demo, const QString &name)
    {
        const QString picture = kOutput + QLatin1Char('/') + name;
        const int mark = int(demo.lines().size());
        demo.send("shot " + picture);
        QVERIFY(demo.waitFor("^shot saved", 5000, mark) >= 0);
        QCOMPARE(QImage(picture).size(), QSize(1024, 640));
    }

    // The reports the mouse received since the last call, as the demo's "log" lists them.
    QStringList wireLog(DemoProcess &demo)
    {
        const int mark = int(demo.lines().size());
        demo.send("log");
        const int end = demo.waitFor("^log end$", 5000, mark);
        return end < 0 ? QStringList() : demo.lines().mid(mark, end - mark);
    }

    // The reports the mouse received from now until one matches `pattern` (or 10 s passed).
    QStringList wireLogUntil(DemoProcess &demo, const QString &pattern)
    {
        const QRegularExpression re(pattern);
        auto found = [&re](const QStringList &lines) {
            return std::any_of(lines.begin(), lines.end(), [&re](const QString &l) { return re.match(l).hasMatch(); });
        };
        QStringList log;
        QElapsedTimer waited;
        waited.start();
        while (!found(log) && waited.elapsed() < 10000) {
            log += wireLog(demo);
            if (!found(log))
                QTest::qWait(100);
        }
        return log;
    }

    // Starts the demo and waits until its interface is past the busy guard.
    bool startDemo(DemoProcess &demo)
    {
        if (!demo.start() || demo.waitFor("QML initUI +returned", 15000) < 0)
            return false;
        if (!demo.waitForState("view enabled$"))
            return false;
        if (!hand.findWindow())
            return false;
        wireLog(demo);   // what start-up sent
        return true;
    }

private slots:
    void initTestCase()
    {
        ZEPHRA_REQUIRE_DISPLAY(display);
        QDir().mkpath(kOutput);
    }

    // Record a macro from the keyboard, bind it to button 6 and find it on the mouse.
    void recordedMacroReachesTheMouse()
    {
        DemoProcess demo(display.display);
        QVERIFY2(startDemo(demo), qPrintable(demo.lines().join('\n')));

        hand.click(kMacroEditorButton);
        hand.click(kNewMacroButton);
        hand.click(kRecordButton);
        const QPoint pointer = hand.origin() + QPoint(512, 100);
        hand.xdotool({"mousemove", QString::number(pointer.x()), QString::number(pointer.y())});
        hand.xdotool({"key", "a"});
        QTest::qWait(400);
        hand.xdotool({"key", "b"});
        QVERIFY(demo.waitFor("QML detectKeyboard false 5 returned") >= 0);
        hand.click(kRecordButton);   // stop: the macro is stored
        shot(demo, QStringLiteral("interface_macro_editor.png"));

        const QSettings stored(demo.folder() + QStringLiteral("/modules/macro/Macro_0.bin"), QSettings::IniFormat);
        QCOMPARE(stored.value("config/total").toInt(), 7);
        QCOMPARE(stored.value("macro/0").toString(), QStringLiteral("1,A"));
        QCOMPARE(stored.value("macro/2").toString(), QStringLiteral("2,A"));
        QVERIFY(stored.value("macro/3").toString().startsWith(QLatin1String("0,")));
        QCOMPARE(stored.value("macro/6").toString(), QStringLiteral("2,B"));

        hand.click(kEditorOkButton);
        hand.click(kKey6Entry);
        hand.click(kMacroCategory);
        hand.click(kMacroList);
        hand.click(kFirstMacro);
        shot(demo, QStringLiteral("interface_assignment_macro.png"));
        hand.click(kAssignmentOkButton);
        const QStringList log = wireLogUntil(demo, "SetMacroKey payload$");

        // Macro number 6 (button 6's slot 5, plus one), then the device macro: repeat 1; A down, A up
        // after a short wait and with the release bit; B down after the 400 ms pause (at least 20 units of
        // 10 ms); B up; the end pair.
        const int command = int(log.indexOf(QRegularExpression(".* plain \\[ 00 13 06 .* SetMacroKey")));
        QVERIFY2(command >= 0, qPrintable(log.join('\n')));
        const QString payload = log.value(command + 1);
        const QRegularExpression macro("\\[ 00 00 01 ([0-7][0-9a-f]) 04 ([89a-f][0-9a-f]) 04 ([0-7][0-9a-f]) 05 "
                                       "81 05 00 00 00 .* SetMacroKey payload$");
        const QRegularExpressionMatch m = macro.match(payload);
        QVERIFY2(m.hasMatch(), qPrintable(payload));
        const int pause = (m.captured(2).toInt(nullptr, 16) & 0x7F);
        QVERIFY2(pause >= 20 && pause < 127, qPrintable(payload));

        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

    // Drag DPI stage 1 to its end, press Save, and find the new stage table on the mouse; pictures of
    // the main window, the system settings dialog, a control with the keyboard focus and the colour choice.
    void draggedDpiStageIsSaved()
    {
        DemoProcess demo(display.display);
        QVERIFY2(startDemo(demo), qPrintable(demo.lines().join('\n')));
        shot(demo, QStringLiteral("interface_main.png"));

        hand.click(kSystemSettingButton);
        shot(demo, QStringLiteral("interface_system_settings.png"));
        hand.click(kSystemSettingOkButton);
        wireLog(demo);

        // Tab from the top: the profile list, the window's three buttons, the key list's Reset, Key 1, Key 2.
        const int mark = int(demo.lines().size());
        for (int i = 0; i < 7; ++i)
            hand.xdotool({"key", "Tab"});
        QVERIFY(demo.waitFor("QML detectKeyboard false 43 returned", 5000, mark) >= 0);
        QTest::qWait(300);
        shot(demo, QStringLiteral("interface_keyboard_focus.png"));

        hand.click(kColour3Swatch);
        hand.drag(kColourAreaFrom, kColourAreaTo);
        shot(demo, QStringLiteral("interface_colour_choice.png"));
        hand.xdotool({"key", "Escape"});

        hand.drag(kDpiStage1Handle, kDpiStage1PastEnd);
        hand.click(kSaveButton);
        const QStringList log = wireLogUntil(demo, "SetDPISet payload$");

        // The table the shipped settings give, with stage 1 at the highest DPI.
        const QSettings global(demo.folder() + QStringLiteral("/modules/setting/apConfig.bin"), QSettings::IniFormat);
        auto storedValues = [&demo] {
            const QSettings profile(demo.folder() + QStringLiteral("/modules/setting/p1.bin"), QSettings::IniFormat);
            return profile.value("mouse/dpiValueArray").toStringList();
        };
        QTRY_COMPARE(storedValues().value(0).toInt(), global.value("mouse/maxDPI").toInt());   // what Save stored
        shot(demo, QStringLiteral("interface_dpi_saved.png"));
        const QString table = savedDpiTable(demo.folder());

        const int command = int(log.indexOf(QRegularExpression(".* plain \\[ 00 11 .* SetDPISet")));
        QVERIFY2(command >= 0, qPrintable(log.join('\n')));
        QVERIFY2(log.value(command + 1).contains("[ 00" + table + " "), qPrintable(log.value(command + 1) + " /" + table));

        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

private:
    VirtualDisplay display;
    WindowDriver hand{display, QStringLiteral("zephra-config-demo")};
};

QTEST_GUILESS_MAIN(TestInterfaceEndToEnd)
#include "tst_interface_e2e.moc"
