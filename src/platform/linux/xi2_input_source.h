// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Linux global input source: XInput 2.1+ raw key and button events, selected on the root windows
// through the X connection the application already holds. Raw events reach every client that selects
// them, even while another client grabs the device, and selecting them grabs nothing: input goes on to
// its programs untouched.
//
// Each raw key event (X keycode - 8 = evdev code) becomes PC hook data and goes to
// InputCapture::keyboardEvent; pointer buttons 1, 3 and 2 go to InputCapture::mouseEvent with the
// pointer's screen position. Wayland and X servers without XInput 2.1 offer no such events.
//
// The selection belongs to the application's X connection, so there is one such source per process: the
// one InputCapture the entry point makes.

#include "input_source.h"
#include "linux_input_codes.h"

#include <QAbstractNativeEventFilter>
#include <QPoint>

#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace capture {

class Xi2InputSource final : public InputSource, public QAbstractNativeEventFilter
{
public:
    explicit Xi2InputSource(InputCapture &capture);
    ~Xi2InputSource() override;

    bool install(QString &reason) override;
    void remove() override;
    bool installed() const override { return watching; }

    // Sees every X event before the application does; never consumes one.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    bool selectRawEvents(bool on);
    QPoint pointerPosition() const;

    InputCapture &capture;
    xcb_connection_t *connection = nullptr;
    std::vector<uint32_t> roots;
    uint8_t xinputOpcode = 0;
    bool watching = false;
    EvdevKeyboard keyboard;
};

}  // namespace capture
