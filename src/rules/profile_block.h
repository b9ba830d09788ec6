// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 128-byte profile block of a 560-family device: the complete settings of one on-device profile. The
// program keeps five of them (profiles 0 to 4); block 0 holds what is kept once per device (gun mode,
// colours of full-colour mice), blocks 1 to 4 go with key matrices 1 to 4. The program writes only the
// bytes named here and leaves the rest as last read from the device.

#include <QtGlobal>

namespace block {

inline constexpr int kSize = 128;
inline constexpr int kCount = 5;
inline constexpr uint kLastProfile = kCount - 1;

inline constexpr int GunMode = 2;              // block 0: 0x07, 0x0F, 0x1F for one, two, three guns
inline constexpr int FullColours = 24;         // block 0: eight colours, blue-green-red, bytes 24..47
inline constexpr int GunFlags = 65;            // bit 2 cleared when gun data is sent
inline constexpr uchar kGunFlagsCleared = 0x04;
inline constexpr int Effect = 71;              // mode, first parameter, second parameter: bytes 71..73
inline constexpr int GunData = 78;             // 0xF0, shot count, X correction, Y correction: 78..81
inline constexpr uchar kGunDataMarker = 0xF0;
inline constexpr int DpiHighBits = 82;         // bytes 82 and 83: bit 8 of each stage value ("3389")
inline constexpr int DpiStages = 84;           // stage values 1 to 8: bytes 84..91
inline constexpr int DpiStagesAgain = 92;      // the same eight values: bytes 92..99
inline constexpr int DpiEnabledMask = 100;     // bit i set for each enabled stage
inline constexpr int SingleColours = 104;      // block 1: eight colours, blue-green-red, bytes 104..127

inline constexpr int kColourBytes = 24;
static_assert(FullColours + kColourBytes <= GunFlags);
static_assert(DpiStagesAgain + 8 == DpiEnabledMask);
static_assert(SingleColours + kColourBytes == kSize);

}  // namespace block
