// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of both families as data: the code, whether the feature report is followed by the 128 ms
// settle wait (otherwise the command pauses 8 ms after its transfer), and the text written to the debug
// output when the transport stays busy. The slots in commands553.cpp and commands560.cpp are thin
// wrappers that pass these and their parameter bytes to the shared skeleton.

#include <QtGlobal>

struct SetCommand
{
    uchar code;
    bool settle;
    const char *busyMessage;
};

struct QueryCommand
{
    uchar code;
    const char *busyMessage;
};

// A bulk payload: `copied` bytes from `data`, then zeros up to `length` bytes.
struct Payload
{
    const uchar *data;
    int copied;
    int length;
};

namespace cmd553 {

inline constexpr QueryCommand GetSecrecyCode{0x00, "cmd Failed 00"};
inline constexpr SetCommand SetReportRate{0x01, true, "cmd Failed 01"};
inline constexpr SetCommand SetCurrentKeyMatrix{0x02, true, "cmd Failed 02"};
inline constexpr SetCommand SetKeyboardoption{0x03, false, "cmd Failed 03"};
inline constexpr SetCommand SetGunData{0x04, false, "cmd Failed 04"};
inline constexpr SetCommand Lod{0x07, true, "hid553_07H_Lod"};
inline constexpr SetCommand SetCurrentDPI{0x0B, true, "cmd Failed 0B"};
inline constexpr SetCommand SetFixLEDColor{0x0C, true, "cmd Failed 0C"};
inline constexpr SetCommand SetRGBLedEffect{0x0D, true, "cmd Failed 0D"};
inline constexpr SetCommand SetLED8StageColor{0x10, true, "cmd Failed 10"};
inline constexpr SetCommand SetDPISet{0x11, true, "cmd Failed 11"};
inline constexpr SetCommand SetKeyMatrix{0x12, true, "cmd Failed 12"};
inline constexpr SetCommand SetMacroKey{0x13, true, "cmd Failed 13"};
inline constexpr QueryCommand GetKeyboardoption{0x83, "cmd Failed 83"};
inline constexpr QueryCommand GetCurrentDPI{0x8B, "cmd Failed 8BH"};

inline constexpr uchar kLodConstant = 0x7D;     // third parameter of 07H, fixed by the device
inline constexpr uchar kLedTypeFourBytes = 2;   // 10H type whose colour payload is 4 bytes
inline constexpr int kLedShortPayload = 4;
inline constexpr int kLedPayload = 24;
inline constexpr int kDpiTablePayload = 8;
inline constexpr int kKeyMatrixPayload = 64;
inline constexpr uchar kKeyMatrixP3 = 0x08;     // third parameter of 12H, fixed by the device
inline constexpr int kMacroPayload = 128;

}  // namespace cmd553

namespace cmd560 {

inline constexpr SetCommand SetKeyboardoption{0x01, false, "cmd Failed 01"};
inline constexpr SetCommand SetCurrentProfile{0x02, false, "cmd Failed 02"};
inline constexpr SetCommand SetReportRate{0x03, true, "cmd Failed 03"};   // numbered series
inline constexpr SetCommand SetCurrentDPI{0x04, true, "cmd Failed 04"};   // numbered series
inline constexpr SetCommand SetProfile{0x0C, true, "cmd Failed 0C"};
inline constexpr SetCommand SetKeyMatrix{0x0D, true, "cmd Failed 0D"};
inline constexpr SetCommand SetMacroKey{0x0F, true, "cmd Failed 0F"};
inline constexpr QueryCommand GetKeyboardoption{0x81, "cmd Failed 81"};
inline constexpr QueryCommand GetCurrentProfile{0x82, "cmd Failed 82"};
inline constexpr QueryCommand GetCurrentDPI{0x84, "cmd Failed 84"};
inline constexpr QueryCommand ReadProfile{0x8C, "cmd Failed 8c"};

inline constexpr int kBlockPayload = 128;       // profile block, key matrix (64 + 64 zeros), macro
inline constexpr int kKeyMatrixBytes = 64;
inline constexpr int kSeriesLength = 4;         // running numbers 1..4 of 03H and 04H

}  // namespace cmd560
