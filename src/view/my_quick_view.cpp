// Construction of the view, its own slots and the calls into the QML root item.

#include "my_quick_view.h"

#include "hid_thread.h"

#include <QFocusEvent>
#include <QQuickItem>

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{
    openSettings();
    isColorful = getGlobalData(QStringLiteral("mouse/isColorful")).toBool();
    isGun = getGlobalData(QStringLiteral("mouse/isGun")).toBool();
    icType = getGlobalData(QStringLiteral("mouse/icType")).toString();
    is55328 = getGlobalData(QStringLiteral("mouse/is55328")).toBool();
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::callRoot(const char *function, Qt::ConnectionType type, const QVariantList &args)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    switch (args.size()) {
    case 0: QMetaObject::invokeMethod(root, function, type); break;
    case 1: QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0])); break;
    case 2: QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1])); break;
    case 4:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1]),
                                  Q_ARG(QVariant, args[2]), Q_ARG(QVariant, args[3]));
        break;
    default: break;
    }
}

void myQQuickView::clearHidBusy()
{
    if (hidThread)
        hidThread->hidIdle = true;
}

void myQQuickView::initUI()
{
    callRoot("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callRoot("run", Qt::QueuedConnection);
}

void myQQuickView::setBusy(int busyTime)
{
    callRoot("setProtectUI", Qt::DirectConnection, {busyTime});
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    callRoot("setCurrentDPI", Qt::DirectConnection, {dpiValue});
}

void myQQuickView::openUpdateExe()
{
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    update();
    event->accept();
}
