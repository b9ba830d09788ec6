// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two key translation tables of input capture: PC scan code (with its extended flag) to Windows
// virtual key, and virtual key to HID keyboard usage, the code the mouse and the macro format use.
//
// A key of the first table is (scan code × 256) + extended flag. Both tables give 0 for a key they do not
// hold, and 0 means "not reported". Two keys are decided by the hook flags rather than by the table:
// Ctrl+Break (scan 0x46 extended) and Alt+Print Screen (scan 0x54 with Alt down).

#include <cstdint>
#include <map>
#include <span>

namespace capture {

// Bits of the hook flags that translation reads.
constexpr uint32_t kFlagExtended = 0x01;  // the key came with the E0 prefix
constexpr uint32_t kFlagAltDown = 0x20;   // Alt was held
constexpr uint32_t kFlagReleased = 0x80;  // the key went up (informational; the message decides)

// Scan codes that the hook flags reinterpret.
constexpr uint8_t kScanCtrlBreak = 0x46;    // with the extended flag: Ctrl+Break
constexpr uint8_t kScanAltPrintScreen = 0x54;  // with Alt down: Alt+Print Screen
constexpr uint8_t kVirtualKeyPause = 0x13;
constexpr uint8_t kVirtualKeySnapshot = 0x2C;

// Number of scan codes the keyboard table knows.
constexpr int kScanTableSize = 105;

// One row of the keyboard table.
struct KeyRow
{
    uint8_t scanCode;
    bool extended;
    uint8_t virtualKey;
    uint8_t usage;
};

// The keyboard table, in scan code order.
std::span<const KeyRow> keyRows();

struct KeyTables
{
    std::map<uint16_t, uint8_t> scanToVirtualKey;
    std::map<uint8_t, uint8_t> virtualKeyToUsage;

    // Empties both maps and fills them from the keyboard table.
    void fill();

    // The virtual key of a hook's scan code and flags, with the two flag-decided keys; 0 when unknown.
    // A scan code above 0xFF counts as 0.
    uint8_t virtualKeyFor(uint32_t scanCode, uint32_t flags) const;

    // The HID usage of a virtual key; 0 when unknown.
    uint8_t usageFor(uint8_t virtualKey) const;
};

// The key of scanToVirtualKey for a scan code and its extended flag.
constexpr uint16_t scanKey(uint8_t scanCode, bool extended)
{
    return uint16_t(scanCode << 8 | (extended ? 1 : 0));
}

}  // namespace capture
