// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the view, its own slots and the calls into the QML root item.

#include "my_quick_view.h"

#include "bridge_support.h"
#include "hid_thread.h"
#include "notice_boxes.h"
#include "profile_store.h"

#include <QFocusEvent>
#include <QLoggingCategory>
#include <QQuickItem>

// Every call into the QML root, with its arguments; off unless QT_LOGGING_RULES="zephra.ui.debug=true".
Q_LOGGING_CATEGORY(lcUi, "zephra.ui", QtInfoMsg)

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{
    store::openSettings(settings());
    isColorful = getGlobalData(QStringLiteral("mouse/isColorful")).toBool();
    isGun = getGlobalData(QStringLiteral("mouse/isGun")).toBool();
    icType = getGlobalData(QStringLiteral("mouse/icType")).toString();
    is55328 = getGlobalData(QStringLiteral("mouse/is55328")).toBool();
}

myQQuickView::~myQQuickView() = default;

SettingsObjects myQQuickView::settings()
{
    return {globalSettings, defaultProfileSettings, profileSettings, currentProfile, this};
}

bridge::DeviceSide myQQuickView::deviceSide()
{
    // A change the bridge cannot make is told in the window's warning boxes.
    auto tellUser = [this](const QString &text) {
        const QWidget *host = window();
        NoticeBoxes::of(*this).warn(host ? host->windowTitle() : QString(), text);
    };
    return {hidThread, icType, isColorful, isGun, is55328, profileBlocks, profileBlockWhole, settings(), tellUser};
}

void myQQuickView::callRoot(const char *function, Qt::ConnectionType type, const QVariantList &args)
{
    if (type == Qt::QueuedConnection) {
        // Runs after the caller has returned, in the order the calls were made.
        QMetaObject::invokeMethod(this, [this, function, args] { callRoot(function, Qt::DirectConnection, args); },
                                  Qt::QueuedConnection);
        return;
    }
    QQuickItem *root = rootObject();
    if (!root)
        return;
    bool called = false;
    switch (args.size()) {
    case 0: called = QMetaObject::invokeMethod(root, function); break;
    case 1: called = QMetaObject::invokeMethod(root, function, Q_ARG(QVariant, args[0])); break;
    case 2: called = QMetaObject::invokeMethod(root, function, Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1])); break;
    case 4:
        called = QMetaObject::invokeMethod(root, function, Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1]),
                                           Q_ARG(QVariant, args[2]), Q_ARG(QVariant, args[3]));
        break;
    default: break;
    }
    QStringList shown;
    for (const QVariant &a : args)
        shown << a.toString();
    qCDebug(lcUi).noquote() << "QML" << function << shown.join(QLatin1Char(' ')) << (called ? "returned" : "missing");
}

void myQQuickView::forwardKey(int usage, bool pressed)
{
    callRoot("detectKeyboard", Qt::QueuedConnection, {pressed, usage & 0xFF});
}

void myQQuickView::forwardMouseButton(int button, bool pressed, int x, int y)
{
    callRoot("detectMouse", Qt::QueuedConnection, {pressed, button & 0xFF, x, y});
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

bool myQQuickView::focusNextPrevChild(bool next)
{
    // Disabling a widget that has the focus asks it to pass the focus on, and Qt Quick's widget does that
    // with a Tab inside the interface: every busy period (the interface disables the view) would move the
    // keyboard focus one control on. A disabled view keeps the focus instead (it takes no keys meanwhile).
    if (!isEnabled())
        return true;
    return QQuickWidget::focusNextPrevChild(next);
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    // Repaint at once. The base class still runs: it hands the focus on to the QML items, without which
    // the text fields of the interface would take no keys.
    update();
    QQuickWidget::focusInEvent(event);
    event->accept();
}

void myQQuickView::changeEvent(QEvent *event)
{
    // Whether the interface takes input: the busy guard and the listener (a device gone) turn it off, a
    // pass that accepts a device turns it on again.
    if (event->type() == QEvent::EnabledChange)
        qCDebug(lcUi).noquote() << (isEnabled() ? "view enabled" : "view disabled");
    QQuickWidget::changeEvent(event);
}
