// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_controls.h"

#include "my_quick_view.h"
#include "session_status.h"
#include "ui_controler.h"
#include "virtual_mouse.h"
#include "widget.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QSocketNotifier>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

DemoControls::DemoControls(Widget &host, int mouse)
    : QObject(&host)
    , window(host)
    , device(mouse)
{
    // Plug and unplug are the demo's device-change notices.
    vmouse::setPlugListener([this] {
        QMetaObject::invokeMethod(&window, &Widget::deviceChanged, Qt::QueuedConnection);
    });

    if (QMenu *menu = window.trayIcon->contextMenu()) {
        QMenu *mouseMenu = new QMenu(QStringLiteral("Virtual mouse"), menu);
        mouseMenu->addAction(QStringLiteral("Press the DPI button"), this, [this] { vmouse::pressDpiButton(device); });
        mouseMenu->addAction(QStringLiteral("Unplug"), this, [this] { vmouse::unplug(device); });
        mouseMenu->addAction(QStringLiteral("Plug in"), this, [this] { vmouse::replug(device); });
        mouseMenu->addSeparator();
        mouseMenu->addAction(QStringLiteral("Deny access"), this, [this] { vmouse::setAccess(device, vmouse::Access::Denied); });
        mouseMenu->addAction(QStringLiteral("Held by another program"), this,
                             [this] { vmouse::setAccess(device, vmouse::Access::Busy); });
        mouseMenu->addAction(QStringLiteral("Grant access"), this, [this] { vmouse::setAccess(device, vmouse::Access::Granted); });
        menu->insertMenu(menu->actions().value(0), mouseMenu);
        menu->insertSeparator(menu->actions().value(1));
    }

    // Tray notifications also go to standard output: a session without a tray shows none.
    connect(&window, &Widget::trayMessageShown, this, [this](const QString &title, const QString &text, int ms) {
        answer(QStringLiteral("tray %1|%2|%3").arg(title, text).arg(ms));
    });

    // The native window exists once the window is shown: its first exposure is the first picture seen.
    window.installEventFilter(this);

    input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(input, &QSocketNotifier::activated, this, &DemoControls::readCommands);
}

DemoControls::~DemoControls() = default;

bool DemoControls::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window && event->type() == QEvent::Show && window.windowHandle()) {
        window.windowHandle()->installEventFilter(this);
    } else if (!exposed && watched == window.windowHandle() && event->type() == QEvent::Expose
               && window.windowHandle()->isExposed()) {
        exposed = true;
        answer(QStringLiteral("window exposed"));
    }
    return QObject::eventFilter(watched, event);
}

void DemoControls::readCommands()
{
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        input->setEnabled(false);   // standard input closed: the tray menu still works
        return;
    }
    pending += QByteArray(buffer, int(got));
    int end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending.left(end)).trimmed();
        pending.remove(0, end + 1);
        if (!line.isEmpty())
            run(line);
    }
}

void DemoControls::answer(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

void DemoControls::run(const QString &line)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString command = words.value(0);
    if (command == QLatin1String("dpi")) {
        bool given = false;
        const int stage = words.value(1).toInt(&given);
        if (given)
            vmouse::pushDpiSwitch(device, uint8_t(stage));
        answer(QStringLiteral("dpi %1").arg(given ? stage : vmouse::pressDpiButton(device)));
    } else if (command == QLatin1String("unplug")) {
        vmouse::unplug(device);
        answer(QStringLiteral("unplugged"));
    } else if (command == QLatin1String("plug")) {
        vmouse::replug(device);
        answer(QStringLiteral("plugged"));
    } else if (command == QLatin1String("state")) {
        const vmouse::DeviceState s = vmouse::state(device);
        const SessionStatus *session = window.windowController->session;
        answer(QStringLiteral("state dpi %1 profile %2 keymatrices %3 macros %4 dpitables %5 window %6 at %7,%8 "
                              "mouse %9 view %10")
                   .arg(s.currentDpiStage).arg(s.currentProfile).arg(s.keyMatrices.size())
                   .arg(s.macros.size()).arg(s.dpiTables.size())
                   .arg(window.isVisible() && !window.isMinimized() ? "shown" : "hidden")
                   .arg(window.x()).arg(window.y())
                   .arg(session && session->mouseConnected() ? "connected" : "disconnected")
                   .arg(window.view() && window.view()->isEnabled() ? "enabled" : "disabled"));
    } else if (command == QLatin1String("export") && words.size() == 3) {
        // The export of the interface's Config page or macro editor: the save dialog opens (after this
        // answer, so that commands go on while it is open).
        answer(QStringLiteral("exporting"));
        if (words[1] == QLatin1String("macro"))
            QMetaObject::invokeMethod(window.view(), "saveMacroFile", Qt::QueuedConnection, Q_ARG(QVariant, words[2]));
        else
            QMetaObject::invokeMethod(window.view(), "saveProfile", Qt::QueuedConnection, Q_ARG(int, words[2].toInt()));
    } else if (command == QLatin1String("dialog")) {
        int closed = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QFileDialog *>(w); dialog && dialog->isVisible()) {
                dialog->reject();
                ++closed;
            }
        answer(QStringLiteral("dialogs cancelled %1").arg(closed));
    } else if (command == QLatin1String("notice")) {
        window.deviceChanged();
        answer(QStringLiteral("notice"));
    } else if (command == QLatin1String("close")) {
        window.windowController->onClose();
        answer(QStringLiteral("closed"));
    } else if (command == QLatin1String("log")) {
        const auto events = vmouse::log();
        for (size_t i = logShown; i < events.size(); ++i)
            if (events[i].kind == vmouse::Kind::FeatureOut || events[i].kind == vmouse::Kind::Output)
                answer(QStringLiteral("log ") + QString::fromStdString(vmouse::describe(events[i])));
        logShown = events.size();
        answer(QStringLiteral("log end"));
    } else if (command == QLatin1String("access")) {
        const QString how = words.value(1);
        const bool known = how == QLatin1String("granted") || how == QLatin1String("denied") || how == QLatin1String("busy");
        if (known)
            vmouse::setAccess(device, how == QLatin1String("denied") ? vmouse::Access::Denied
                                      : how == QLatin1String("busy") ? vmouse::Access::Busy
                                                                     : vmouse::Access::Granted);
        answer(known ? QStringLiteral("access ") + how : QStringLiteral("unknown access: %1").arg(how));
    } else if (command == QLatin1String("shot")) {
        QWidget *shown = &window;
        if (words.size() > 2) {
            shown = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == words[2] && w->isVisible())
                    shown = w;
        }
        const bool saved = shown && shown->grab().save(words.value(1));
        answer(saved ? QStringLiteral("shot saved %1").arg(words.value(1)) : QStringLiteral("shot failed"));
    } else if (command == QLatin1String("quit")) {
        answer(QStringLiteral("quitting"));
        // The tray menu's own entry, as if clicked.
        for (QAction *action : window.trayIcon->contextMenu()->actions())
            if (action->text() == QLatin1String("Quit (&Q)"))
                action->trigger();
    } else {
        answer(QStringLiteral("unknown command: %1").arg(line));
    }
}
