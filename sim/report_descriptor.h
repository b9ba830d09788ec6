// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HID report descriptor of one interface of a virtual mouse, as its firmware would declare it: what the
// kernel keeps in sysfs and hidapi parses into one enumeration entry per top-level collection.

#include "virtual_mouse.h"

namespace vmouse {

// One application collection per collection of the interface, with its usage page and usage, and no report
// ids (the protocol's reports are unnumbered). The command interface's collections carry input and output
// reports of `reportLength` bytes and the 8-byte feature report of the command blocks, the listener's the
// 4-byte DPI-switch input report, any other an 8-byte input report.
Bytes reportDescriptor(const InterfaceSpec &iface, int reportLength);

}  // namespace vmouse
