// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidapi_lock.h"

QMutex &hidapiLock()
{
    static QMutex lock;
    return lock;
}
