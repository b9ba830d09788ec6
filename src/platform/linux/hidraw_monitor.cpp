// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw_monitor.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

HidrawMonitor::HidrawMonitor(QObject *parent)
    : QObject(parent)
{
    context = udev_new();
    if (context)
        monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        qDebug() << "device changes are not watched: no udev monitor";
        return;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &HidrawMonitor::drain);
}

HidrawMonitor::~HidrawMonitor()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

void HidrawMonitor::drain()
{
    bool any = false;
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
        udev_device_unref(device);
        any = true;
    }
    if (any)
        emit deviceChanged();
}
