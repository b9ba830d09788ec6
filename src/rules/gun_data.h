// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gun data and device macros as the device takes them.
//
// A gun key fires up to three guns; each gun's shot count and X/Y cursor corrections travel as bytes
// (negative corrections as two's complement). The 553 family takes them in its gun command, with the Y
// correction negated when the third option byte of the device is set; the 560 family keeps them in the
// profile block of the gun's key matrix (block n + 1 for gun n).
//
// A device macro is 128 bytes, built by the interface; the device keeps twelve, numbered 1 to 12, one per
// macro slot (the index of the button the macro is bound to) plus 1.

#include <QtGlobal>

#include <array>
#include <vector>

namespace gun {

inline constexpr int kGuns = 3;

struct Values
{
    qint64 shots = 0;
    qint64 x = 0;
    qint64 y = 0;
};

bool validGunNumber(int gunNumber);

// The four bytes of the 553 gun command: shot count, X, Y (negated when `optionByte3` is not 0) and the
// gun index 0 to 2.
std::array<uchar, 4> command553(const Values &values, int gunNumber, uchar optionByte3);

// Writes the gun data into a 560 profile block and clears the block's gun flag bit.
void writeToBlock(uchar *block, const Values &values);

}  // namespace gun

namespace macro {

inline constexpr int kBytes = 128;
inline constexpr uint kSlots = 12;          // slots 0 to 11; buttons 12 to 15 have no device macro

using Buffer = std::array<uchar, kBytes>;

// The macro bytes (at most 128 are read), then zeros.
Buffer buffer(const std::vector<uchar> &bytes);

}  // namespace macro
