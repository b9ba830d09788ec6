#include "setup_notice.h"

#include "widget.h"

#include <QDebug>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr int kTrayMessageMs = 15000;

}  // namespace

SetupNotice::SetupNotice(Widget &window)
    : QObject(&window)
    , trayAvailable(&QSystemTrayIcon::isSystemTrayAvailable)
    , host(window)
{
    probe = [this] { return probeListedDevices(host.hid.deviceList); };
    connect(&window, &Widget::discoveryFinished, this, &SetupNotice::passFinished);
    connect(&window, &Widget::waitingWindowRequested, this, &SetupNotice::showWaitingWindow);
}

void SetupNotice::passFinished(int accepted)
{
    if (accepted < 0) {
        check();
        return;
    }
    waiting = false;
    // The user was reading why the mouse was missing: now it is there, the settings take the window's place.
    if (box && box->isVisible()) {
        box->close();
        host.restoreRequest();
    }
}

void SetupNotice::showWaitingWindow()
{
    showInWindow(setupMessage(lastState, lastDetail, trayAvailable && trayAvailable(), true));
}

SetupNotice::~SetupNotice()
{
    delete box;
}

void SetupNotice::check()
{
    const QList<OpenAttempt> attempts = probe ? probe() : QList<OpenAttempt>();
    const SetupState state = decideSetupState(attempts);
    QString detail;
    for (const OpenAttempt &attempt : attempts)
        if (detail.isEmpty() && attempt.outcome != OpenOutcome::Opened)
            detail = attempt.error;
    lastState = state;
    lastDetail = detail;
    // With no tray the two quiet states say the same thing (the window is hidden, the program runs): once.
    const SetupState key = state == SetupState::Ready ? SetupState::NoDevice : state;
    if (told.contains(int(key)))
        return;
    const bool tray = trayAvailable && trayAvailable();
    const SetupMessage message = setupMessage(state, detail, tray, waiting);
    if (message.isEmpty())
        return;
    told.insert(int(key));
    qDebug().noquote() << "Setup check:" << message.title << "-" << message.text;
    if (tray && host.trayIcon && !waiting)
        host.trayIcon->showMessage(message.title, message.text, QSystemTrayIcon::Warning, kTrayMessageMs);
    else
        showInWindow(message);
    emit noticeShown(state, message.title, message.text);
}

void SetupNotice::showInWindow(const SetupMessage &message)
{
    if (!box) {
        // A window of its own (no parent): the host window is hidden while no mouse is connected.
        box = new QMessageBox(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok);
        box->setObjectName(QStringLiteral("setupNotice"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->setEscapeButton(QMessageBox::Ok);   // the window's close button closes it
        QPushButton *quit = box->addButton(QStringLiteral("Quit"), QMessageBox::DestructiveRole);
        connect(quit, &QPushButton::clicked, &host, &Widget::exitSYS);
    }
    const QString title = host.windowTitle().isEmpty() ? message.title : host.windowTitle() + QStringLiteral(": ") + message.title;
    box->setWindowTitle(title);
    box->setText(message.title);
    box->setInformativeText(message.text);
    box->show();
    box->raise();
}
