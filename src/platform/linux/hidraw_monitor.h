// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-change notices on Linux: a udev monitor on the hidraw subsystem, read on the GUI thread through a
// socket notifier. Every add, remove or change of a hidraw node is one notice.

#include <QObject>

struct udev;
struct udev_monitor;
class QSocketNotifier;

class HidrawMonitor : public QObject
{
    Q_OBJECT

public:
    explicit HidrawMonitor(QObject *parent = nullptr);
    ~HidrawMonitor() override;

    bool isActive() const { return notifier != nullptr; }

signals:
    void deviceChanged();

private:
    void drain();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};
