// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// InputCapture: the program's global keyboard and mouse capture, used by macro recording and key entry.
//
// It watches all input of the desktop, also input meant for other programs, and never holds any back.
// Key events are reported as HID usages (the codes the mouse and the macro format use) and only when a
// key's pressed state changes; mouse events as the button codes 0xF0 (left), 0xF1 (right) and 0xF2
// (middle) with the pointer's screen position. It also hands copy-data messages from other programs to
// their callback.
//
// One exists per process, made by the entry point; its tables and key states start afresh with each
// construction. Everything runs on the GUI thread: the platform source delivers its events there, and the
// callbacks must return quickly (the host's only queue a call into the interface).

#include "copy_data.h"
#include "key_procedure.h"
#include "key_tables.h"

#include <QObject>

#include <cstdint>
#include <memory>

namespace capture {
class InputSource;
}

class InputCapture : public QObject
{
    Q_OBJECT

public:
    using KeyboardCallback = void (*)(uint8_t usage, bool pressed, void *context);
    using MouseCallback = void (*)(uint8_t button, bool pressed, int x, int y, void *context);
    using CopyDataCallback = void (*)(const CopyData *message, void *context);

    // Makes the platform's input source (src/platform: system_input_source.h); null gives none.
    using SourceFactory = std::unique_ptr<capture::InputSource> (*)(InputCapture &capture);

    // Fills the translation tables, makes the source and installs the hooks.
    explicit InputCapture(SourceFactory createSource, QObject *parent = nullptr);
    // Removes the hooks.
    ~InputCapture() override;

    // Starts watching global input (again, after removing any earlier hooks). False when this session
    // offers none; the reason is written to the debug output once.
    bool installHooks();
    void removeHooks();

    // Store a callback with the context it is called with; a later call replaces the earlier pair, a null
    // callback stops the reports. Events that arrive without a callback are dropped (key states are
    // still kept).
    void setKeyboardCallback(KeyboardCallback callback, void *context);
    void setMouseCallback(MouseCallback callback, void *context);
    // Also starts routing the system's copy-data messages to deliverCopyData, where the system has them.
    void setCopyDataHandler(CopyDataCallback callback, void *context);

    // False when no global input is being watched (for example under Wayland): recording and key entry
    // then receive only what watchWindowInput provides, and the interface can tell the user why.
    Q_INVOKABLE bool captureAvailable() const;

    // Where global input is unavailable, the key and button events that reach `window` (the program's own
    // window) go through the same procedures instead, so recording and key entry work while it has focus.
    // Nothing changes while global input is watched. True when the window's input is watched. The source
    // comes from the platform (system_input_source.h).
    using WindowSourceFactory = std::unique_ptr<capture::InputSource> (*)(InputCapture &capture, QObject *window);
    bool watchWindowInput(WindowSourceFactory createSource, QObject *window);

    // Entry points of the platform sources, one call per native event.
    void keyboardEvent(const capture::KeyHookData &hook);
    void mouseEvent(uint32_t message, int x, int y);
    // Hands a copy-data message to the stored callback. True (handled: the sender is answered 1) when a
    // callback is stored, whatever the message carries; false otherwise.
    bool deliverCopyData(const CopyData &message);

    const capture::KeyTables &tables() const { return keyTables; }

private:
    capture::KeyTables keyTables;
    capture::KeyStates keyStates{};

    KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    CopyDataCallback copyDataCallback = nullptr;
    void *copyDataContext = nullptr;

    std::unique_ptr<capture::InputSource> source;
    std::unique_ptr<capture::InputSource> windowSource;
    bool unavailableReported = false;
};
