// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The user was told why the mouse was missing, or that the program waits for it: now it is there, the
    // settings take the window's place.
    const bool userWaits = waiting || (box && box->isVisible());
    waiting = false;
    if (box)
        box->close();
    if (userWaits)
        host.restoreRequest();
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
    // Once the settings were shown, the main window itself tells that the mouse is gone.
    const bool quiet = state == SetupState::NoDevice || state == SetupState::Ready;
    if (quiet && host.interfaceStarted())
        return;
    // With no tray the two quiet states say the same thing (the window is hidden, the program runs): once.
    const SetupState key = quiet ? SetupState::NoDevice : state;
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
    // A cause to fix is a warning; waiting for the mouse (or for a tray) is news.
    const bool quiet = lastState == SetupState::NoDevice || lastState == SetupState::Ready;
    box->setIcon(quiet ? QMessageBox::Information : QMessageBox::Warning);
    box->setWindowTitle(title);
    box->setText(message.title);
    box->setInformativeText(message.text);
    box->show();
    box->raise();
}
