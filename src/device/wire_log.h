// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logging category of all wire traffic, written as hex by the transport only. Off by default; switch
// it on with QT_LOGGING_RULES="zephra.wire.debug=true".

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWire)
