// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// hidapi keeps global state in hid_enumerate and hid_open_path and is not safe to call there from two
// threads at once. The GUI thread (discovery, commands) and the listener job both open interfaces, so
// those calls are made under this one lock.

#include <QMutex>

QMutex &hidapiLock();
