// SPDX-License-Identifier: GPL-3.0-or-later
// The runner of the QML tests: one executable, run once per tst_*.qml file (-input <file>).
//
// The tests run against the recording stand-ins of ui_View, hid and ui_Ctl, published together with the
// call log as "recorder" and the stand-in view as "standIn". With ZEPHRA_QML_TARGET=view they run against
// the real view instead (in a scratch copy of modules/, its device object talking to a virtual mouse with a
// recording sleeper); "recorder" and "standIn" are then null and the tests that read them skip, and
// "virtualMouse" tells what that mouse holds (null on the stand-ins). "testFiles" answers the view's file
// dialogs of import and export and reads and writes files of the scratch folder.

#include "call_log.h"
#include "copy_tree.h"
#include "file_dialogs.h"
#include "hid_thread.h"
#include "my_quick_view.h"
#include "recording_device.h"
#include "recording_sleeper.h"
#include "recording_view.h"
#include "sim_fixture.h"
#include "virtual_mouse.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

#include <memory>

namespace {

// Copies the modules/ folder beside the executable into `target`.
bool copyModules(const QString &target)
{
    return copyTree(QCoreApplication::applicationDirPath() + QStringLiteral("/modules"),
                    target + QStringLiteral("/modules"));
}

// The view's file dialogs, answered with the file a test names (an empty name is a cancelled dialog), and
// the files of the scratch folder for tests that check what the view wrote.
class TestFiles : public FileDialogs
{
    Q_OBJECT

public:
    using FileDialogs::FileDialogs;

    QString openFileName(QWidget *, const QString &, const QString &) override { return answer; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return answer; }

    Q_INVOKABLE void setDialogAnswer(const QString &file) { answer = file; }
    Q_INVOKABLE bool exists(const QString &file) const { return QFile::exists(file); }
    Q_INVOKABLE QString readText(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    Q_INVOKABLE bool writeText(const QString &file, const QString &text) const
    {
        QFile f(file);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) == text.toUtf8().size();
    }
    Q_INVOKABLE bool remove(const QString &file) const { return QFile::remove(file); }

private:
    QString answer;
};

// The virtual mouse behind the real view, as the tests see it: what it holds, in the numbers of the wire.
class VirtualMouse : public QObject
{
    Q_OBJECT

public:
    VirtualMouse()
        : device(vmouse::addDevice(vmouse::demoMouse()))
    {
    }

    // Points `hid` at the mouse, as a handshake with it would have left the device object.
    void connect(Hid_Thread &hid)
    {
        const vmouse::DeviceSpec spec = vmouse::demoMouse();
        hid.setSleeper(&sleeper);
        hid.deviceList = {fixture::entryFor(device, spec)};
        hid.currentDeviceIndex = 0;
        for (size_t i = 0; i < 6 && i < spec.secrecyCode.size(); ++i)
            hid.deviceSecrecyCode[i + 1] = uchar(spec.secrecyCode[i]);
    }

    // The 128 bytes of macro `number` (1 to 16, as the key matrix names it); empty when none was uploaded.
    Q_INVOKABLE QVariantList macro(int number) const
    {
        QVariantList out;
        const auto macros = vmouse::state(device).macros;
        if (const auto found = macros.find(number); found != macros.end())
            for (uint8_t b : found->second)
                out.append(int(b));
        return out;
    }

    // Forgets the macros the mouse holds.
    Q_INVOKABLE void forgetMacros()
    {
        vmouse::DeviceState state = vmouse::state(device);
        state.macros.clear();
        vmouse::setState(device, state);
    }

private:
    struct SimReset
    {
        SimReset() { vmouse::reset(); }
    } simReset;
    RecordingSleeper sleeper;
    int device;
};

} // namespace

class Setup : public QObject
{
    Q_OBJECT

public:
    ~Setup() override
    {
        if (device)
            device->setTraits(nullptr);
    }

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        QQmlContext *context = engine->rootContext();
        const bool realView = qEnvironmentVariable("ZEPHRA_QML_TARGET") == QStringLiteral("view");
        context->setContextProperty(QStringLiteral("testTarget"),
                                    realView ? QStringLiteral("view") : QStringLiteral("standin"));
        control = std::make_unique<RecordingControl>(&log);
        files = std::make_unique<TestFiles>();
        context->setContextProperty(QStringLiteral("testFiles"), files.get());
        if (realView) {
            scratch = std::make_unique<QTemporaryDir>();
            if (!scratch->isValid() || !copyModules(scratch->path()) || !QDir::setCurrent(scratch->path()))
                qFatal("cannot prepare a scratch modules folder");
            mouse = std::make_unique<VirtualMouse>();
            device = std::make_unique<Hid_Thread>();
            mouse->connect(*device);
            view = std::make_unique<myQQuickView>();
            view->hidThread = device.get();
            device->setTraits(view->deviceTraits());
            setFileDialogs(*view, files.get());
            context->setContextProperty(QStringLiteral("ui_View"), view.get());
            context->setContextProperty(QStringLiteral("hid"), device.get());
            context->setContextProperty(QStringLiteral("recorder"), nullptr);
            context->setContextProperty(QStringLiteral("standIn"), nullptr);
            context->setContextProperty(QStringLiteral("virtualMouse"), mouse.get());
        } else {
            standIn = std::make_unique<RecordingView>(&log);
            hidStandIn = std::make_unique<RecordingHid>(&log);
            context->setContextProperty(QStringLiteral("ui_View"), standIn.get());
            context->setContextProperty(QStringLiteral("hid"), hidStandIn.get());
            context->setContextProperty(QStringLiteral("recorder"), &log);
            context->setContextProperty(QStringLiteral("standIn"), standIn.get());
            context->setContextProperty(QStringLiteral("virtualMouse"), nullptr);
        }
        context->setContextProperty(QStringLiteral("ui_Ctl"), control.get());
    }

private:
    CallLog log;
    std::unique_ptr<RecordingView> standIn;
    std::unique_ptr<RecordingHid> hidStandIn;
    std::unique_ptr<RecordingControl> control;
    std::unique_ptr<TestFiles> files;
    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<Hid_Thread> device;
    std::unique_ptr<myQQuickView> view;
};

int main(int argc, char **argv)
{
    // The real view is a widget: the application object must exist before the test harness makes one.
    QApplication app(argc, argv);
    Setup setup;
    return quick_test_main_with_setup(argc, argv, "zephra_qml", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "qml_test_main.moc"
