#pragma once
// Ui_Controler: the window controller the interface calls (published to QML as "ui_Ctl"). The host window
// has no frame of its own; the interface draws it and asks the controller to drag, minimise or hide the
// window. Its set-up styles the host window and creates the view.

#include <QObject>
#include <QPointer>

class Hid_Thread;
class QWidget;
class myQQuickView;

class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    explicit Ui_Controler(QObject *parent = nullptr);

    // Members, in their published order.
    QPointer<QWidget> hostWindow;
    QPointer<myQQuickView> view;

    // Styles `host` as a frameless translucent window, creates the view as its child, loads the interface,
    // publishes ui_View, hid and ui_Ctl, sizes the window to the view and sets the title from the global
    // settings file.
    void setup(QWidget *host, Hid_Thread *hid);

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime = 0);
};

// The window title: `common/name` of the global settings file, empty when absent.
QString windowTitleFromSettings();
