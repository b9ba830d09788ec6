// SPDX-License-Identifier: GPL-3.0-or-later
// The device listener: after a device is accepted, one job on Qt's global thread pool watches the
// device's second interface for DPI-switch reports and notices when the device is gone.
//
// The job works on its own copy of the device entry and touches only listenHandle and listenerRunning;
// everything it does to the user interface (and the clearing of the entry's listenPath in the shared
// list) is queued to the GUI thread, where it runs in order.

#include "hid_thread.h"

#include "command_table.h"
#include "device_traits.h"
#include "hidapi_lock.h"
#include "listener_sink.h"
#include "listener_report.h"

#include <QDebug>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int kListenReadMs = 500;
constexpr uchar kListenerBit553 = 0x40;   // fourth option byte
constexpr uchar kListenerBit560 = 0x08;   // first option byte

}  // namespace

void Hid_Thread::startListening(uint index)
{
    if (listenerRunning)
        listenerRunning = false;
    // At most one job: a previous one ends within one read.
    listenJob.waitForFinished();

    // Switch the device's listener option on. A failed read writes nothing back: its bytes are not the
    // device's options.
    if (icType() == QLatin1String("560")) {
        uchar o1 = 0, o2 = 0;
        if (runQuery(cmd560::GetKeyboardoption, {}, {&o1, &o2}))
            hid560_01H_SetKeyboardoption(o1 | kListenerBit560, o2);
    } else {
        uchar o1 = 0, o2 = 0, o3 = 0, o4 = 0;
        if (runQuery(cmd553::GetKeyboardoption, {}, {&o1, &o2, &o3, &o4}))
            hid553_03H_SetKeyboardoption(o1, o2, o3, o4 | kListenerBit553);
    }

    const DeviceEntry *entry = entryAt(int(index));
    if (!entry || entry->listenPath.isEmpty()) {
        // Nothing to listen on. Leaving the flag set would stop discovery from ever running again.
        qDebug() << "no listen interface";
        return;
    }
    listenEntry = *entry;
    listenerRunning = true;
    listenJob = QtConcurrent::run(QThreadPool::globalInstance(), &Hid_Thread::listenLoop, this, index);
}

void Hid_Thread::stopListening()
{
    listenerRunning = false;
}

void Hid_Thread::listenLoop(uint index)
{
    const QString path = listenEntry.listenPath;
    if (path.isEmpty())
        return;
    const QByteArray path8 = path.toLatin1();
    while (listenerRunning) {
        closeListenInterface();
        {
            QMutexLocker lock(&hidapiLock());
            listenHandle = hid_open_path(path8.constData());
        }
        if (!listenHandle) {
            qDebug() << "Device removed";
            listenerRunning = false;
            QMetaObject::invokeMethod(this, [this, index, path] {
                if (DeviceEntry *entry = entryAt(int(index)); entry && entry->listenPath == path)
                    entry->listenPath.clear();
                if (sink)
                    sink->setViewEnabled(false);
            }, Qt::QueuedConnection);
            return;
        }
        hid_set_nonblocking(listenHandle, 0);
        // Every report that waits for this handle is read before it is closed: the system drops the rest
        // with the handle (several switches in a row would otherwise leave only the first).
        for (int waitMs = kListenReadMs; listenerRunning; waitMs = 0) {
            uchar report[kDpiReportLength] = {};
            const int got = hid_read_timeout(listenHandle, report, sizeof report, waitMs);
            if (got <= 0)
                break;
            if (const auto stage = dpiSwitchStage(report, got)) {
                const int v = *stage;
                QMetaObject::invokeMethod(this, [this, v] {
                    if (!sink)
                        return;
                    sink->setCurrentDPI(v);
                    sink->showMessage(QStringLiteral("Info"), sink->dpiSwitchText(v), 10000);
                }, Qt::QueuedConnection);
            }
        }
        closeListenInterface();
    }
}
