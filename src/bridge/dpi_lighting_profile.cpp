// SPDX-License-Identifier: GPL-3.0-or-later
// The performance, lighting and profile operations: DPI stages and the active stage, the lift-off setting,
// the keyboard options, the lighting effect and colours, and the upload and download of 560 profile blocks.

#include "device_operations.h"

#include "bridge_values.h"
#include "dpi_codes.h"
#include "hid_thread.h"
#include "lighting_tables.h"
#include "profile_block.h"

#include <QDebug>

#include <algorithm>

namespace {

// Block 1, then blocks 2 to 4 when the device has gun keys (they go with the gun matrices).
bool haveStageBlocks(const bridge::DeviceSide &side, Hid_Thread &hid, const char *slot)
{
    return side.isGun ? bridge::haveDeviceBlocks(side, hid, {1, 2, 3, 4}, slot)
                      : bridge::haveDeviceBlocks(side, hid, {1}, slot);
}

void sendStageBlocks(const bridge::DeviceSide &side, Hid_Thread &hid)
{
    bridge::sendBlocks(side, hid, {1});
    if (side.isGun)
        bridge::sendBlocks(side, hid, {2, 3, 4});
}

void writeEffect(uchar *target, const lighting::Effect &effect)
{
    target[block::Effect] = effect.mode;
    target[block::Effect + 1] = effect.first;
    target[block::Effect + 2] = effect.second;
}

bool validBlock(uint profileNo, const char *slot)
{
    if (profileNo <= block::kLastProfile)
        return true;
    qDebug() << slot << "refused: no profile block" << profileNo;
    return false;
}

}  // namespace

