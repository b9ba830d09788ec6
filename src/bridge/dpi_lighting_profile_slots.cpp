// The performance, lighting and profile slots of the view: DPI stages and the active stage, the lift-off
// setting, the keyboard options, the lighting effect and colours, the current profile file and the
// upload and download of 560 profile blocks.

#include "bridge_support.h"
#include "bridge_values.h"
#include "dpi_codes.h"
#include "hid_thread.h"
#include "lighting_tables.h"
#include "my_quick_view.h"
#include "profile_block.h"

#include <QDebug>

#include <algorithm>

namespace {

// Block 1, then blocks 2 to 4 when the device has gun keys (they go with the gun matrices).
bool haveStageBlocks(myQQuickView &view, Hid_Thread &hid, const char *slot)
{
    return view.isGun ? bridge::haveDeviceBlocks(view, hid, {1, 2, 3, 4}, slot)
                      : bridge::haveDeviceBlocks(view, hid, {1}, slot);
}

void sendStageBlocks(myQQuickView &view, Hid_Thread &hid)
{
    bridge::sendBlocks(view, hid, {1});
    if (view.isGun)
        bridge::sendBlocks(view, hid, {2, 3, 4});
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

void myQQuickView::setCurrentProfile(int profile)
{
    currentProfile = profile;
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    if (dpiValueArray.size() != dpi::kStages) {
        qDebug() << "mouseSetDpi refused:" << dpiValueArray.size() << "DPI values instead of 8";
        return;
    }
    Hid_Thread *hid = bridge::device(*this, "mouseSetDpi");
    if (!hid)
        return;
    dpi::Values values{};
    const std::vector<qint64> integers = bridge::integerValues(dpiValueArray, dpi::kStages);
    std::copy(integers.begin(), integers.end(), values.begin());
    const dpi::StageCodes stages = dpi::stageCodes(sensorType, values);

    if (bridge::family(*this) == CommandFamily::F553) {
        dpi::Stages table = dpi::table553(stages.codes, dpiCount);
        hid->hid553_11H_SetDPISet(uchar(dpiCount), table.data());
        return;
    }
    if (!haveStageBlocks(*this, *hid, "mouseSetDpi"))
        return;
    for (int n = 1; n <= 4; ++n)
        dpi::writeToBlock(profileBlocks[n], stages, dpiCount, dpi::hasHighBits(sensorType));
    sendStageBlocks(*this, *hid);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    Hid_Thread *hid = bridge::device(*this, "mouseSetCurrentDPI");
    if (!hid)
        return;
    if (bridge::family(*this) == CommandFamily::F560)
        hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    uchar stage = 0;
    Hid_Thread *hid = bridge::device(*this, "mouseGetCurrentDPI");
    if (!hid)
        return int(stage);
    if (bridge::family(*this) == CommandFamily::F560) {
        uchar runningNumber = 1;
        hid->hid560_84H_GetCurrentDPI(runningNumber, stage);
    } else {
        hid->hid553_8BH_GetCurrentDPI(stage);
    }
    return int(stage);
}

void myQQuickView::mouseSetReportRate(uchar rate, uchar en)
{
    // The lift-off distance; the same 553 command on both families.
    qDebug() << "test" << int(rate) << int(en);
    if (Hid_Thread *hid = bridge::device(*this, "mouseSetReportRate"))
        hid->hid553_07H_Lod(rate, en);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (Hid_Thread *hid = bridge::device(*this, "mouseSetKeyboardoption"))
        hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    // A device that does not answer leaves the preset zeros.
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (Hid_Thread *hid = bridge::device(*this, "GetKeyboardoption"))
        hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    return {int(b1), int(b2), int(b3), int(b4)};
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    Hid_Thread *hid = bridge::device(*this, "mouseSetRGBEffect");
    if (!hid)
        return;
    const bool family560 = bridge::family(*this) == CommandFamily::F560;

    if (isColorful) {
        const lighting::Effect e = lighting::fullColourEffect(effect, option1, option2);
        if (!family560) {
            hid->hid553_0DH_SetRGBLedEffect(e.mode, e.first, e.second);
            return;
        }
        if (!haveStageBlocks(*this, *hid, "mouseSetRGBEffect"))
            return;
        for (int n = 1; n <= 4; ++n)
            writeEffect(profileBlocks[n], e);
        sendStageBlocks(*this, *hid);
        return;
    }

    const lighting::Effect e = lighting::singleColourEffect(effect, option1, option2);
    if (!family560) {
        hid->hid553_0DH_SetRGBLedEffect(e.mode, e.first, is55328 ? e.second : uchar(2));
        return;
    }
    if (!haveStageBlocks(*this, *hid, "mouseSetRGBEffect"))
        return;
    for (int n = 1; n <= 4; ++n)
        writeEffect(profileBlocks[n], {e.mode, e.first, 2});
    if (isGun) {
        bridge::sendBlocks(*this, *hid, {1, 2, 3, 4});
    } else {
        profileBlocks[1][block::Effect + 2] = 3;
        bridge::sendBlocks(*this, *hid, {1});
    }
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24)
{
    if (src24.size() > lighting::kColourBytes) {
        qDebug() << "mouseSetRGBColor refused:" << src24.size() << "colour values, more than 24";
        return;
    }
    Hid_Thread *hid = bridge::device(*this, "mouseSetRGBColor");
    if (!hid)
        return;
    lighting::Colours colours = lighting::colourBuffer(bridge::lowBytes(src24, size_t(src24.size())));

    if (bridge::family(*this) == CommandFamily::F560) {
        if (!bridge::haveDeviceBlocks(*this, *hid, {isColorful ? 0 : 1}, "mouseSetRGBColor"))
            return;
        if (isColorful) {
            std::copy(colours.begin(), colours.end(), profileBlocks[0] + block::FullColours);
            bridge::sendBlocks(*this, *hid, {0});
        } else {
            std::copy(colours.begin(), colours.end(), profileBlocks[1] + block::SingleColours);
            bridge::sendBlocks(*this, *hid, {1});
        }
        return;
    }
    if (!is55328) {
        hid->hid553_10H_SetLED8StageColor(type, colours.data());
        hid->hid553_10H_SetLED8StageColor(type, colours.data());
    } else if (lighting::hasEighthColour(colours)) {
        hid->hid553_10H_SetLED8StageColor(0, colours.data());
    } else {
        // One fixed colour: the first.
        hid->hid553_0CH_SetFixLEDColor(colours.data());
    }
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    if (!validBlock(profileNo, "mouseSetProfile"))
        return;
    Hid_Thread *hid = bridge::device(*this, "mouseSetProfile");
    if (hid && bridge::haveDeviceBlocks(*this, *hid, {int(profileNo)}, "mouseSetProfile"))
        bridge::sendBlocks(*this, *hid, {int(profileNo)});
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (!validBlock(profileNo, "mouseReadProfile"))
        return;
    if (Hid_Thread *hid = bridge::device(*this, "mouseReadProfile"))
        bridge::readBlock(*this, *hid, int(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    uchar profile = 0;
    if (Hid_Thread *hid = bridge::device(*this, "mouseReadCurrentProfile"))
        hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}
