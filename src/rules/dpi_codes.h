// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DPI stage values as the device's sensors take them. Each of the eight stages is one byte whose meaning
// depends on the sensor, named by the global "mouse/sensorType" text; sensor "3389" has nine-bit values
// whose bit 8 travels in a separate mask. The 553 family marks disabled stages with 0x80 in its stage
// table; the 560 family writes the stages into its profile blocks with a mask of the enabled ones.

#include <QStringView>
#include <QtGlobal>

#include <array>

namespace dpi {

inline constexpr int kStages = 8;
inline constexpr uchar kDisabledStage = 0x80;   // 553 stage table

using Stages = std::array<uchar, kStages>;
using Values = std::array<qint64, kStages>;

struct StageCodes
{
    Stages codes{};
    uchar highBits = 0;     // bit i: bit 8 of stage i ("3389" only)
};

// The stage byte of one DPI value for a sensor ("3360", "3050", "3389", "3327"; any other text takes the
// "4090" rule). Bit 8 of a "3389" value is not part of it.
uchar stageCode(QStringView sensor, qint64 dpi);

// True for the sensor whose values need the bit-8 mask.
bool hasHighBits(QStringView sensor);

StageCodes stageCodes(QStringView sensor, const Values &values);

// The 553 stage table: the codes, with every stage from `dpiCount` on marked disabled.
Stages table553(const Stages &codes, int dpiCount);

// Bits 0 to dpiCount - 1 (none for a count of 0 or less, all eight from 8 on).
uchar enabledMask(int dpiCount);

// Writes the stages twice, the enabled mask and, for a sensor with high bits, the mask into both of its
// bytes of a 560 profile block.
void writeToBlock(uchar *block, const StageCodes &stages, int dpiCount, bool withHighBits);

}  // namespace dpi
