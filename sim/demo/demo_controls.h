// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The demo's own controls of the virtual mouse: a "Virtual mouse" menu in the tray (press the DPI button,
// unplug, plug in) and the same as commands on standard input, one per line, for scripted runs:
//   dpi [stage]    press the DPI button (or report the given stage)
//   unplug / plug  pull the mouse out / put it back (each also gives the system's device-change notice)
//   notice         a device-change notice alone
//   access <how>   the system's access to the mouse: granted, denied (no permission) or busy (held by
//                  another program); it counts from the next open, so unplug and plug to see its effect
//   state          print what the mouse holds (current DPI stage, profile, macros, key matrices),
//                  whether the window is shown and where, whether the mouse is connected and the view
//                  enabled
//   export macro <name> / export profile <n>   the interface's export: its save dialog opens
//   dialog cancel  cancel the open file dialogs
//   close          what the window's close button does (hide to the tray)
//   log            print the reports the mouse saw since the last "log"
//   shot <file> [name]  save a picture of the window (or of the open top-level window of that object
//                  name, for example setupNotice)
//   quit           what "Quit (&Q)" does
// Every command answers one line on standard output; tray notifications are printed there too, and
// "window exposed" once, when the window first shows on the display (start-up measurements wait for it).

#include <QObject>

class QSocketNotifier;
class Widget;

class DemoControls : public QObject
{
    Q_OBJECT

public:
    DemoControls(Widget &window, int device);
    ~DemoControls() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readCommands();
    void run(const QString &line);
    void answer(const QString &text);

    Widget &window;
    int device;
    size_t logShown = 0;
    QByteArray pending;
    QSocketNotifier *input = nullptr;
    bool exposed = false;
};
