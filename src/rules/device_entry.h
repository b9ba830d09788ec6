// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One supported device as named by the device list of the global settings file, plus the HID paths that
// discovery found for it.

#include <QList>
#include <QString>
#include <QtGlobal>

struct DeviceEntry
{
    int type = -1;              // 0 keyboard, 1 mouse; informational only
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;      // usage pair of the command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0;     // usage pair of the listener interface
    quint16 usage2 = 0;
    int reportLength = 32;      // payload bytes per bulk output or input report
    bool isEncode = false;      // command blocks are scrambled
    QString sCode = QStringLiteral("318274");  // six-character secrecy code
    QString commandPath;        // empty: command interface not found (or its open failed)
    QString listenPath;         // empty: listener interface not found (or its open failed)
};

using DeviceList = QList<DeviceEntry>;
