// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_controler.h"

#include "store_paths.h"
#include "hid_thread.h"
#include "my_quick_view.h"
#include "session_status.h"
#include "settings_format.h"

#include <QQmlContext>
#include <QSettings>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

namespace {
const QUrl kInterfaceSource(QStringLiteral("qrc:/modules/qml/main.qml"));
}

Ui_Controler::Ui_Controler(QObject *parent)
    : QObject(parent)
{
}

QString windowTitleFromSettings()
{
    const QSettings settings(kGlobalSettingsPath, settingsFormat());
    return settings.value(QStringLiteral("common/name")).toString();
}

void Ui_Controler::setup(QWidget *host, Hid_Thread *hid)
{
    hostWindow = host;
    if (host->objectName().isEmpty())
        host->setObjectName(QStringLiteral("Widget"));
    host->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    host->setWindowOpacity(1.0);
    host->setAttribute(Qt::WA_TranslucentBackground);
    host->setStyleSheet(QStringLiteral("background:transparent;"));

    view = new myQQuickView(host);
    // A translucent window shows the interface's own rounded shapes only with an alpha channel and a
    // transparent clear colour.
    QSurfaceFormat format = view->format();
    format.setAlphaBufferSize(8);
    view->setFormat(format);
    view->setClearColor(Qt::transparent);
    view->setResizeMode(QQuickWidget::SizeViewToRootObject);
    view->setObjectName(QStringLiteral("ui_View"));
    // The session's limits (global input capture) for the interface's hints; there before it loads, so
    // its bindings never see it missing.
    session = new SessionStatus(this);
    view->rootContext()->setContextProperty(QStringLiteral("sessionStatus"), session);
    view->setSource(kInterfaceSource);
    if (!view->errors().isEmpty())
        qDebug() << "interface not loaded:" << view->errors();

    QQmlContext *context = view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    host->resize(view->size().isEmpty() ? QSize(1024, 640) : view->size());
    host->setWindowTitle(windowTitleFromSettings());
}

void Ui_Controler::onMinimize()
{
    if (hostWindow)
        hostWindow->showMinimized();
}

void Ui_Controler::onClose()
{
    if (!hostWindow)
        return;
    if (session && !session->trayAvailable()) {
        if (!toldCloseQuits) {
            toldCloseQuits = true;
            qDebug() << "No system tray: closing the window ends the program";
        }
        quit();
        return;
    }
    hostWindow->setVisible(false);
}

void Ui_Controler::onXChanged(int x)
{
    if (hostWindow)
        hostWindow->move(hostWindow->x() + x, hostWindow->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (hostWindow)
        hostWindow->move(hostWindow->x(), hostWindow->y() + y);
}

bool Ui_Controler::startSystemMove()
{
    QWindow *window = hostWindow ? hostWindow->windowHandle() : nullptr;
    return window && window->startSystemMove();
}

void Ui_Controler::quit()
{
    if (quitProgram)
        quitProgram();
}

void Ui_Controler::setBusy(int busyTime)
{
    if (hostWindow && view)
        view->setBusy(busyTime);
}
