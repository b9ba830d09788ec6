// SPDX-License-Identifier: GPL-3.0-or-later
// The listener's cost while nothing happens: CPU time of the whole process over 10 s of idle listening
// against the virtual mouse, in percent of one core.

#include "hid_thread.h"
#include "virtual_mouse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <ctime>

namespace {

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    hid_init();
    vmouse::reset();
    const int device = vmouse::addDevice(vmouse::demoMouse(vmouse::Family::F553, false));

    Hid_Thread hid;
    DeviceEntry entry;
    entry.commandPath = QString::fromStdString(vmouse::pathOf(device, 1));
    entry.listenPath = QString::fromStdString(vmouse::pathOf(device, 2));
    hid.deviceList = {entry};
    hid.startListening(0);
    QThread::msleep(200);   // the job is running

    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double cpu = processCpuSeconds() - cpuBefore;
    const double percent = 100.0 * cpu / (double(wall.nsecsElapsed()) / 1e9);
    hid.stopListening();
    hid.listenJob.waitForFinished();
    std::printf("bench: listener_idle_cpu_percent %.4f %%\n", percent);
    return 0;
}
