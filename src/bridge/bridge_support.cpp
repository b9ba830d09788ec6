#include "bridge_support.h"

#include "bridge_values.h"
#include "hid_thread.h"
#include "my_quick_view.h"
#include "notice_boxes.h"

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

bool readBlock(myQQuickView &view, Hid_Thread &hid, int n)
{
    view.profileBlockWhole[n] = hid.readProfileBlock(view.profileBlocks[n], uchar(n));
    if (!view.profileBlockWhole[n])
        qDebug() << "profile block" << n << "was not read whole";
    return view.profileBlockWhole[n];
}

bool haveDeviceBlocks(myQQuickView &view, Hid_Thread &hid, std::initializer_list<int> blocks, const char *slot)
{
    for (int n : blocks) {
        for (int tries = 0; !view.profileBlockWhole[n] && tries < kBlockReadTries; ++tries)
            readBlock(view, hid, n);
        if (view.profileBlockWhole[n])
            continue;
        qDebug() << slot << "refused: profile block" << n << "could not be read from the mouse";
        QWidget *window = view.window();
        NoticeBoxes::of(view).warn(
            window ? window->windowTitle() : QString(),
            QObject::tr("The settings stored in the mouse (profile %1) could not be read, so this change was not "
                        "sent: the mouse keeps its own settings. Unplug the mouse, plug it in again and try once more.")
                .arg(n));
        return false;
    }
    return true;
}

void sendBlocks(myQQuickView &view, Hid_Thread &hid, std::initializer_list<int> blocks)
{
    for (int n : blocks) {
        if (!view.profileBlockWhole[n]) {
            qDebug() << "profile block" << n << "not sent: it does not hold the mouse's own bytes";
            continue;
        }
        hid.hid560_0CH_setProfile(view.profileBlocks[n], uchar(n));
    }
}

}  // namespace bridge
