// SPDX-License-Identifier: GPL-3.0-or-later
// The host window with the real interface and the virtual mouse: discovery passes and what accepting a
// device does, device-change notices, the restore request, the listener's effects, the window controller,
// the copy-data warning box (also under a flood of bus calls) and the single-instance rule.

#include "app_state.h"
#include "copy_data.h"
#include "copy_data_bus.h"
#include "expire_timer.h"
#include "input_capture.h"
#include "message_capture.h"
#include "modules_folder.h"
#include "my_quick_view.h"
#include "notice_boxes.h"
#include "recording_sleeper.h"
#include "session_status.h"
#include "sim_fixture.h"
#include "single_instance.h"
#include "system_input_source.h"
#include "ui_controler.h"
#include "widget.h"

#include <QApplication>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QQuickItem>
#include <QLoggingCategory>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using vmouse::Family;
using vmouse::Kind;

namespace {

struct Shell
{
    explicit Shell(bool plugged = true, Family family = Family::F553, bool gun = true)
    {
        vmouse::reset();
        if (family == Family::F560)
            folder.write("modules/setting/apConfig.bin", config("560", gun));
        else if (!gun)
            folder.write("modules/setting/apConfig.bin", config("553", false));
        if (plugged)
            device = vmouse::addDevice(vmouse::demoMouse(family, true));
        window = std::make_unique<Widget>();
        window->hid.setSleeper(&sleeper);
        session()->trayProbe = [] { return true; };   // a desktop with a tray, unless a test says otherwise
    }
    ~Shell()
    {
        // The window waits for the listener; an unplug ends its waiting read at once.
        window->hid.stopListening();
        if (device >= 0)
            vmouse::unplug(device);
    }

    SessionStatus *session() const { return window->windowController->session; }
    QObject *rootItem(const char *name) const { return window->view()->rootObject()->findChild<QObject *>(name); }

    // The shipped global settings with another family and gun flag.
    QByteArray config(const char *icType, bool gun)
    {
        QFile file(folder.path("modules/setting/apConfig.bin"));
        file.open(QIODevice::ReadOnly);
        QByteArray text = file.readAll();
        text.replace("icType=553", QByteArray("icType=") + icType);
        if (!gun)
            text.replace("isGun=true", "isGun=false");
        return text;
    }

    QStringList rootCalls(const MessageCapture &messages) const
    {
        QStringList calls;
        for (const QString &m : messages.messages())
            if (m.startsWith("QML "))
                calls << m;
        return calls;
    }

