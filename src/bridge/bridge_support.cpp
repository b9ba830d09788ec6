#include "bridge_support.h"

#include "bridge_values.h"
#include "hid_thread.h"
#include "my_quick_view.h"

#include <QDebug>

namespace bridge {

CommandFamily family(const myQQuickView &view)
{
    return familyOf(view.icType);
}

Hid_Thread *device(const myQQuickView &view, const char *slot)
{
    if (!view.hidThread)
        qDebug() << slot << "skipped: no device object yet";
    return view.hidThread;
}

keymatrix::Matrix defaultKeyMatrix(myQQuickView &view)
{
    keymatrix::Matrix matrix{};
    for (int slot = 0; slot < keymatrix::kSlots; ++slot) {
        const QString key = QStringLiteral("mouseFwKeyMatrix/%1").arg(slot);
        const QVariantList numbers = view.getDataList(key, false);
        if (numbers.size() < keymatrix::kEntryBytes)
            qDebug().noquote() << key << "holds" << numbers.size() << "of 4 numbers; the missing ones count as 0";
        const std::vector<uchar> entry = lowBytes(numbers, keymatrix::kEntryBytes);
        keymatrix::setEntry(matrix, slot, {entry[0], entry[1], entry[2], entry[3]});
    }
    return matrix;
}

void sendBlocks(myQQuickView &view, Hid_Thread &hid, std::initializer_list<int> blocks)
{
    for (int n : blocks)
        hid.hid560_0CH_setProfile(view.profileBlocks[n], uchar(n));
}

}  // namespace bridge
