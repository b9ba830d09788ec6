// SPDX-License-Identifier: GPL-3.0-or-later
#include "widget.h"

#include "app_state.h"
#include "copy_data_box.h"
#include "discovery.h"
#include "dpi_switch_texts.h"
#include "my_quick_view.h"
#include "notice_boxes.h"
#include "session_status.h"
#include "ui_controler.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char *const kTrayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

constexpr int kTrayMessageMs = 10000;

}  // namespace

Widget::Widget(QWidget *parent)
    : QWidget(parent)
    , windowController(std::make_unique<Ui_Controler>())
{
    hid.owner = this;
    hid.setListenerSink(this);
    windowController->setup(this, &hid);
    view()->hidThread = &hid;
    hid.setTraits(view()->deviceTraits());

    deviceCheckTimer.setInterval(kDeviceCheckDelayMs);
    deviceCheckTimer.setSingleShot(true);
    // 2048 ms as asked: a coarse timer may fire up to 5 % early, before a device has settled.
    deviceCheckTimer.setTimerType(Qt::PreciseTimer);
    connect(&deviceCheckTimer, &QTimer::timeout, this, &Widget::checkDevice);
    windowController->quitProgram = [this] { exitSYS(); };

    // One box at a time, never modal: another program's messages cannot stop the interface.
    warningBox = [this](const QString &caption, const QString &text) { NoticeBoxes::of(*this).warn(caption, text); };
    setUpTray();
}

Widget::~Widget()
{
    hid.stopListening();
    hid.listenJob.waitForFinished();
    // The interface goes before the device object it calls.
    delete view();
}

myQQuickView *Widget::view() const
{
    return windowController ? windowController->view.data() : nullptr;
}

void Widget::setUpTray()
{
    trayIcon = new QSystemTrayIcon(this);
    auto *quit = new QAction(tr("Quit (&Q)"), this);
    quit->setObjectName(QStringLiteral("quitAction"));
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    auto *menu = new QMenu(this);
    menu->addAction(quit);
    menu->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    trayIcon->setContextMenu(menu);
    trayIcon->setToolTip(QStringLiteral("ORVANTE ZEPHRA MOUSE Z714"));
    trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::checkDevice()
{
    const int accepted = discoverDevice(hid, kGlobalSettingsPath);
    if (accepted >= 0) {
        acceptDevice();
    } else {
        qDebug() << "Device DisConnect";
        deviceConnected = false;
        setMouseConnected(false);
        // Before the interface has started the window is empty. Afterwards it stays as it is: shown, it
        // tells that the mouse is gone until a pass finds it again.
        if (!started)
            setVisible(false);
    }
    emit discoveryFinished(accepted);
}

void Widget::acceptDevice()
{
    qDebug() << "Device Connect";
    myQQuickView *v = view();
    v->clearHidBusy();
    deviceConnected = true;
    showMessage(QStringLiteral("Info"), QStringLiteral("Detect Device"), kTrayMessageMs);
    hid.startListening(uint(hid.currentDeviceIndex));
    if (v->icType == QLatin1String("560")) {
        // Blocks read from an earlier mouse are not this one's.
        std::fill(std::begin(v->profileBlockWhole), std::end(v->profileBlockWhole), false);
        v->mouseReadProfile(0);
        v->mouseReadProfile(1);
        if (v->isGun) {
            v->mouseReadProfile(2);
            v->mouseReadProfile(3);
            v->mouseReadProfile(4);
        }
    }
    v->setEnabled(true);
    started = true;
    setMouseConnected(true);
    runUiSequence();
}

void Widget::setMouseConnected(bool connected)
{
    if (SessionStatus *session = windowController->session)
        session->setMouseConnected(connected);
}

void Widget::runUiSequence()
{
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(runUiEventCode));
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == UserEvent::kType && static_cast<UserEvent *>(event)->code == runUiEventCode)
        view()->runUI();
}

void Widget::deviceChanged()
{
    if (!hid.listenerRunning)
        deviceCheckTimer.start();
}

void Widget::restoreRequest()
{
    if (!deviceConnected && !started) {
        emit waitingWindowRequested();
        return;
    }
#ifdef Q_OS_WIN
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
#else
    // The window manager's equivalent of a restore: shown, raised and active, never minimised.
    showNormal();
    raise();
    activateWindow();
#endif
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
#ifdef Q_OS_WIN
    if (eventType == "windows_generic_MSG") {
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_SYSCOMMAND && msg->wParam == SC_RESTORE)
            setVisible(true);
        else if (msg->message == WM_DEVICECHANGE)
            deviceChanged();
    }
#endif
    return QWidget::nativeEvent(eventType, message, result);
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        restoreRequest();
}

void Widget::exitSYS()
{
    hid.stopListening();
    QCoreApplication::exit(0);
}

void Widget::receiveMessage(QString)
{
    restoreRequest();
}

void Widget::showCopyDataWarning(const CopyData &message)
{
    if (const auto text = copyDataWarningText(message); text && warningBox)
        warningBox(windowTitle(), *text);
}

void Widget::keyboardCallback(uint8_t usage, bool pressed, void *context)
{
    if (auto *w = static_cast<Widget *>(context); w && w->view())
        w->view()->forwardKey(usage, pressed);
}

void Widget::mouseCallback(uint8_t button, bool pressed, int x, int y, void *context)
{
    if (auto *w = static_cast<Widget *>(context); w && w->view())
        w->view()->forwardMouseButton(button, pressed, x, y);
}

void Widget::copyDataCallback(const CopyData *message, void *context)
{
    if (auto *w = static_cast<Widget *>(context); w && message)
        w->showCopyDataWarning(*message);
}

void Widget::setCurrentDPI(int stage)
{
    view()->setCurrentDPI(stage);
}

void Widget::showMessage(const QString &title, const QString &text, int milliseconds)
{
    trayIcon->showMessage(title, text, QSystemTrayIcon::Information, milliseconds);
    emit trayMessageShown(title, text, milliseconds);
}

void Widget::setViewEnabled(bool enabled)
{
    // The listener's "device gone": the interface shows its disconnected state over the settings. The
    // view itself stays enabled, so the window's own controls (drag, minimise, close, the menu) keep
    // working.
    setMouseConnected(enabled);
}

QString Widget::dpiSwitchText(int stage) const
{
    return dpiSwitchMessage(dpiSwitchTexts, stage);
}
