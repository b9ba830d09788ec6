// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What input capture does with one keyboard or mouse event, as plain functions of the event and the
// capture's state. Every platform source turns its native events into this form and calls them.
//
// Keyboard: an event is reported as (HID usage, pressed) only when its key has a translation and its
// pressed state changed since the last report. So a held key is reported once however often it
// repeats, and a release is reported only after its press.
//
// Mouse: only the left, right and middle button downs and ups are reported, each one (there is no state):
// moves, wheel, double clicks and other buttons are not.

#include "key_tables.h"

#include <array>
#include <cstdint>
#include <optional>

namespace capture {

// Keyboard messages of the hook.
constexpr uint32_t kKeyDown = 0x100;
constexpr uint32_t kKeyUp = 0x101;
constexpr uint32_t kSysKeyDown = 0x104;  // a key down while Alt is held
constexpr uint32_t kSysKeyUp = 0x105;

// Mouse messages of the hook.
constexpr uint32_t kLeftButtonDown = 0x201;
constexpr uint32_t kLeftButtonUp = 0x202;
constexpr uint32_t kLeftButtonDoubleClick = 0x203;
constexpr uint32_t kRightButtonDown = 0x204;
constexpr uint32_t kRightButtonUp = 0x205;
constexpr uint32_t kRightButtonDoubleClick = 0x206;
constexpr uint32_t kMiddleButtonDown = 0x207;
constexpr uint32_t kMiddleButtonUp = 0x208;

// Button codes, as the key-name table of the interface calls them "MS-L", "MS-R" and "MS-M".
constexpr uint8_t kButtonLeft = 0xF0;
constexpr uint8_t kButtonRight = 0xF1;
constexpr uint8_t kButtonMiddle = 0xF2;

// One keyboard event as the hook hands it over.
struct KeyHookData
{
    int code = 0;           // 0: an event to act on; anything else counts as a release
    uint32_t message = 0;   // kKeyDown, kKeyUp, kSysKeyDown or kSysKeyUp
    uint32_t scanCode = 0;  // PC set-1 scan code (without the E0 prefix)
    uint32_t flags = 0;     // kFlagExtended, kFlagAltDown, kFlagReleased
};

struct KeyEvent
{
    uint8_t usage;
    bool pressed;
};

struct ButtonEvent
{
    uint8_t button;
    bool pressed;
};

// The last reported state of each HID usage: 1 pressed, 0 released.
using KeyStates = std::array<uint8_t, 256>;

// Decides whether a keyboard event is reported and updates keyStates when it is.
std::optional<KeyEvent> keyboardProcedure(const KeyTables &tables, KeyStates &keyStates,
                                          const KeyHookData &hook);

// The button and direction of a mouse message, or nothing for a message that is not reported.
std::optional<ButtonEvent> mouseButtonFor(uint32_t message);

}  // namespace capture