    ModulesFolder folder;
    RecordingSleeper sleeper;
    int device = -1;
    std::unique_ptr<Widget> window;
};

}  // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        hid_init();
        QLoggingCategory::setFilterRules(QStringLiteral("zephra.ui.debug=true"));
    }
    void cleanup() { deviceConnected = false; }

    void windowIsStyledAndSized()
    {
        Shell shell;
        Widget &w = *shell.window;
        QCOMPARE(w.objectName(), QString("Widget"));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w.size(), QSize(1024, 640));
        QVERIFY(!w.windowTitle().isEmpty());
        QCOMPARE(w.view()->objectName(), QString("ui_View"));
        QVERIFY(w.view()->rootObject());
        QCOMPARE(w.view()->hidThread, &w.hid);
        QCOMPARE(w.trayIcon->toolTip(), QString("ORVANTE ZEPHRA MOUSE Z714"));
        QCOMPARE(w.trayIcon->contextMenu()->actions().last()->text(), QString("Quit (&Q)"));
    }

    // Accepting a device: the steps in their order, and initUI before run.
    void passAcceptsTheDevice()
    {
        Shell shell;
        MessageCapture messages;
        QSignalSpy tray(shell.window.get(), &Widget::trayMessageShown);
        shell.window->show();
        shell.window->checkDevice();
        QVERIFY(deviceConnected);
        QVERIFY(shell.window->isVisible());
        QVERIFY(shell.window->hid.listenerRunning);
        QCOMPARE(tray.size(), 1);
        QCOMPARE(tray[0], QVariantList({"Info", "Detect Device", 10000}));
        QVERIFY(messages.messages().contains("Device Connect"));
        QVERIFY(shell.window->view()->isEnabled());
        QVERIFY(shell.window->hid.hidIdle);
        // The listener option went to the device before the interface started.
        QCOMPARE(vmouse::state(shell.device).options553[3] & 0x40, 0x40);

        QTRY_VERIFY(shell.rootCalls(messages).size() >= 2);
        QCOMPARE(shell.rootCalls(messages).mid(0, 2), QStringList({"QML initUI  returned", "QML run  returned"}));
    }

    void passWithoutDeviceHidesTheWindow()
    {
        Shell shell(false);
        MessageCapture messages;
        shell.window->show();
        deviceConnected = true;
        shell.window->checkDevice();
        QVERIFY(!deviceConnected);
        QVERIFY(!shell.window->isVisible());
        QVERIFY(messages.messages().contains("Device DisConnect"));
        QVERIFY(!shell.window->hid.listenerRunning);
        QCoreApplication::processEvents();   // a queued call of the interface would run now
        QVERIFY(shell.rootCalls(messages).isEmpty());
    }

    void passReadsProfilesOf560Devices_data()
    {
        QTest::addColumn<bool>("gun");
        QTest::addColumn<QByteArray>("profiles");
        QTest::newRow("without gun keys") << false << QByteArray("0 1");
        QTest::newRow("with gun keys") << true << QByteArray("0 1 2 3 4");
    }
    void passReadsProfilesOf560Devices()
    {
        QFETCH(bool, gun);
        QFETCH(QByteArray, profiles);
        Shell shell(true, Family::F560, gun);
        shell.window->checkDevice();
        QList<QByteArray> read;
        for (const auto &e : fixture::events({Kind::FeatureOut}))
            if (e.plain.at(1) == 0x8C)
                read << QByteArray::number(e.plain.at(2));
        QCOMPARE(read.join(' '), profiles);
    }

    // Every notice restarts one single-shot timer of 2048 ms: five notices make one pass, 2048 ms after the
    // last. The timer is made to expire instead of waited for.
    void burstOfNoticesMakesOnePass()
    {
        Shell shell(false);
        QSignalSpy passes(shell.window.get(), &Widget::discoveryFinished);
        QTimer &timer = shell.window->deviceCheckTimer;
        QCOMPARE(timer.interval(), 2048);
        QVERIFY(timer.isSingleShot());
        for (int i = 0; i < 5; ++i) {
            shell.window->deviceChanged();
            QVERIFY(timer.isActive());
            // Once some of the interval has gone, the next notice starts it afresh.
            QTRY_VERIFY(timer.remainingTime() < 2000);
        }
        shell.window->deviceChanged();
        QVERIFY(timer.remainingTime() >= 2000);
        QCoreApplication::processEvents();
        QCOMPARE(passes.size(), 0);
        QVERIFY(expireNow(timer));
        QCOMPARE(passes.size(), 1);
        QVERIFY(!timer.isActive());
    }

    void noticesAreIgnoredWhileTheListenerRuns()
    {
        Shell shell;
        shell.window->checkDevice();
        QVERIFY(shell.window->hid.listenerRunning);
        shell.window->deviceChanged();
        QVERIFY(!shell.window->deviceCheckTimer.isActive());
    }

    // Plugging the mouse out and in again: the view is disabled, and a later notice finds it again.
    void listenerEffectsReachTheInterface()
    {
        Shell shell;
        MessageCapture messages;
        QSignalSpy tray(shell.window.get(), &Widget::trayMessageShown);
        shell.window->checkDevice();
        vmouse::pushDpiSwitch(shell.device, 3);
        QTRY_COMPARE_WITH_TIMEOUT(tray.size(), 2, 3000);
        QCOMPARE(tray[1].at(0).toString(), QString("Info"));
        QVERIFY(tray[1].at(1).toString().endsWith(' '));
        QVERIFY(messages.messages().contains("QML setCurrentDPI 3 returned"));

        // Unplugged (also while the interface's start-up guard holds the view): the interface covers the
        // settings and says so; the guard's end gives the view back, so the window's own controls work,
        // and the cover stays. A pass that finds nothing leaves the window shown.
        shell.window->show();
        QObject *cover = shell.rootItem("disconnectedCover");
        QVERIFY(cover && !cover->property("visible").toBool());
        vmouse::unplug(shell.device);
        QTRY_VERIFY_WITH_TIMEOUT(!shell.session()->mouseConnected(), 3000);
        QVERIFY(messages.messages().contains("Device removed"));
        QVERIFY(!shell.window->hid.listenerRunning);
        QVERIFY(deviceConnected);   // until the next pass
        // The guard is asked for a second; it is ended now instead of waited out.
        QObject *guard = shell.rootItem("protectTimer");
        QVERIFY(guard);
        QCOMPARE(guard->property("interval").toInt(), 1000);
        guard->setProperty("interval", 1);
        QTRY_VERIFY(!shell.rootItem("protectUIItem")->property("visible").toBool());
        QVERIFY(shell.window->view()->isEnabled());
        QVERIFY(cover->property("visible").toBool());
        QCOMPARE(cover->property("text").toString(), QStringLiteral("Mouse disconnected — plug it in again"));
        QSignalSpy passes(shell.window.get(), &Widget::discoveryFinished);
        shell.window->checkDevice();
        QVERIFY(!deviceConnected);
        QVERIFY(shell.window->isVisible());

        vmouse::replug(shell.device);
        shell.window->deviceChanged();
        QVERIFY(expireNow(shell.window->deviceCheckTimer));
        QCOMPARE(passes.last().at(0).toInt(), 0);
        QVERIFY(shell.session()->mouseConnected());
        QTRY_VERIFY(!cover->property("visible").toBool());
    }

    void restoreOnlyWhileConnected()
    {
        Shell shell;
        QSignalSpy waiting(shell.window.get(), &Widget::waitingWindowRequested);
        shell.window->hide();
        shell.window->receiveMessage(QString());
        QVERIFY(!shell.window->isVisible());
        QCOMPARE(waiting.size(), 1);   // before any mouse was found: the waiting window instead
        shell.window->trayIconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!shell.window->isVisible());
        deviceConnected = true;
        shell.window->trayIconActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!shell.window->isVisible());
        shell.window->trayIconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(shell.window->isVisible());
        shell.window->showMinimized();
        shell.window->receiveMessage(QString());
        QVERIFY(!shell.window->isMinimized());
    }

    void controllerMovesHidesAndMinimises()
    {
        Shell shell;
        Widget &w = *shell.window;
        w.move(300, 200);
        w.show();
        const QPoint start = w.pos();
        w.windowController->onXChanged(15);
        QCOMPARE(w.pos(), start + QPoint(15, 0));
        w.windowController->onYChanged(-4);
        QCOMPARE(w.pos(), start + QPoint(15, -4));
        w.windowController->onClose();
        QVERIFY(!w.isVisible());
        QVERIFY(!QCoreApplication::closingDown());

        Ui_Controler detached;   // no host window: nothing happens
        detached.onXChanged(5);
        detached.onClose();
        detached.setBusy();
    }

    // Where no tray would bring the window back, closing it ends the program (said once); the window's menu
    // ends it always. Without a window manager no system move happens: the interface moves the window.
    void withoutTrayClosingEnds()
    {
        Shell shell;
        MessageCapture messages;
        Widget &w = *shell.window;
        int quits = 0;
        w.windowController->quitProgram = [&quits] { ++quits; };
        w.show();
        w.windowController->onClose();
        QCOMPARE(quits, 0);
        QVERIFY(!w.isVisible());
        w.show();
        shell.session()->trayProbe = [] { return false; };
        w.windowController->onClose();
        w.windowController->onClose();
        QCOMPARE(quits, 2);
        QVERIFY(w.isVisible());
        QCOMPARE(messages.messages().filter("No system tray: closing the window ends the program").size(), 1);
        w.windowController->quit();
        QCOMPARE(quits, 3);
        QVERIFY(!w.windowController->startSystemMove());
    }

    void copyDataWarningUsesTheWindowTitle()
    {
        Shell shell;
        QStringList shown;
        shell.window->warningBox = [&](const QString &caption, const QString &text) { shown << caption << text; };
        const QByteArray text("Battery low");
        CopyData message{9487, uint32_t(text.size()), text.constData()};
        Widget::copyDataCallback(&message, shell.window.get());
        QCOMPARE(shown, QStringList({shell.window->windowTitle(), "Battery low"}));
        message.cbData += 1;
        Widget::copyDataCallback(&message, shell.window.get());
        Widget::copyDataCallback(&message, nullptr);
        QCOMPARE(shown.size(), 2);
    }

    // Another program of the session floods the copy-data method: a 1 MB text, then 3 000 calls. Every
    // call is answered while a box is open (the box waits for nobody), at most one box is open, at most
    // a few wait behind it, and the text shown is cut. The event loop's longest pause while the calls
    // arrive is reported.
    void copyDataFloodKeepsTheInterfaceAnswering()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("no dbus-daemon to start a private session bus");
        QProcess busDaemon;
        busDaemon.start(daemon, {"--session", "--nofork", "--print-address"});
        QVERIFY(busDaemon.waitForStarted() && busDaemon.waitForReadyRead(5000));
        const QString address = QString::fromUtf8(busDaemon.readLine().trimmed());
        Shell shell;
        InputCapture capture(capture::createInputSource);
        capture.setCopyDataHandler(&Widget::copyDataCallback, shell.window.get());
        CopyDataBus bus(&capture, nullptr, QDBusConnection::connectToBus(address, "flood-receiver"));
        QVERIFY(bus.isRegistered());
        QDBusConnection sender = QDBusConnection::connectToBus(address, "flood-sender");
        QVERIFY(sender.isConnected());

        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0, longestGap = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            longestGap = qMax(longestGap, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        probe.start(5);
        constexpr int kCalls = 3001;
        int answered = 0;
        auto send = [&](const QByteArray &text) {
            QDBusMessage call = QDBusMessage::createMethodCall(CopyDataBus::kService, CopyDataBus::kPath,
                                                               "org.orvante.ZephraConfig.CopyData", "Send");
            call << qulonglong(9487) << text;
            auto *watcher = new QDBusPendingCallWatcher(sender.asyncCall(call), &probe);
            connect(watcher, &QDBusPendingCallWatcher::finished, [&answered](QDBusPendingCallWatcher *w) {
                answered += QDBusPendingReply<int>(*w).value();
                w->deleteLater();
            });
        };
        send(QByteArray(1 << 20, 'x'));
        for (int i = 1; i < kCalls; ++i)
            send("Battery low " + QByteArray::number(i));
        QTRY_COMPARE_WITH_TIMEOUT(answered, kCalls, 120000);
        probe.stop();
        std::printf("reliability: copy_data_flood_calls %d longest_event_loop_gap_ms %lld total_ms %lld\n", kCalls,
                    longestGap, clock.elapsed());

        NoticeBoxes &boxes = NoticeBoxes::of(*shell.window);
        QVERIFY(boxes.current());
        QCOMPARE(boxes.current()->text(), QString(kMaxNoticeChars, 'x') + QChar(0x2026));
        QCOMPARE(boxes.waiting(), NoticeBoxes::kMaxWaiting);
        QCOMPARE(boxes.dropped(), kCalls - 1 - NoticeBoxes::kMaxWaiting);
        int open = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            open += qobject_cast<QMessageBox *>(w) && w->isVisible();
        QCOMPARE(open, 1);
        // Closed, the box makes way for the next one.
        boxes.current()->accept();
        QTRY_COMPARE(boxes.current() ? boxes.current()->text() : QString(), QStringLiteral("Battery low 1"));

        QDBusConnection::disconnectFromBus("flood-sender");
        QDBusConnection::disconnectFromBus("flood-receiver");
        busDaemon.kill();
        busDaemon.waitForFinished();
    }

    void hookEventsReachTheRootQueued()
    {
        Shell shell;
        MessageCapture messages;
        Widget::keyboardCallback(0x1E, true, shell.window.get());
        Widget::mouseCallback(0xF0, true, 100, 200, shell.window.get());
        QVERIFY(shell.rootCalls(messages).isEmpty());   // not while the callback runs
        QTRY_COMPARE(shell.rootCalls(messages),
                     QStringList({"QML detectKeyboard true 30 returned", "QML detectMouse true 240 100 200 returned"}));
    }

    void secondInstanceMessagesTheFirst()
    {
        const QString key = QStringLiteral("shell-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QVERIFY(!first.isRunning());
        QSignalSpy received(&first, &SingleInstance::messageReceived);
        {
            SingleInstance second(key);
            QVERIFY(second.isRunning());
            QVERIFY(second.sendMessage(QString(), 5000));
        }
        QVERIFY(received.wait(3000));
        QCOMPARE(received[0].at(0).toString(), QString());
    }

    // Every start of the user meets the same instance, whatever its environment; a socket left by a
    // crashed instance is replaced, a live one is never removed (the start defers to it).
    void oneInstanceWhateverTheEnvironment()
    {
        const QString key = QStringLiteral("shell-env-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QVERIFY(!first.isRunning());
        QVERIFY(first.serverName().startsWith(instanceFolder() + '/'));
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", "/tmp/elsewhere");
        qputenv("TMPDIR", "/tmp/elsewhere");
        {
            SingleInstance second(key);
            QVERIFY(second.isRunning());
            QVERIFY(second.sendMessage(QString(), 3000));
        }
        qputenv("XDG_RUNTIME_DIR", runtime);
        qunsetenv("TMPDIR");
        QLocalSocket socket;
        socket.connectToServer(first.serverName());
        QVERIFY(socket.waitForConnected(3000));   // the first instance still answers
        socket.abort();

        const QString staleKey = key + QStringLiteral("-stale");
        QString stalePath;
        {
            SingleInstance probe(staleKey);
            stalePath = probe.serverName();
        }
        QFile(stalePath).open(QIODevice::WriteOnly);   // left behind, nobody listening
        SingleInstance afterCrash(staleKey);
        QVERIFY(!afterCrash.isRunning());

        const QString liveKey = key + QStringLiteral("-live");
        QString livePath;
        {
            SingleInstance probe(liveKey);
            livePath = probe.serverName();
        }
        QLocalServer live;   // a live instance that holds no lock
        QVERIFY(live.listen(livePath));
        SingleInstance late(liveKey);
        QVERIFY(late.isRunning());
        QVERIFY(QFileInfo::exists(livePath));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
