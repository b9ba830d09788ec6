// SPDX-License-Identifier: GPL-3.0-or-later
#include "dpi_codes.h"

#include "bridge_values.h"
#include "profile_block.h"

#include <algorithm>

namespace dpi {

namespace {

struct Limit
{
    qint64 dpi;
    uchar code;
};

// Sensor "3050": the code of the first limit at or above the value; above 4000 DPI there is none.
constexpr Limit k3050[] = {
    {250, 0x01},  {500, 0x02},  {750, 0x03},  {1000, 0x04}, {1250, 0x05}, {1500, 0x06},
    {1750, 0x07}, {2000, 0x08}, {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48},
};

constexpr qint64 k3389HighFrom = 12800;   // values from here on have bit 8 set (12800 / 50 = 256)
constexpr qint64 k4090WideFrom = 5001;    // values from here on are in steps of 200 with bit 6 set

}  // namespace

bool hasHighBits(QStringView sensor)
{
    return sensor == u"3389";
}

uchar stageCode(QStringView sensor, qint64 dpi)
{
    if (sensor == u"3360")
        return bridge::lowByteOf(dpi / 100 - 1);
    if (sensor == u"3050") {
        for (const Limit &limit : k3050)
            if (limit.dpi >= dpi)
                return limit.code;
        return 0;
    }
    if (sensor == u"3389")
        return bridge::lowByteOf(dpi / 50);
    if (sensor == u"3327")
        return bridge::lowByteOf((dpi / 100) * 2);
    // "4090" and every other sensor.
    if (dpi < k4090WideFrom)
        return bridge::lowByteOf(dpi / 100 - 1);
    return bridge::lowByteOf(dpi / 200) | 0x40;
}

StageCodes stageCodes(QStringView sensor, const Values &values)
{
    StageCodes stages;
    for (int i = 0; i < kStages; ++i) {
        stages.codes[size_t(i)] = stageCode(sensor, values[size_t(i)]);
        if (hasHighBits(sensor) && values[size_t(i)] >= k3389HighFrom)
            stages.highBits |= uchar(1u << i);
    }
    return stages;
}

Stages table553(const Stages &codes, int dpiCount)
{
    Stages table = codes;
    for (int i = std::max(dpiCount, 0); i < kStages; ++i)
        table[size_t(i)] = kDisabledStage;
    return table;
}

uchar enabledMask(int dpiCount)
{
    const int enabled = std::clamp(dpiCount, 0, kStages);
    return uchar((1u << enabled) - 1);
}

void writeToBlock(uchar *target, const StageCodes &stages, int dpiCount, bool withHighBits)
{
    std::copy(stages.codes.begin(), stages.codes.end(), target + block::DpiStages);
    std::copy(stages.codes.begin(), stages.codes.end(), target + block::DpiStagesAgain);
    target[block::DpiEnabledMask] = enabledMask(dpiCount);
    if (withHighBits) {
        target[block::DpiHighBits] = stages.highBits;
        target[block::DpiHighBits + 1] = stages.highBits;
    }
}

}  // namespace dpi
