// SPDX-License-Identifier: GPL-3.0-or-later
// The setup checker in the whole program: zephra-config-demo on a virtual X display (which has no system
// tray), its virtual mouse made inaccessible. The pass after plugging it in again stays disconnected and a
// window of its own says why; with access granted again the next pass connects. Saves a picture of that
// window in the test output folder.

#include "demo_process.h"
#include "virtual_display.h"

#include <QDir>
#include <QImage>
#include <QTest>

class TestSetupEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZEPHRA_REQUIRE_DISPLAY(display);
        QDir().mkpath(QStringLiteral(ZEPHRA_TEST_OUTPUT));
    }

    void noAccessIsToldInAWindow()
    {
        DemoProcess demo(display.display);
        QVERIFY(demo.start());
        QVERIFY2(demo.waitFor("^Device Connect$") >= 0, qPrintable(demo.lines().join('\n')));

        int mark = demo.lines().size();
        demo.send("access denied");
        QVERIFY(demo.waitFor("^access denied$", 3000, mark) >= 0);
        demo.send("unplug");
        QVERIFY(demo.waitFor("Device removed", 3000, mark) >= 0);
        demo.send("plug");
        QVERIFY(demo.waitFor("^Device DisConnect$", 6000, mark) >= 0);
        const int told = demo.waitFor("^Setup check: No access to the mouse - The mouse is plugged in", 3000, mark);
        QVERIFY2(told >= 0, qPrintable(demo.lines().mid(mark).join('\n')));

        const QString picture = QStringLiteral(ZEPHRA_TEST_OUTPUT "/setup_notice.png");
        QFile::remove(picture);
        demo.send("shot " + picture + " setupNotice");
        QVERIFY(demo.waitFor("^shot saved", 3000, mark) >= 0);
        const QImage image(picture);
        QVERIFY(image.width() > 200 && image.height() > 100);

        // Access granted, plugged in again: connected, and the same cause is not told twice.
        mark = demo.lines().size();
        demo.send("access granted");
        demo.send("unplug");
        demo.send("plug");
        QVERIFY(demo.waitFor("^Device Connect$", 6000, mark) >= 0);
        QCOMPARE(demo.waitFor("^Setup check:", 200, mark), -1);

        demo.send("quit");
        int code = -1;
        QVERIFY(demo.finish(10000, &code));
        QCOMPARE(code, 0);
    }

private:
    VirtualDisplay display;
};

QTEST_GUILESS_MAIN(TestSetupEndToEnd)
#include "tst_setup_e2e.moc"
