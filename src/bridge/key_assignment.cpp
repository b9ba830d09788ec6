// SPDX-License-Identifier: GPL-3.0-or-later
// The button-assignment operations: store a set of assignments and send it as key matrices, restore the
// gun matrices, switch the active matrix.

#include "device_operations.h"

#include "bridge_values.h"
#include "hid_thread.h"
#include "key_matrix.h"
#include "profile_block.h"
#include "profile_store.h"

#include <QDebug>

using keymatrix::Matrix;

namespace {

QString assignmentKey(int button)
{
    return QStringLiteral("mouseKeyMatrix/%1").arg(button);
}

Matrix assignmentBytes(const QVariantList &src64)
{
    const std::vector<uchar> bytes = bridge::lowBytes(src64, keymatrix::kMatrixBytes);
    Matrix matrix{};
    std::copy(bytes.begin(), bytes.end(), matrix.begin());
    return matrix;
}

void sendMatrix(Hid_Thread &hid, CommandFamily family, Matrix &matrix, uchar number)
{
    if (family == CommandFamily::F560)
        hid.hid560_0DH_SetKeyMatrix(matrix.data(), number);
    else
        hid.hid553_12H_SetKeyMatrix(matrix.data(), number);
}

}  // namespace

namespace bridge {

void mouseSetKeyMatrix(const DeviceSide &side, const QVariantList &src64, bool isSendData,
                       const QVariantList &otherParam)
{
    // The profile keeps the assignments as the interface gave them, whether or not they are sent.
    if (src64.size() < keymatrix::kMatrixBytes)
        qDebug() << "mouseSetKeyMatrix: only" << src64.size() << "of 64 numbers; the missing ones count as 0";
    for (int button = 0; button < keymatrix::kSlots; ++button) {
        QVariantList assignment;
        for (int i = button * keymatrix::kEntryBytes; i < (button + 1) * keymatrix::kEntryBytes; ++i)
            assignment.append(i < src64.size() ? src64.at(i) : QVariant(0));
        store::setDataList(side.settings, assignmentKey(button), assignment);
    }
    if (!isSendData)
        return;
    Hid_Thread *hid = device(side, "mouseSetKeyMatrix");
    if (!hid)
        return;

    const CommandFamily family = bridge::family(side);
    Matrix primary = keymatrix::primaryMatrix(assignmentBytes(src64), family);
    if (!keymatrix::hasGun(primary)) {
        sendMatrix(*hid, family, primary, 1);
        return;
    }

    if (otherParam.size() < 3)
        qDebug() << "mouseSetKeyMatrix: only" << otherParam.size() << "of 3 fire periods; the missing ones count as 0";
    const std::vector<uchar> periods = bridge::lowBytes(otherParam, 3);
    keymatrix::GunMatrices upload =
        keymatrix::gunMatrices(primary, defaultKeyMatrix(side), {periods[0], periods[1], periods[2]}, family);

    if (family == CommandFamily::F560) {
        // Nothing of the change is sent when block 0, which takes the gun mode, cannot be read.
        if (!haveDeviceBlocks(side, *hid, {0}, "mouseSetKeyMatrix"))
            return;
        if (upload.gunMode)
            side.profileBlocks[0][block::GunMode] = *upload.gunMode;
        sendBlocks(side, *hid, {0});
    }
    sendMatrix(*hid, family, upload.primary, 1);
    for (uchar i = 0; i < 3; ++i)
        sendMatrix(*hid, family, upload.gun[i], uchar(i + 2));
    // The primary matrix is the active one again.
    if (family == CommandFamily::F560)
        hid->hid560_02H_SetCurrentProfile(1);
    else
        hid->hid553_02H_SetCurrentKeyMatrix(1);
}

void mouseResetKeyMatrix(const DeviceSide &side)
{
    Hid_Thread *hid = device(side, "mouseResetKeyMatrix");
    if (!hid)
        return;
    const CommandFamily family = bridge::family(side);
    Matrix defaults = defaultKeyMatrix(side);
    for (uchar number = 2; number <= 4; ++number)
        sendMatrix(*hid, family, defaults, number);
}

void mouseSwitchKeyMatrix(const DeviceSide &side, int indexNo)
{
    Hid_Thread *hid = device(side, "mouseSwitchKeyMatrix");
    if (!hid)
        return;
    // Matrix n is the 553 family's matrix n - 1 and the 560 family's profile n.
    if (family(side) == CommandFamily::F560)
        hid->hid560_02H_SetCurrentProfile(uchar(indexNo));
    else
        hid->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}

}  // namespace bridge
