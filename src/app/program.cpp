// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "command_line.h"
#include "input_capture.h"
#include "my_quick_view.h"
#include "scene_graph_choice.h"
#include "session_status.h"
#include "settings_location.h"
#include "setup_notice.h"
#include "single_instance.h"
#include "system_input_source.h"
#include "ui_controler.h"
#include "widget.h"

#include <hidapi.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

#ifndef Q_OS_WIN
#include "copy_data_bus.h"
#include "hidraw_monitor.h"
#include "portal_file_dialogs.h"
#endif

int runProgram(int argc, char **argv, const ProgramHooks &hooks)
{
    // --help and --version answer before anything exists: no application, no lock, no socket.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = parseCommandLine(arguments);
    if (answerCommandLine(commandLine, QFileInfo(arguments.value(0)).fileName()))
        return 0;

#ifndef Q_OS_WIN
    const bool portalTheme = preferPortalFileDialogs();
#endif
    chooseSceneGraph();
    QApplication app(argc, argv);
#ifndef Q_OS_WIN
    if (portalTheme)
        forgetPortalThemeChoice();
#endif
    // The window is often hidden (no device, or closed to the tray): only "Quit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (instance.isRunning()) {
        instance.sendMessage(QString(), 5000);
        return 1;
    }

    // Everything under ./modules/ is found in the settings folder, wherever the program was started from:
    // beside the executable, or (installed, or a build whose modules/ holds the shipped defaults) in the
    // user's data home.
    SettingsPlaces places = currentSettingsPlaces(QCoreApplication::applicationDirPath());
    if (!hooks.dataFolderName.isEmpty())
        places.dataFolderName = hooks.dataFolderName;
    QDir::setCurrent(prepareSettingsRoot(places));
    // Once, before any thread: hidapi's set-up is not thread-safe.
    hid_init();
    if (hooks.beforeWindow)
        hooks.beforeWindow();

    Widget window;
    QObject::connect(&instance, &SingleInstance::messageReceived, &window, &Widget::receiveMessage);

    InputCapture capture(capture::createInputSource);
    capture.setKeyboardCallback(&Widget::keyboardCallback, &window);
    capture.setMouseCallback(&Widget::mouseCallback, &window);
    capture.setCopyDataHandler(&Widget::copyDataCallback, &window);
    // Without global input, the program's own window still delivers its keys and clicks.
    capture.watchWindowInput(capture::createWindowInputSource, window.view());
    if (SessionStatus *status = window.windowController->session)
        status->setCaptureAvailable(capture.captureAvailable());
    // Why a listed mouse stays disconnected, told once per cause (owned by the window); a start by hand also
    // says that it waits for the mouse.
    auto *notice = new SetupNotice(window);
    notice->setWaitingForMouse(!commandLine.background);

    const bool ownDeviceNotices = hooks.afterWindow && hooks.afterWindow(window);
#ifndef Q_OS_WIN
    CopyDataBus copyDataBus(&capture);
    std::unique_ptr<HidrawMonitor> monitor;
    if (!ownDeviceNotices) {
        monitor = std::make_unique<HidrawMonitor>();
        QObject::connect(monitor.get(), &HidrawMonitor::deviceChanged, &window, &Widget::deviceChanged);
    }
#else
    Q_UNUSED(ownDeviceNotices);
#endif

    window.showNormal();
    window.checkDevice();
    const int code = QApplication::exec();
    capture.removeHooks();
    return code;
}
