// SPDX-License-Identifier: GPL-3.0-or-later
// Preview runner: loads the interface with the recording stand-ins and sample settings, starts it as the
// program would (initUI), opens pages and dialogs and saves a PNG screenshot of each:
//   main.png            the main window after start-up
//   main_zh.png         the same with Chinese texts (the font fallback)
//   assignment.png      the assignment dialog with a key combination captured
//   system_setting.png  the system settings dialog
//   macro_editor.png    the macro editor with a macro, its current delay and the action menu
//   profile.png         the profile dialog
// Usage: qml_preview [output folder]. Any QML warning makes the run fail.

#include "call_log.h"
#include "recording_device.h"
#include "recording_view.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickView>
#include <QTimer>

#include <cstdio>

namespace {

int warnings = 0;

void countWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg) {
        ++warnings;
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Settings of a full-colour mouse with eight buttons, two macros and a few assignments.
void fillSample(RecordingView &view)
{
    view.setGlobal(QStringLiteral("mouse/keyCount"), 8);
    view.setGlobal(QStringLiteral("mouse/isColorful"), true);
    view.setGlobal(QStringLiteral("mouse/isGun"), true);
    view.setGlobal(QStringLiteral("mouse/icType"), QStringLiteral("553"));
    view.setGlobal(QStringLiteral("common/url"), QStringLiteral("https://www.orvante.example/zephra"));
    view.setNameList(0, {QStringLiteral("Macro_1"), QStringLiteral("Macro_2"), QStringLiteral("Reload")});
    view.setMacro(QStringLiteral("Macro_1"),
                  {QStringLiteral("1,LCtrl"), QStringLiteral("0,30"), QStringLiteral("1,C"), QStringLiteral("0,80"),
                   QStringLiteral("2,C"), QStringLiteral("0,20"), QStringLiteral("2,LCtrl"), QStringLiteral("0,50"),
                   QStringLiteral("3,MS-L"), QStringLiteral("0,10"), QStringLiteral("4,MS-L"), QStringLiteral("3")});
    view.setNameList(2, {QStringLiteral("Standard0"), QStringLiteral("FPS1"), QStringLiteral("MOBA2")});
    view.setProfileValue(0, QStringLiteral("mouseKeyMatrix/5"), QVariantList{2, 0x03, 0x04, 0});
    view.setProfileValue(0, QStringLiteral("mouseKeyMatrix/6"), QVariantList{3, 0, 0xE9, 0});
    view.setProfileValue(0, QStringLiteral("mouse/reportRate"), 32);
    view.setProfileValue(0, QStringLiteral("mouse/reportRateEn"), true);
    view.setProfileValue(0, QStringLiteral("mouse/lightValue"), QVariantList{5, 2, 3});
    view.setCurrentDpiAnswer(2);
}

QQuickItem *child(QQuickItem *root, const char *name)
{
    return root->findChild<QQuickItem *>(QLatin1String(name));
}

// Renders the whole root item into an image (a full render, unlike a grab of the window, which the
// software renderer may leave partly stale) and saves it.
bool shoot(QQuickView &window, const QString &file)
{
    wait(300);
    QSharedPointer<QQuickItemGrabResult> result = window.rootObject()->grabToImage();
    if (!result)
        return false;
    QEventLoop loop;
    QObject::connect(result.data(), &QQuickItemGrabResult::ready, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    const QImage image = result->image();
    if (image.isNull() || !image.save(file)) {
        std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
        return false;
    }
    std::printf("saved %s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(countWarnings);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("qml-preview");
    QDir().mkpath(out);

    CallLog log;
    RecordingView view(&log);
    RecordingHid hid(&log);
    RecordingControl control(&log);
    fillSample(view);

    QQuickView window;
    window.setColor(QColor(0x0b, 0x10, 0x14));
    window.rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
    window.rootContext()->setContextProperty(QStringLiteral("hid"), &hid);
    window.rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), &control);
    window.setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    QQuickItem *root = window.rootObject();
    if (!root)
        return 1;
    window.show();

    bool ok = QMetaObject::invokeMethod(root, "initUI");
    wait(1300);
    // The pointer over button 2: its entry and its place on the picture light up.
    if (QQuickItem *picture = child(root, "mouseMain"))
        picture->setProperty("highlighted", 1);
    ok = ok && shoot(window, out + QStringLiteral("/main.png"));

    QQuickItem *assign = child(root, "keyAssigmentMain");
    ok = ok && assign && QMetaObject::invokeMethod(root, "openAssignment", Q_ARG(QVariant, 5));
    ok = ok && QMetaObject::invokeMethod(assign, "chooseCategory", Q_ARG(QVariant, 2));
    ok = ok && QMetaObject::invokeMethod(assign, "startCapture", Q_ARG(QVariant, QStringLiteral("group")));
    for (int usage : {0xE0, 0xE1, 0x04})
        ok = ok && QMetaObject::invokeMethod(root, "detectKeyboard", Q_ARG(QVariant, true), Q_ARG(QVariant, usage));
    ok = ok && shoot(window, out + QStringLiteral("/assignment.png"));
    ok = ok && QMetaObject::invokeMethod(assign, "cancel");

    QQuickItem *system = child(root, "systemSettingMain");
    ok = ok && system && QMetaObject::invokeMethod(root, "openDialog", Q_ARG(QVariant, QVariant::fromValue(system)));
    ok = ok && shoot(window, out + QStringLiteral("/system_setting.png"));
    ok = ok && QMetaObject::invokeMethod(system, "close");

    QQuickItem *editor = child(root, "macroEditorMain");
    ok = ok && editor && QMetaObject::invokeMethod(root, "openDialog", Q_ARG(QVariant, QVariant::fromValue(editor)));
    editor->setProperty("currentAction", 3);
    ok = ok && QMetaObject::invokeMethod(editor, "openMenu", Q_ARG(QVariant, 330), Q_ARG(QVariant, 150));
    ok = ok && shoot(window, out + QStringLiteral("/macro_editor.png"));
    ok = ok && QMetaObject::invokeMethod(editor, "finish");

    QQuickItem *profiles = child(root, "profileMain");
    ok = ok && profiles && QMetaObject::invokeMethod(root, "openDialog", Q_ARG(QVariant, QVariant::fromValue(profiles)));
    ok = ok && shoot(window, out + QStringLiteral("/profile.png"));
    ok = ok && QMetaObject::invokeMethod(profiles, "close");

    // Chinese texts: the window with the main group of a Chinese language file.
    const QStringList chinese = {QStringLiteral("编辑"), QStringLiteral("宏编辑"), QStringLiteral("枪械编辑"),
                                 QStringLiteral("静默高度"), QStringLiteral("配置"), QStringLiteral("重置"),
                                 QStringLiteral("恢复出厂设置"), QStringLiteral("取消"), QStringLiteral("确定"),
                                 QStringLiteral("系统设置"), QStringLiteral("保存")};
    view.setLang(QStringLiteral("main"), chinese);
    ok = ok && QMetaObject::invokeMethod(root, "loadLanguage");
    ok = ok && shoot(window, out + QStringLiteral("/main_zh.png"));

    if (!ok || warnings > 0) {
        std::fprintf(stderr, "preview failed (%d warnings)\n", warnings);
        return 1;
    }
    return 0;
}
