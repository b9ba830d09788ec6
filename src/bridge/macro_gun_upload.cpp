// SPDX-License-Identifier: GPL-3.0-or-later
// The upload operations: a device macro to its macro number, one gun's data to the device.

#include "device_operations.h"

#include "bridge_values.h"
#include "gun_data.h"
#include "hid_thread.h"

#include <QDebug>

namespace bridge {

QVariant mouseSendMacroData(const DeviceSide &side, const QVariantList &macroData, const QVariant &macroIndex)
{
    const uint slot = bridge::lowByte(macroIndex);
    if (slot >= macro::kSlots) {
        // Buttons 12 to 15 have no macro on the device.
        qDebug() << "mouseSendMacroData: no device macro for slot" << slot;
        return true;
    }
    if (macroData.size() > macro::kBytes) {
        // A cut macro would lose its end mark; the device keeps the macro it has.
        qDebug() << "mouseSendMacroData refused:" << macroData.size() << "bytes, more than 128";
        return true;
    }
    Hid_Thread *hid = device(side, "mouseSendMacroData");
    if (!hid)
        return true;
    macro::Buffer buffer = macro::buffer(bridge::lowBytes(macroData, size_t(macroData.size())));
    const uchar number = uchar(slot + 1);
    if (family(side) == CommandFamily::F560)
        hid->hid560_0FH_SetMacroKey(number, buffer.data());
    else
        hid->hid553_13H_SetMacroKey(number, buffer.data());
    return true;
}

void mouseSendGundata(const DeviceSide &side, int gunNumber, const QVariantList &values)
{
    if (!side.isGun)
        return;
    if (!gun::validGunNumber(gunNumber)) {
        qDebug() << "mouseSendGundata refused: no gun" << gunNumber;
        return;
    }
    Hid_Thread *hid = device(side, "mouseSendGundata");
    if (!hid)
        return;
    if (values.size() < 3)
        qDebug() << "mouseSendGundata: only" << values.size() << "of 3 gun values; the missing ones count as 0";
    const std::vector<qint64> v = bridge::integerValues(values, 3);
    const gun::Values gunValues{v[0], v[1], v[2]};

    if (family(side) == CommandFamily::F560) {
        // The gun's data lives in the profile block of its key matrix.
        const int n = gunNumber + 1;
        if (!haveDeviceBlocks(side, *hid, {n}, "mouseSendGundata"))
            return;
        gun::writeToBlock(side.profileBlocks[n], gunValues);
        sendBlocks(side, *hid, {n});
        return;
    }
    // The third option byte turns the Y correction round. A query that fails leaves the preset 0: the
    // correction is sent as it stands.
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    hid->hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    const auto bytes = gun::command553(gunValues, gunNumber, b3);
    hid->hid553_04H_SetGunData(bytes[0], bytes[1], bytes[2], bytes[3]);
}

}  // namespace bridge
