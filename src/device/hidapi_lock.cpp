#include "hidapi_lock.h"

QMutex &hidapiLock()
{
    static QMutex lock;
    return lock;
}
