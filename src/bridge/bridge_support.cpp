// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge_support.h"

#include "bridge_values.h"
#include "hid_thread.h"
#include "profile_store.h"

#include <QCoreApplication>
#include <QDebug>

namespace bridge {

CommandFamily family(const DeviceSide &side)
{
    return familyOf(side.icType);
}

Hid_Thread *device(const DeviceSide &side, const char *slot)
{
    if (!side.hid)
        qDebug() << slot << "skipped: no device object yet";
    return side.hid;
}

keymatrix::Matrix defaultKeyMatrix(const DeviceSide &side)
{
    keymatrix::Matrix matrix{};
    for (int slot = 0; slot < keymatrix::kSlots; ++slot) {
        const QString key = QStringLiteral("mouseFwKeyMatrix/%1").arg(slot);
        const QVariantList numbers = store::getDataList(side.settings, key, false);
        if (numbers.size() < keymatrix::kEntryBytes)
            qDebug().noquote() << key << "holds" << numbers.size() << "of 4 numbers; the missing ones count as 0";
        const std::vector<uchar> entry = lowBytes(numbers, keymatrix::kEntryBytes);
        keymatrix::setEntry(matrix, slot, {entry[0], entry[1], entry[2], entry[3]});
    }
    return matrix;
}

bool readBlock(const DeviceSide &side, Hid_Thread &hid, int n)
{
    side.profileBlockWhole[n] = hid.readProfileBlock(side.profileBlocks[n], uchar(n));
    if (!side.profileBlockWhole[n])
        qDebug() << "profile block" << n << "was not read whole";
    return side.profileBlockWhole[n];
}

bool haveDeviceBlocks(const DeviceSide &side, Hid_Thread &hid, std::initializer_list<int> blocks, const char *slot)
{
    for (int n : blocks) {
        for (int tries = 0; !side.profileBlockWhole[n] && tries < kBlockReadTries; ++tries)
            readBlock(side, hid, n);
        if (side.profileBlockWhole[n])
            continue;
        qDebug() << slot << "refused: profile block" << n << "could not be read from the mouse";
        if (side.tellUser)
            side.tellUser(QCoreApplication::translate(
                              "QObject",
                              "The settings stored in the mouse (profile %1) could not be read, so this change was not "
                              "sent: the mouse keeps its own settings. Unplug the mouse, plug it in again and try once more.")
                              .arg(n));
        return false;
    }
    return true;
}

void sendBlocks(const DeviceSide &side, Hid_Thread &hid, std::initializer_list<int> blocks)
{
    for (int n : blocks) {
        if (!side.profileBlockWhole[n]) {
            qDebug() << "profile block" << n << "not sent: it does not hold the mouse's own bytes";
            continue;
        }
        hid.hid560_0CH_setProfile(side.profileBlocks[n], uchar(n));
    }
}

}  // namespace bridge
