// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery.h"

#include "hid_thread.h"
#include "hidapi_lock.h"
#include "settings_format.h"

#include <hidapi.h>

#include <QDebug>

void findDevicePaths(DeviceList &list)
{
    for (DeviceEntry &entry : list) {
        entry.commandPath.clear();
        entry.listenPath.clear();
        if (entry.vid == 0 && entry.pid == 0)
            continue;
        QMutexLocker lock(&hidapiLock());
        hid_device_info *all = hid_enumerate(entry.vid, entry.pid);
        for (const hid_device_info *info = all; info; info = info->next) {
            const QString path = QString::fromLatin1(info->path);
            if (info->usage_page == entry.usagePage && info->usage == entry.usage)
                entry.commandPath = path;
            if (info->usage_page == entry.usagePage2 && info->usage == entry.usage2)
                entry.listenPath = path;
        }
        hid_free_enumeration(all);
    }
}

int acceptFirstDevice(Hid_Thread &hid)
{
    for (int j = 0; j < hid.deviceList.size(); ++j) {
        if (hid.deviceList.at(j).commandPath.isEmpty())
            continue;
        if (hid.chkDeviceIsEnCode(j))
            return j;
    }
    return -1;
}

int discoverDevice(Hid_Thread &hid, const QString &configPath)
{
    DeviceList list = readDeviceList(configPath, settingsFormat());
    findDevicePaths(list);
    hid.deviceList = list;
    return acceptFirstDevice(hid);
}
