// SPDX-License-Identifier: GPL-3.0-or-later
#include "listener_report.h"

std::optional<int> dpiSwitchStage(const uchar *data, int length)
{
    if (!data || length != kDpiReportLength || data[0] != kDpiReportId || data[1] != kDpiReportKind)
        return std::nullopt;
    return data[3];
}
