// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_run.h"

#include "hid_thread.h"
#include "sleeper.h"
#include "store_on_disk.h"
#include "virtual_mouse.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEPHRA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(ZEPHRA_ASAN)
// The sanitizer's count of the bytes its allocator hands out (its header does not come with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#define ZEPHRA_HEAP_FROM_SANITIZER 1
#endif

namespace {

class NoPauses final : public Sleeper
{
public:
    void sleep(int) override {}
    qint64 epochSeconds() const override { return 1'700'000'000; }
};

QVariantList numbers(int first, int count)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list.append(first + i);
    return list;
}

// One settings read or write through a slot; ten kinds in turn, half of them writes.
void settingsOp(myQQuickView &view, int i)
{
    switch (i % 10) {
    case 0: view.setData(QStringLiteral("mouse/dpiCount"), i % 8 + 1); break;
    case 1: view.getData(QStringLiteral("mouse/dpiCount"), false); break;
    case 2: view.setDataList(QStringLiteral("mouse/dpiValueArray"), numbers(i % 100, 8)); break;
    case 3: view.getDataList(QStringLiteral("mouse/dpiValueArray"), false); break;
    case 4: view.setGlobalData(QStringLiteral("mouse/profileNo"), i % 5); break;
    case 5: view.getGlobalData(QStringLiteral("mouse/profileNo")); break;
    case 6: view.updataNameList(0, {QStringLiteral("Macro_0"), QStringLiteral("Macro_%1").arg(i % 7 + 1)}); break;
    case 7: view.getNameList(0); break;
    case 8: view.mouseSaveGundata(i % 6, {QStringLiteral("M4"), QStringLiteral("L-Click"), i % 20, 0, 8, 0}); break;
    default: view.getGunData(i % 6); break;
    }
}

}  // namespace

qint64 heapInUse()
{
#ifdef ZEPHRA_HEAP_FROM_SANITIZER
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    return qint64(mallinfo2().uordblks);
#endif
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

LoadFigures runLoad(int settingsOps, int uploads)
{
    // The files live in memory where that is possible: the run measures the program, not the disk's syncs.
    QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm/zephra-load-XXXXXX")
                                                                              : QString());
    vmouse::reset();
    NoPauses sleeper;
    const vmouse::DeviceSpec spec = vmouse::demoMouse(vmouse::Family::F553, true);
    const int device = vmouse::addDevice(spec);
    Hid_Thread hid;
    hid.setSleeper(&sleeper);
    DeviceEntry entry;
    entry.vid = spec.vid;
    entry.pid = spec.pid;
    entry.isEncode = true;
    entry.commandPath = QString::fromStdString(vmouse::pathOf(device, 1));
    hid.deviceList = {entry};
    hid.currentDeviceIndex = 0;
    const QByteArray code = entry.sCode.toLatin1();
    for (int i = 0; i < 6; ++i)
        hid.deviceSecrecyCode[i + 1] = uchar(code[i]);

    LoadFigures figures;
    {
        StoreOnDisk store(folder.path());
        myQQuickView &view = store.view();
        view.icType = QStringLiteral("553");
        view.hidThread = &hid;
        hid.setTraits(view.deviceTraits());
        QVariantList assignments;
        for (int i = 0; i < 64; ++i)
            assignments.append(i % 4 == 2 ? 0xF0 + i / 4 % 5 : 0);

        auto settle = [&] {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            vmouse::clearLog();
        };
        // Warm-up: every kind of call once, so that what Qt and the store keep for good is in place.
        for (int i = 0; i < 100; ++i)
            settingsOp(view, i);
        for (int i = 0; i < 10; ++i)
            view.mouseSetKeyMatrix(assignments, true, numbers(1, 3));
        store.flush();
        settle();
        figures.heapBefore = heapInUse();
        figures.descriptorsBefore = openDescriptors();

        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < settingsOps; ++i) {
            settingsOp(view, i);
            if (i % 50 == 49)
                QCoreApplication::processEvents();   // the settings objects save on their own here
        }
        store.flush();
        figures.settingsMs = clock.restart();
        figures.settingsOps = settingsOps;

        for (int i = 0; i < uploads; ++i) {
            assignments[2] = 0xF0 + i % 5;
            view.mouseSetKeyMatrix(assignments, true, numbers(1, 3));
            if (i % 100 == 99)
                vmouse::clearLog();   // the virtual mouse's record of the traffic, not the program's memory
        }
        figures.uploadsMs = clock.elapsed();
        figures.uploads = uploads;
        const auto matrices = vmouse::state(device).keyMatrices;
        figures.uploadsArrived = hid.hidIdle && matrices.count(1) && matrices.at(1).size() == 64;

        store.flush();
        settle();
        figures.heapAfter = heapInUse();
        figures.descriptorsAfter = openDescriptors();
        hid.setTraits(nullptr);
    }
    return figures;
}
