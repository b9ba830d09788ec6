// SPDX-License-Identifier: GPL-3.0-or-later
#include "sleeper.h"

#include <QDateTime>
#include <QThread>

void SystemSleeper::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

qint64 SystemSleeper::epochSeconds() const
{
    return QDateTime::currentSecsSinceEpoch();
}
