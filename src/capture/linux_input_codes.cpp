// SPDX-License-Identifier: GPL-3.0-or-later
// evdev key codes to PC scan codes, and X pointer buttons to mouse messages.

#include "linux_input_codes.h"

namespace capture {

namespace {

// Keys whose scan code is not their evdev code: the extended keys (sent with the E0 prefix) and the few
// others.
struct EvdevRow
{
    int evdevCode;
    PcScanCode scan;
};

constexpr EvdevRow kOtherKeys[] = {
    {evdev::kRightShift, {0x36, true}},
    {evdev::kNumLock, {0x45, true}},
    {96, {0x1C, true}},   // keypad Enter
    {evdev::kRightCtrl, {0x1D, true}},
    {98, {0x35, true}},   // keypad /
    {evdev::kSysRq, {0x37, true}},
    {evdev::kRightAlt, {0x38, true}},
    {102, {0x47, true}},  // Home
    {103, {0x48, true}},  // Up
    {104, {0x49, true}},  // Page Up
    {105, {0x4B, true}},  // Left
    {106, {0x4D, true}},  // Right
    {107, {0x4F, true}},  // End
    {108, {0x50, true}},  // Down
    {109, {0x51, true}},  // Page Down
    {110, {0x52, true}},  // Insert
    {111, {0x53, true}},  // Delete
    {evdev::kPause, {0x45, false}},
    {125, {0x5B, true}},  // left Windows
    {126, {0x5C, true}},  // right Windows
    {127, {0x5D, true}},  // Menu
    {193, {0x6E, false}}, // F23
};

}  // namespace

std::optional<PcScanCode> scanCodeForEvdev(int evdevCode)
{
    for (const EvdevRow &row : kOtherKeys) {
        if (row.evdevCode == evdevCode)
            return row.scan;
    }
    // Esc to keypad . (1 to 83), the key beside the left Shift (86), F11 and F12 (87, 88): the evdev
    // code is the scan code.
    if ((evdevCode >= 1 && evdevCode <= 83) || (evdevCode >= 86 && evdevCode <= 88))
        return PcScanCode{uint8_t(evdevCode), false};
    return std::nullopt;
}

uint32_t mouseMessageForXButton(uint32_t button, bool pressed)
{
    switch (button) {
    case 1: return pressed ? kLeftButtonDown : kLeftButtonUp;
    case 2: return pressed ? kMiddleButtonDown : kMiddleButtonUp;
    case 3: return pressed ? kRightButtonDown : kRightButtonUp;
    default: return 0;
    }
}

std::optional<KeyHookData> EvdevKeyboard::hookData(int evdevCode, bool pressed)
{
    switch (evdevCode) {
    case evdev::kLeftAlt: leftAlt = pressed; break;
    case evdev::kRightAlt: rightAlt = pressed; break;
    case evdev::kLeftCtrl: leftCtrl = pressed; break;
    case evdev::kRightCtrl: rightCtrl = pressed; break;
    default: break;
    }

    std::optional<PcScanCode> scan = scanCodeForEvdev(evdevCode);
    if (!scan)
        return std::nullopt;
    if (evdevCode == evdev::kPause && ctrlDown())
        scan = PcScanCode{kScanCtrlBreak, true};
    else if (evdevCode == evdev::kSysRq && altDown())
        scan = PcScanCode{kScanAltPrintScreen, false};

    KeyHookData hook;
    hook.code = 0;
    hook.message = altDown() ? (pressed ? kSysKeyDown : kSysKeyUp) : (pressed ? kKeyDown : kKeyUp);
    hook.scanCode = scan->scanCode;
    hook.flags = (scan->extended ? kFlagExtended : 0) | (altDown() ? kFlagAltDown : 0)
                 | (pressed ? 0 : kFlagReleased);
    return hook;
}

}  // namespace capture
