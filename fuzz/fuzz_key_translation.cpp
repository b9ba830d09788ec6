// SPDX-License-Identifier: GPL-3.0-or-later
// Key translation of input capture: any stream of hook events (Windows hook data, or evdev key codes as the
// Linux source sees them) reports only known usages, a press only of a key that was up and a release only
// of a key that was down, and every lookup stays inside its tables.

#include "fuzz_support.h"
#include "key_procedure.h"
#include "linux_input_codes.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace capture;

namespace {

const KeyTables &tables()
{
    static const KeyTables filled = [] {
        KeyTables t;
        t.fill();
        return t;
    }();
    return filled;
}

void checkReport(KeyStates &mirror, const std::optional<KeyEvent> &event)
{
    if (!event)
        return;
    FUZZ_ASSERT(event->usage != 0);
    FUZZ_ASSERT(mirror[event->usage] == (event->pressed ? 0 : 1));
    mirror[event->usage] = event->pressed ? 1 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    KeyStates states{};
    KeyStates mirror{};
    EvdevKeyboard keyboard;
    static const uint32_t messages[] = {kKeyDown, kKeyUp, kSysKeyDown, kSysKeyUp};
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: {
            KeyHookData hook;
            hook.code = input.ConsumeIntegralInRange<int>(-1, 1);
            hook.message = input.ConsumeBool() ? messages[input.ConsumeIntegralInRange<int>(0, 3)]
                                               : input.ConsumeIntegral<uint32_t>();
            hook.scanCode = input.ConsumeBool() ? input.ConsumeIntegral<uint8_t>() : input.ConsumeIntegral<uint32_t>();
            hook.flags = input.ConsumeIntegral<uint32_t>();
            checkReport(mirror, keyboardProcedure(tables(), states, hook));
            break;
        }
        case 1: {
            const int evdev = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(0, 255) : input.ConsumeIntegral<int>();
            const bool pressed = input.ConsumeBool();
            if (const auto scan = scanCodeForEvdev(evdev))
                tables().virtualKeyFor(scan->scanCode, scan->extended ? kFlagExtended : 0);
            if (const auto hook = keyboard.hookData(evdev, pressed)) {
                FUZZ_ASSERT(hook->scanCode <= 0xFF);
                FUZZ_ASSERT(hook->message == (pressed ? kKeyDown : kKeyUp) ||
                            hook->message == (pressed ? kSysKeyDown : kSysKeyUp));
                checkReport(mirror, keyboardProcedure(tables(), states, *hook));
            }
            break;
        }
        case 2: {
            const uint32_t button = input.ConsumeIntegral<uint32_t>();
            const uint32_t message = mouseMessageForXButton(button, input.ConsumeBool());
            if (const auto event = mouseButtonFor(message))
                FUZZ_ASSERT(event->button == kButtonLeft || event->button == kButtonRight || event->button == kButtonMiddle);
            else
                FUZZ_ASSERT(message == 0);
            break;
        }
        default: {
            const uint8_t virtualKey = tables().virtualKeyFor(input.ConsumeIntegral<uint32_t>(), input.ConsumeIntegral<uint32_t>());
            tables().usageFor(virtualKey);
            tables().usageFor(input.ConsumeIntegral<uint8_t>());
            break;
        }
        }
    }
    FUZZ_ASSERT(states == mirror);
    return 0;
}
