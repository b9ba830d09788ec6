// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time in tests is driven, not waited for: expireNow() makes a running QTimer expire at once, as when its
// interval has passed (the timeout is emitted, a single-shot timer stops). False when it is not running.

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

inline bool expireNow(QTimer &timer)
{
    if (!timer.isActive())
        return false;
    QTimerEvent expiry(timer.timerId());
    QCoreApplication::sendEvent(&timer, &expiry);
    return true;
}
