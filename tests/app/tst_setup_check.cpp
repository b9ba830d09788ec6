// SPDX-License-Identifier: GPL-3.0-or-later
// The setup checker: how a failed open is read, which state a set of opens gives, what the user is told,
// the look at the devices through the virtual mouse (missing, ready, no permission, held by another
// program), the notice after discovery passes (once per cause, in the tray or in a window of its own), and
// the session status the interface reads for its capture hint.

#include "device_list.h"
#include "message_capture.h"
#include "modules_folder.h"
#include "my_quick_view.h"
#include "recording_sleeper.h"
#include "session_status.h"
#include "setup_notice.h"
#include "udev_rules.h"
#include "widget.h"

#include <QPushButton>
#include <QQmlContext>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>

using vmouse::Access;
using vmouse::Fault;
using vmouse::Fn;

Q_DECLARE_METATYPE(OpenOutcome)
Q_DECLARE_METATYPE(SetupState)

namespace {

QList<OpenAttempt> attempts(std::initializer_list<OpenOutcome> outcomes)
{
    QList<OpenAttempt> out;
    for (OpenOutcome o : outcomes)
        out << OpenAttempt{QStringLiteral("/dev/hidraw0"), o, QString()};
    return out;
}

// The host window over a copy of the shipped modules/, with the demo mouse plugged in (or not) and a
// notice whose tray availability the test decides.
struct Host
{
    explicit Host(bool plugged, bool tray)
    {
        vmouse::reset();
        if (plugged)
            device = vmouse::addDevice(vmouse::demoMouse(vmouse::Family::F553, true));
        window = std::make_unique<Widget>();
        window->hid.setSleeper(&sleeper);
        notice = new SetupNotice(*window);
        notice->trayAvailable = [tray] { return tray; };
    }
    ~Host() { window->hid.stopListening(); }

    ModulesFolder folder;
    RecordingSleeper sleeper;
    int device = -1;
    std::unique_ptr<Widget> window;
    SetupNotice *notice = nullptr;
};

}  // namespace

class TestSetupCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void classify_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OpenOutcome>("outcome");
        const QString prefix = QStringLiteral("Failed to open a device with path '/dev/hidraw3': ");
        QTest::newRow("EACCES") << EACCES << prefix + "Keine Berechtigung" << OpenOutcome::PermissionDenied;
        QTest::newRow("EPERM") << EPERM << QString() << OpenOutcome::PermissionDenied;
        QTest::newRow("EBUSY") << EBUSY << QString() << OpenOutcome::Busy;
        QTest::newRow("ENOENT") << ENOENT << QString() << OpenOutcome::Gone;
        QTest::newRow("ENODEV") << ENODEV << QString() << OpenOutcome::Gone;
        QTest::newRow("EIO") << EIO << prefix + "Permission denied" << OpenOutcome::Failed;
        QTest::newRow("text: permission") << 0 << prefix + "Permission denied" << OpenOutcome::PermissionDenied;
        QTest::newRow("text: busy") << 0 << prefix + "Device or resource busy" << OpenOutcome::Busy;
        QTest::newRow("text: gone") << 0 << prefix + "No such file or directory" << OpenOutcome::Gone;
        QTest::newRow("text: other") << 0 << prefix + "Too many open files" << OpenOutcome::Failed;
        QTest::newRow("nothing known") << 0 << QString() << OpenOutcome::Failed;
    }

    void classify()
    {
        QFETCH(int, error);
        QFETCH(QString, text);
        QTEST(classifyOpenError(error, text), "outcome");
    }

    void decide_data()
    {
        QTest::addColumn<QList<OpenAttempt>>("tried");
        QTest::addColumn<SetupState>("state");
        using O = OpenOutcome;
        QTest::newRow("nothing enumerated") << attempts({}) << SetupState::NoDevice;
        QTest::newRow("opened") << attempts({O::Opened}) << SetupState::Ready;
        QTest::newRow("denied") << attempts({O::PermissionDenied}) << SetupState::PermissionDenied;
        QTest::newRow("busy") << attempts({O::Busy}) << SetupState::Busy;
        QTest::newRow("failed") << attempts({O::Failed}) << SetupState::Unavailable;
        QTest::newRow("gone meanwhile") << attempts({O::Gone}) << SetupState::NoDevice;
        QTest::newRow("one of two opens") << attempts({O::PermissionDenied, O::Opened}) << SetupState::Ready;
        QTest::newRow("denied before busy") << attempts({O::Busy, O::PermissionDenied}) << SetupState::PermissionDenied;
        QTest::newRow("busy before failed") << attempts({O::Failed, O::Busy, O::Gone}) << SetupState::Busy;
    }

    void decide()
    {
        QFETCH(QList<OpenAttempt>, tried);
        QTEST(decideSetupState(tried), "state");
    }

    // Each cause names itself and its fix; the system's text comes last; without a tray the window also
    // explains the missing tray, and the quiet states are worth a message only then.
    void messages()
    {
        const QString detail = QStringLiteral("Failed to open a device with path '/dev/hidraw3': Permission denied");
        const SetupMessage denied = setupMessage(SetupState::PermissionDenied, detail, true);
        QCOMPARE(denied.title, QStringLiteral("No access to the mouse"));
        QVERIFY(denied.text.contains("may not open it"));
        QVERIFY(denied.text.contains(QLatin1String(kUdevRuleFile)));
        QVERIFY(denied.text.contains("unplug the mouse and plug it in again"));
        QVERIFY(denied.text.endsWith("(" + detail + ")"));
        QVERIFY(!denied.text.contains("system tray"));

        const SetupMessage busy = setupMessage(SetupState::Busy, QString(), true);
        QCOMPARE(busy.title, QStringLiteral("Mouse held by another program"));
        QVERIFY(busy.text.contains("Close the other program"));
        QVERIFY(busy.text.endsWith("plug it in again."));
        QVERIFY(!setupMessage(SetupState::Unavailable, QString(), true).isEmpty());

        QVERIFY(setupMessage(SetupState::NoDevice, QString(), true).isEmpty());
        QVERIFY(setupMessage(SetupState::Ready, QString(), true).isEmpty());
        const SetupMessage noTray = setupMessage(SetupState::NoDevice, QString(), false);
        QCOMPARE(noTray.title, QStringLiteral("No system tray"));
        QVERIFY(noTray.text.contains("gnome-shell-extension-appindicator"));
        const SetupMessage deniedNoTray = setupMessage(SetupState::PermissionDenied, detail, false);
        QCOMPARE(deniedNoTray.title, denied.title);
        QVERIFY(deniedNoTray.text.startsWith(denied.text + "\n\n"));
        QVERIFY(deniedNoTray.text.endsWith(noTray.text));
        // A start by hand waits for the mouse in a window, tray or not.
        const SetupMessage waiting = setupMessage(SetupState::Ready, QString(), false, true);
        QCOMPARE(waiting.title, QStringLiteral("Waiting for the mouse"));
        QVERIFY(waiting.text.endsWith("\n\n" + noTray.text));
        QVERIFY(setupMessage(SetupState::NoDevice, QString(), true, true).text.contains("waits in the system tray"));
        QCOMPARE(setupMessage(SetupState::Busy, QString(), true, true).title, busy.title);
    }

    // The interface finds the session's capture state before it loads; the hint appears with the change.
    void sessionStatusIsPublished()
    {
        Host host(false, true);
        auto *status = qobject_cast<SessionStatus *>(
            host.window->view()->rootContext()->contextProperty("sessionStatus").value<QObject *>());
        QVERIFY(status);
        QVERIFY(status->captureAvailable());
        QVERIFY(status->captureHint().isEmpty());
        QSignalSpy changed(status, &SessionStatus::captureAvailableChanged);
        status->setCaptureAvailable(false);
        status->setCaptureAvailable(false);
        QCOMPARE(changed.size(), 1);
        QVERIFY(status->captureHint().contains("Wayland"));
    }

    // The look at the devices through the virtual mouse, with the shipped device list.
    void probeTheListedDevices()
    {
        ModulesFolder folder;
        const DeviceList list = readDeviceList(kGlobalSettingsPath);
        vmouse::reset();
        QCOMPARE(decideSetupState(probeListedDevices(list)), SetupState::NoDevice);

        const int id = vmouse::addDevice(vmouse::demoMouse());
        QList<OpenAttempt> tried = probeListedDevices(list);
        QCOMPARE(tried.size(), 1);
        QCOMPARE(tried[0].path, QString::fromStdString(vmouse::pathOf(id, 1)));
        QCOMPARE(decideSetupState(tried), SetupState::Ready);

        vmouse::setAccess(id, Access::Denied);
        tried = probeListedDevices(list);
        QCOMPARE(decideSetupState(tried), SetupState::PermissionDenied);
        QCOMPARE(tried[0].error, QStringLiteral("Failed to open a device with path '%1': Permission denied")
                                     .arg(tried[0].path));
        vmouse::setAccess(id, Access::Busy);
        QCOMPARE(decideSetupState(probeListedDevices(list)), SetupState::Busy);
        vmouse::setAccess(id, Access::Granted);
        vmouse::injectFault(Fn::OpenPath, 1, Fault::Fail);
        QCOMPARE(decideSetupState(probeListedDevices(list)), SetupState::Unavailable);
        vmouse::injectFault(Fn::OpenPath, 1, Fault::Unplug);   // pulled out between enumeration and open
        QCOMPARE(decideSetupState(probeListedDevices(list)), SetupState::NoDevice);
        QCOMPARE(vmouse::openHandles(), 0);
    }

    // A mouse the user may not open: the pass stays disconnected, the tray says why once, a later pass with
    // another cause says that; a pass that connects says nothing.
    void passesTellEachCauseOnce()
    {
        Host host(true, true);
        QSignalSpy told(host.notice, &SetupNotice::noticeShown);
        MessageCapture messages;
        vmouse::setAccess(host.device, Access::Denied);
        host.window->checkDevice();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].at(0).value<SetupState>(), SetupState::PermissionDenied);
        QCOMPARE(told[0].at(1).toString(), QStringLiteral("No access to the mouse"));
        QVERIFY(messages.messages().filter("Setup check: No access to the mouse").size() == 1);
        QVERIFY(!host.notice->window());   // the tray had it

        host.window->checkDevice();
        QCOMPARE(told.size(), 1);
        vmouse::setAccess(host.device, Access::Busy);
        host.window->checkDevice();
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[1].at(0).value<SetupState>(), SetupState::Busy);

        vmouse::setAccess(host.device, Access::Granted);
        QSignalSpy passes(host.window.get(), &Widget::discoveryFinished);
        host.window->checkDevice();
        QCOMPARE(passes[0].at(0).toInt(), 0);
        QCOMPARE(told.size(), 2);
    }

    // Without a tray: a window of its own, with the cause, the missing tray and a Quit button; a session
    // without a mouse is told once that the program runs hidden. With a tray, no mouse is no news.
    void withoutATrayAWindowTells()
    {
        {
            Host host(false, true);
            QSignalSpy told(host.notice, &SetupNotice::noticeShown);
            host.window->checkDevice();
            QCOMPARE(told.size(), 0);
        }
        Host host(true, false);
        vmouse::setAccess(host.device, Access::Denied);
        host.window->checkDevice();
        QMessageBox *box = host.notice->window();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(!box->parent());
        QCOMPARE(box->objectName(), QStringLiteral("setupNotice"));
        QCOMPARE(box->text(), QStringLiteral("No access to the mouse"));
        QVERIFY(box->informativeText().contains(QLatin1String(kUdevRuleFile)));
        QVERIFY(box->informativeText().contains("no system tray"));
        QVERIFY(box->windowTitle().endsWith(": No access to the mouse"));
        bool hasQuit = false;
        for (QAbstractButton *button : box->buttons())
            hasQuit = hasQuit || button->text() == QLatin1String("Quit");
        QVERIFY(hasQuit);

        // The mouse goes away: the same window now says the program runs hidden, once.
        QSignalSpy told(host.notice, &SetupNotice::noticeShown);
        vmouse::unplug(host.device);
        host.window->checkDevice();
        host.window->checkDevice();
        QCOMPARE(told.size(), 1);
        QCOMPARE(host.notice->window(), box);
        QCOMPARE(box->text(), QStringLiteral("No system tray"));

        // Closed by the user, it goes away for good.
        box->close();
        QTRY_VERIFY(!host.notice->window());
    }

    // A start by hand without a mouse says so in a window even with a tray; a second start brings that
    // window back; once the mouse is found, it gives way to the main window.
    void startByHandWaitsForTheMouse()
    {
        Host host(false, true);
        host.notice->setWaitingForMouse(true);
        host.window->checkDevice();
        QMessageBox *box = host.notice->window();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Waiting for the mouse"));
        box->close();
        QTRY_VERIFY(!host.notice->window());
        host.window->receiveMessage(QString());
        QVERIFY(host.notice->window() && host.notice->window()->isVisible());
        QVERIFY(!host.window->isVisible());

        host.device = vmouse::addDevice(vmouse::demoMouse(vmouse::Family::F553, true));
        host.window->checkDevice();
        QTRY_VERIFY(!host.notice->window());
        QVERIFY(host.window->isVisible());
    }
};

QTEST_MAIN(TestSetupCheck)
#include "tst_setup_check.moc"
