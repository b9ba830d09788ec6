// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire_log.h"

Q_LOGGING_CATEGORY(lcWire, "zephra.wire", QtInfoMsg)
