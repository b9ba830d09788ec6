// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widget: the host window. It owns the discovery timer, the device object, the window controller (which
// creates the view) and the tray icon; it runs discovery passes and carries out what accepting a device
// means for the interface; and it receives the listener's effects on the interface.

#include "hid_thread.h"
#include "listener_sink.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class Ui_Controler;
class myQQuickView;
struct CopyData;

class Widget : public QWidget, public ListenerSink
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    // Members, in their published order.
    QTimer deviceCheckTimer;
    std::unique_ptr<Ui_Controler> windowController;
    Hid_Thread hid;
    QSystemTrayIcon *trayIcon = nullptr;

    static constexpr int kDeviceCheckDelayMs = 2048;

    myQQuickView *view() const;

    // A device was plugged in or removed somewhere: a pass runs 2048 ms after the last such notice, unless
    // the listener is running (then the device in use is still there).
    void deviceChanged();
    // Brings the window back once the interface has started (it then shows the settings, or the
    // disconnected state while the mouse is gone). Before any mouse was found the window is empty: the
    // request asks for the waiting window instead (waitingWindowRequested).
    void restoreRequest();
    // Whether a mouse was accepted in this run (the interface is then loaded).
    bool interfaceStarted() const { return started; }

    // The interface's start: queued initUI, then run after it.
    void runUiSequence();

    // Shows the warning box of a copy-data message when it carries one.
    void showCopyDataWarning(const CopyData &message);
    // How warning boxes are shown; tests replace it (production: the window's NoticeBoxes).
    std::function<void(const QString &caption, const QString &text)> warningBox;

    // The input capture's callbacks, with the Widget as context.
    static void keyboardCallback(uint8_t usage, bool pressed, void *context);
    static void mouseCallback(uint8_t button, bool pressed, int x, int y, void *context);
    static void copyDataCallback(const CopyData *message, void *context);

    // ListenerSink: the listener's effects, delivered on the GUI thread.
    void setCurrentDPI(int stage) override;
    void showMessage(const QString &title, const QString &text, int milliseconds) override;
    void setViewEnabled(bool enabled) override;
    QString dpiSwitchText(int stage) const override;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);

signals:
    // After every discovery pass: the accepted entry, or -1.
    void discoveryFinished(int acceptedIndex);
    // Every tray notification, as it is shown.
    void trayMessageShown(const QString &title, const QString &text, int milliseconds);
    // A restore request before any mouse was found.
    void waitingWindowRequested();

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
    void customEvent(QEvent *event) override;

private:
    void setUpTray();
    void acceptDevice();
    void setMouseConnected(bool connected);

    bool started = false;
};
