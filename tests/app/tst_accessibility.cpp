// The interface as a screen reader meets it, through Qt's accessibility API: the host window's tree reaches
// the Qt Quick items through the view (Qt 6.4 exposes them through the widget), and every control that
// Tab reaches, in the main window and in each dialog, is in that tree with a role and a name.

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

}  // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }
    void cleanup() { deviceConnected = false; }

    void everyTabControlHasARoleAndAName()
    {
        vmouse::reset();
        ModulesFolder folder;
        vmouse::addDevice(vmouse::demoMouse());
        RecordingSleeper sleeper;
        Widget window;
        window.hid.setSleeper(&sleeper);
        window.windowController->session->trayProbe = [] { return true; };
        window.show();
        window.checkDevice();
        QQuickItem *root = window.view()->rootObject();
        QVERIFY(root);
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
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
