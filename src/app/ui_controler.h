// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ui_Controler: the window controller the interface calls (published to QML as "ui_Ctl"). The host window
// has no frame of its own; the interface draws it and asks the controller to drag, minimise or hide the
// window, or to end the program. Its set-up styles the host window and creates the view.

#include <QObject>
#include <QPointer>

#include <functional>

class Hid_Thread;
class QWidget;
class SessionStatus;
class myQQuickView;

class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    explicit Ui_Controler(QObject *parent = nullptr);

    // Members, in their published order.
    QPointer<QWidget> hostWindow;
    QPointer<myQQuickView> view;
    // The session's state as the interface sees it ("sessionStatus"), made by the set-up.
    SessionStatus *session = nullptr;

    // Styles `host` as a frameless translucent window, creates the view as its child, loads the interface,
    // publishes ui_View, hid and ui_Ctl, sizes the window to the view and sets the title from the global
    // settings file.
    void setup(QWidget *host, Hid_Thread *hid);

public slots:
    void onMinimize();
    // Hides the window to the tray; where the desktop shows no tray (nothing would bring the window back),
    // ends the program instead.
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime = 0);

public:
    // Beyond the six published slots, for the interface's newer controls.
    // A drag of the window handed to the window system, at the press that starts it (the only way on
    // Wayland, where a program cannot place its window). False where the window system does not move
    // windows (an X server without a window manager): the interface then moves it with onXChanged and
    // onYChanged.
    Q_INVOKABLE bool startSystemMove();
    // The window menu's "Quit".
    Q_INVOKABLE void quit();

    // How the program ends (the host window sets it); tests replace it.
    std::function<void()> quitProgram;

private:
    bool toldCloseQuits = false;
};

// The window title: `common/name` of the global settings file, empty when absent.
QString windowTitleFromSettings();
