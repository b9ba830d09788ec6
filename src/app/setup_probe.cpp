// SPDX-License-Identifier: GPL-3.0-or-later
// The setup checker's look at the devices: the same enumeration as a discovery pass, then one open of each
// found command interface, keeping why an open failed.

#include "discovery.h"
#include "hidapi_lock.h"
#include "setup_check.h"

#include <hidapi.h>

#include <cerrno>

namespace {

OpenAttempt tryOpen(const QString &path)
{
    OpenAttempt attempt;
    attempt.path = path;
    QMutexLocker lock(&hidapiLock());
    errno = 0;
    hid_device *handle = hid_open_path(path.toLatin1().constData());
    const int error = errno;
    if (handle) {
        hid_close(handle);
        return attempt;
    }
    const wchar_t *text = hid_error(nullptr);
    attempt.error = text ? QString::fromWCharArray(text) : QString();
    attempt.outcome = classifyOpenError(error, attempt.error);
    return attempt;
}

}  // namespace

QList<OpenAttempt> probeListedDevices(DeviceList list)
{
    findDevicePaths(list);
    QList<OpenAttempt> attempts;
    for (const DeviceEntry &entry : list)
        if (!entry.commandPath.isEmpty())
            attempts << tryOpen(entry.commandPath);
    return attempts;
}
