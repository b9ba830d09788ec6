// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard procedure and the mouse message table.

#include "key_procedure.h"

namespace capture {

std::optional<KeyEvent> keyboardProcedure(const KeyTables &tables, KeyStates &keyStates,
                                          const KeyHookData &hook)
{
    const bool pressed = hook.code == 0 && (hook.message == kKeyDown || hook.message == kSysKeyDown);

    const uint8_t virtualKey = tables.virtualKeyFor(hook.scanCode, hook.flags);
    if (virtualKey == 0)
        return std::nullopt;
    const uint8_t usage = tables.usageFor(virtualKey);
    if (usage == 0)
        return std::nullopt;

    // Unchanged state: the auto-repeat of a held key, or the release of a key never seen pressed.
    uint8_t &state = keyStates[usage];
    if (state == (pressed ? 1 : 0))
        return std::nullopt;
    state = pressed ? 1 : 0;
    return KeyEvent{usage, pressed};
}

std::optional<ButtonEvent> mouseButtonFor(uint32_t message)
{
    switch (message) {
    case kLeftButtonDown: return ButtonEvent{kButtonLeft, true};
    case kLeftButtonUp: return ButtonEvent{kButtonLeft, false};
    case kRightButtonDown: return ButtonEvent{kButtonRight, true};
    case kRightButtonUp: return ButtonEvent{kButtonRight, false};
    case kMiddleButtonDown: return ButtonEvent{kButtonMiddle, true};
    case kMiddleButtonUp: return ButtonEvent{kButtonMiddle, false};
    default: return std::nullopt;  // double clicks, moves, wheel, other buttons
    }
}

}  // namespace capture
