#include "bridge_support.h"

#include "bridge_values.h"
#include "hid_thread.h"
#include "profile_store.h"

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

void sendBlocks(const DeviceSide &side, Hid_Thread &hid, std::initializer_list<int> blocks)
{
    for (int n : blocks)
        hid.hid560_0CH_setProfile(side.profileBlocks[n], uchar(n));
}

}  // namespace bridge
