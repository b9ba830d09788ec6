// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Linux key and button events in the form the keyboard and mouse procedures take.
//
// An X server on Linux numbers keys by evdev code + 8. Each evdev code of a PC keyboard key becomes the
// set-1 scan code and extended flag that key sends, so the same translation tables and key-state logic
// serve both platforms. Two keys send other scan codes while a modifier is held, as the keyboard itself
// does: Pause with Ctrl down is Break (0x46 extended), Print Screen with Alt down is SysRq (0x54).
// X pointer buttons 1, 3 and 2 become the left, right and middle button messages.

#include "key_procedure.h"

#include <cstdint>
#include <optional>

namespace capture {

// X keycodes are evdev codes shifted by this.
constexpr uint32_t kXKeycodeOffset = 8;

// evdev codes the conversion treats specially (from the kernel's input event codes).
namespace evdev {
constexpr int kLeftCtrl = 29;
constexpr int kRightShift = 54;
constexpr int kLeftAlt = 56;
constexpr int kNumLock = 69;
constexpr int kRightCtrl = 97;
constexpr int kSysRq = 99;  // Print Screen
constexpr int kRightAlt = 100;
constexpr int kPause = 119;
}  // namespace evdev

struct PcScanCode
{
    uint8_t scanCode;
    bool extended;
};

// The scan code a PC keyboard sends for an evdev key with no modifier held; nothing for keys it lacks.
std::optional<PcScanCode> scanCodeForEvdev(int evdevCode);

// The hook message of an X pointer button going down or up; 0 for buttons that are not reported
// (wheel steps 4 to 7, extra buttons).
uint32_t mouseMessageForXButton(uint32_t button, bool pressed);

// Turns a stream of evdev key events into hook data, keeping track of the Ctrl and Alt keys it has seen
// so that the modifier-dependent keys and the Alt-down flag come out as a PC keyboard produces them.
class EvdevKeyboard
{
public:
    // Hook data for one key event; nothing for a key without a PC scan code.
    std::optional<KeyHookData> hookData(int evdevCode, bool pressed);

private:
    bool altDown() const { return leftAlt || rightAlt; }
    bool ctrlDown() const { return leftCtrl || rightCtrl; }

    bool leftAlt = false;
    bool rightAlt = false;
    bool leftCtrl = false;
    bool rightCtrl = false;
};

}  // namespace capture
