// SPDX-License-Identifier: GPL-3.0-or-later
// The interface as a screen reader meets it, through Qt's accessibility API: the host window's tree reaches
// the Qt Quick items through the view (Qt 6.4 exposes them through the widget), and every control that
// Tab reaches, in the main window and in each dialog, is in that tree with a role and a name; the keyboard
// focus stays where it is while the view is busy.

#include "app_state.h"
#include "modules_folder.h"
#include "my_quick_view.h"
#include "recording_sleeper.h"
#include "session_status.h"
#include "ui_controler.h"
#include "virtual_mouse.h"
#include "widget.h"

#include <QAccessible>
#include <QQuickItem>
#include <QSet>
#include <QTest>

#include <hidapi.h>

namespace {

struct Tree
{
    QSet<QObject *> objects;
    int named = 0;
};

// Every interface below `iface` that is on view, and how many of them are named controls (not plain texts).
void walk(QAccessibleInterface *iface, Tree &tree, int depth = 0)
{
    if (!iface || depth > 64 || iface->state().invisible)
        return;
    if (QObject *object = iface->object(); object && !tree.objects.contains(object)) {
        tree.objects.insert(object);
        if (!iface->text(QAccessible::Name).isEmpty() && iface->role() != QAccessible::StaticText)
            ++tree.named;
    }
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), tree, depth + 1);
}

// The visible items below `item` that Tab reaches.
void tabControls(QQuickItem *item, QList<QQuickItem *> &out)
{
    if (!item->isVisible())
        return;
    if (item->activeFocusOnTab() && item->isEnabled())
        out.append(item);
    for (QQuickItem *child : item->childItems())
        tabControls(child, out);
}

// The item named `name` below `item`, through the item tree (a Repeater's items are no QObject children).
QQuickItem *itemNamed(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = itemNamed(child, name))
            return found;
    return nullptr;
}

}  // namespace

// The program's window with the interface started on the virtual mouse.
struct Running
{
    Running()
    {
        vmouse::reset();
        vmouse::addDevice(vmouse::demoMouse());
        window.hid.setSleeper(&sleeper);
        window.windowController->session->trayProbe = [] { return true; };
        window.show();
        window.checkDevice();
    }

    ModulesFolder folder;
    RecordingSleeper sleeper;
    Widget window;
};

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }
    void cleanup() { deviceConnected = false; }

    void everyTabControlHasARoleAndAName()
    {
        Running running;
        Widget &window = running.window;
        QQuickItem *root = window.view()->rootObject();
        QTRY_VERIFY(root->findChild<QQuickItem *>("panels")->isVisible());

        const QStringList dialogs = {QString(), "keyAssigmentMain", "macroEditorMain", "systemSettingMain",
                                     "profileMain", "confirmBox"};
        for (const QString &dialog : dialogs) {
            QQuickItem *top = root;
            if (!dialog.isEmpty()) {
                top = root->findChild<QQuickItem *>(dialog);
                QMetaObject::invokeMethod(root, "openDialog", Q_ARG(QVariant, QVariant::fromValue<QObject *>(top)));
                QVERIFY(top->isVisible());
            }
            Tree tree;
            walk(QAccessible::queryAccessibleInterface(&window), tree);
            qInfo().noquote() << (dialog.isEmpty() ? QStringLiteral("main window") : dialog) << "accessible objects"
                              << tree.objects.size() << "named controls" << tree.named;
            QList<QQuickItem *> controls;
            tabControls(top, controls);
            QVERIFY(controls.size() >= 3);
            for (QQuickItem *control : controls) {
                const QString what = QStringLiteral("%1 in %2").arg(control->objectName(), control->parentItem()->objectName());
                QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
                QVERIFY2(iface, qPrintable(what));
                QVERIFY2(tree.objects.contains(control), qPrintable(what + " is not in the tree"));
                QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(what + " has no name"));
                QVERIFY2(iface->role() != QAccessible::NoRole && iface->role() != QAccessible::Client,
                         qPrintable(what + " has no role"));
            }
            if (!dialog.isEmpty())
                QMetaObject::invokeMethod(top, "close");
        }
    }

    // The busy indicator disables the view; the keyboard focus stays on its control (Qt Quick's widget
    // would pass it on with a Tab).
    void busyPeriodKeepsTheKeyboardFocus()
    {
        Running running;
        myQQuickView *view = running.window.view();
        QQuickItem *root = view->rootObject();
        QTRY_VERIFY(root->findChild<QQuickItem *>("panels")->isVisible());
        view->activateWindow();
        view->setFocus();
        QQuickItem *entry = itemNamed(root, QStringLiteral("keyEntry1"));
        QVERIFY(entry);
        entry->forceActiveFocus();
        QTRY_VERIFY(view->hasFocus());
        QMetaObject::invokeMethod(root, "controlUIEnable", Q_ARG(QVariant, false));
        QMetaObject::invokeMethod(root, "controlUIEnable", Q_ARG(QVariant, true));
        QVERIFY(entry->hasActiveFocus());
        QVERIFY(view->hasFocus());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