namespace bridge {

void mouseSetDpi(const DeviceSide &side, int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray)
{
    if (dpiValueArray.size() != dpi::kStages) {
        qDebug() << "mouseSetDpi refused:" << dpiValueArray.size() << "DPI values instead of 8";
        return;
    }
    Hid_Thread *hid = device(side, "mouseSetDpi");
    if (!hid)
        return;
    dpi::Values values{};
    const std::vector<qint64> integers = bridge::integerValues(dpiValueArray, dpi::kStages);
    std::copy(integers.begin(), integers.end(), values.begin());
    const dpi::StageCodes stages = dpi::stageCodes(sensorType, values);

    if (family(side) == CommandFamily::F553) {
        dpi::Stages table = dpi::table553(stages.codes, dpiCount);
        hid->hid553_11H_SetDPISet(uchar(dpiCount), table.data());
        return;
    }
    if (!haveStageBlocks(side, *hid, "mouseSetDpi"))
        return;
    for (int n = 1; n <= 4; ++n)
        dpi::writeToBlock(side.profileBlocks[n], stages, dpiCount, dpi::hasHighBits(sensorType));
    sendStageBlocks(side, *hid);
}

void mouseSetCurrentDPI(const DeviceSide &side, uchar currentDPI)
{
    Hid_Thread *hid = device(side, "mouseSetCurrentDPI");
    if (!hid)
        return;
    if (family(side) == CommandFamily::F560)
        hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant mouseGetCurrentDPI(const DeviceSide &side)
{
    uchar stage = 0;
    Hid_Thread *hid = device(side, "mouseGetCurrentDPI");
    if (!hid)
        return int(stage);
    if (family(side) == CommandFamily::F560) {
        uchar runningNumber = 1;
        hid->hid560_84H_GetCurrentDPI(runningNumber, stage);
    } else {
        hid->hid553_8BH_GetCurrentDPI(stage);
    }
    return int(stage);
}

void mouseSetReportRate(const DeviceSide &side, uchar rate, uchar en)
{
    // The lift-off distance, despite the name the interface calls it by; the same 553 command on both
    // families (neither family's report-rate command is used).
    // "test" is this slot's debug line as it has always read; log readers look for it: keep the word.
    qDebug() << "test" << int(rate) << int(en);
    if (Hid_Thread *hid = device(side, "mouseSetReportRate"))
        hid->hid553_07H_Lod(rate, en);
}

void mouseSetKeyboardoption(const DeviceSide &side, uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (Hid_Thread *hid = device(side, "mouseSetKeyboardoption"))
        hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList GetKeyboardoption(const DeviceSide &side)
{
    // A device that does not answer leaves the preset zeros.
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (Hid_Thread *hid = device(side, "GetKeyboardoption"))
        hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    return {int(b1), int(b2), int(b3), int(b4)};
}

void mouseSetRGBEffect(const DeviceSide &side, uchar effect, uchar option1, uchar option2)
{
    Hid_Thread *hid = device(side, "mouseSetRGBEffect");
    if (!hid)
        return;
    const bool family560 = family(side) == CommandFamily::F560;

    if (side.isColorful) {
        const lighting::Effect e = lighting::fullColourEffect(effect, option1, option2);
        if (!family560) {
            hid->hid553_0DH_SetRGBLedEffect(e.mode, e.first, e.second);
            return;
        }
        if (!haveStageBlocks(side, *hid, "mouseSetRGBEffect"))
            return;
        for (int n = 1; n <= 4; ++n)
            writeEffect(side.profileBlocks[n], e);
        sendStageBlocks(side, *hid);
        return;
    }

    const lighting::Effect e = lighting::singleColourEffect(effect, option1, option2);
    if (!family560) {
        // Only the 55328 controller takes the third value; the others are always sent 2, which they expect.
        hid->hid553_0DH_SetRGBLedEffect(e.mode, e.first, side.is55328 ? e.second : uchar(2));
        return;
    }
    if (!haveStageBlocks(side, *hid, "mouseSetRGBEffect"))
        return;
    // The 560 blocks carry the fixed 2 as well, and a mouse without gun keys 3 in block 1: the values
    // these devices take, not a slip for the table's third value.
    for (int n = 1; n <= 4; ++n)
        writeEffect(side.profileBlocks[n], {e.mode, e.first, 2});
    if (side.isGun) {
        sendBlocks(side, *hid, {1, 2, 3, 4});
    } else {
        side.profileBlocks[1][block::Effect + 2] = 3;
        sendBlocks(side, *hid, {1});
    }
}

void mouseSetRGBColor(const DeviceSide &side, uchar type, const QVariantList &src24)
{
    if (src24.size() > lighting::kColourBytes) {
        qDebug() << "mouseSetRGBColor refused:" << src24.size() << "colour values, more than 24";
        return;
    }
    Hid_Thread *hid = device(side, "mouseSetRGBColor");
    if (!hid)
        return;
    lighting::Colours colours = lighting::colourBuffer(bridge::lowBytes(src24, size_t(src24.size())));

    if (family(side) == CommandFamily::F560) {
        if (!haveDeviceBlocks(side, *hid, {side.isColorful ? 0 : 1}, "mouseSetRGBColor"))
            return;
        if (side.isColorful) {
            std::copy(colours.begin(), colours.end(), side.profileBlocks[0] + block::FullColours);
            sendBlocks(side, *hid, {0});
        } else {
            std::copy(colours.begin(), colours.end(), side.profileBlocks[1] + block::SingleColours);
            sendBlocks(side, *hid, {1});
        }
        return;
    }
    if (!side.is55328) {
        // Twice in a row on purpose: these mice are sent the colour table twice, the second report is part
        // of the exchange (the wire tests expect both); do not "fix" it into one.
        hid->hid553_10H_SetLED8StageColor(type, colours.data());
        hid->hid553_10H_SetLED8StageColor(type, colours.data());
    } else if (lighting::hasEighthColour(colours)) {
        hid->hid553_10H_SetLED8StageColor(0, colours.data());
    } else {
        // One fixed colour: the first.
        hid->hid553_0CH_SetFixLEDColor(colours.data());
    }
}

void mouseSetProfile(const DeviceSide &side, uint profileNo)
{
    if (!validBlock(profileNo, "mouseSetProfile"))
        return;
    Hid_Thread *hid = device(side, "mouseSetProfile");
    if (hid && haveDeviceBlocks(side, *hid, {int(profileNo)}, "mouseSetProfile"))
        sendBlocks(side, *hid, {int(profileNo)});
}

void mouseReadProfile(const DeviceSide &side, uint profileNo)
{
    if (!validBlock(profileNo, "mouseReadProfile"))
        return;
    if (Hid_Thread *hid = device(side, "mouseReadProfile"))
        readBlock(side, *hid, int(profileNo));
}

QVariant mouseReadCurrentProfile(const DeviceSide &side)
{
    uchar profile = 0;
    if (Hid_Thread *hid = device(side, "mouseReadCurrentProfile"))
        hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}

}  // namespace bridge
