// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests that run the transport against the virtual mouse.

#include "device_entry.h"
#include "virtual_mouse.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <vector>

namespace fixture {

// The device-list entry that discovery would build for a virtual device: its usage pairs, report length,
// encoding and code, and the paths of its command and listener interfaces.
DeviceEntry entryFor(int device, const vmouse::DeviceSpec &spec);

// The log events of the given kinds, in order.
std::vector<vmouse::Event> events(std::initializer_list<vmouse::Kind> kinds);

// Kinds of the whole log as a compact text ("open close open feature-out ..."), for sequence checks.
QString kindSequence();

QByteArray bytes(const vmouse::Bytes &b);
QByteArray bytes(std::initializer_list<int> values);
QByteArray bytes(const uchar *data, int length);

// A device list entry pointing nowhere: what discovery builds for an absent device.
DeviceEntry absentEntry();

}  // namespace fixture
