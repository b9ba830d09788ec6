// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device-facing half of a discovery pass: read the device list, find each listed device's command and
// listener interfaces, hand the list to the transport and accept the first entry whose device answers the
// handshake. The host window calls discoverDevice and then carries out what acceptance means for the user
// interface.

#include "device_entry.h"
#include "device_list.h"

class Hid_Thread;

// Fills commandPath and listenPath of every entry from hidapi's enumeration of its vendor and product id.
// For each enumerated interface both usage pairs are tested; a later match overwrites an earlier one, and
// one interface may fill both paths. An entry with vendor and product id 0 is not enumerated (hidapi would
// list every device on the system for it).
void findDevicePaths(DeviceList &list);

// Tries the handshake with every entry that has a command path, in list order; returns the index of the
// first that passes, or -1.
int acceptFirstDevice(Hid_Thread &hid);

// The whole device side of a pass: read `configPath`, find the paths, replace the transport's device list,
// accept the first device. Returns the accepted index or -1.
int discoverDevice(Hid_Thread &hid, const QString &configPath = kGlobalSettingsPath);
