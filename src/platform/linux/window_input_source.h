// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input of the program's own window, where the session gives no global input (Wayland, an X server
// without XInput 2.1). An event filter on the window takes the key and button events that reach it and
// hands them, as hook data, to the same keyboard and mouse procedures the global source feeds: macro
// recording and key entry then work while the window has focus, and see nothing typed into other windows.
//
// Key events carry the native scan code, which is the X keycode (evdev code + 8) on both xcb and Wayland;
// a key auto-repeat is left out (the global source reports a held key once). Button presses, double-click
// presses included, become the left, right and middle button messages with the pointer's global position.

#include "input_source.h"
#include "linux_input_codes.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>

class QEvent;

namespace capture {

// The X pointer button of a Qt mouse button (1 left, 2 middle, 3 right); 0 for the others.
uint32_t xButtonForQtButton(int qtButton);

class WindowInputSource final : public QObject, public InputSource
{
public:
    WindowInputSource(InputCapture &capture, QObject *window);
    ~WindowInputSource() override;

    bool install(QString &reason) override;
    void remove() override;
    bool installed() const override { return watching; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    InputCapture &capture;
    QPointer<QObject> window;
    bool watching = false;
    EvdevKeyboard keyboard;
};

}  // namespace capture
