// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DPI-switch report the mouse sends on its second interface: 4 bytes, 06 07 xx v, v the new stage
// counted from 1 (byte 2 is not examined). Anything else (other first bytes, another length, a failed or
// empty read) is no DPI switch.

#include <QtGlobal>

#include <optional>

inline constexpr int kDpiReportLength = 4;
inline constexpr uchar kDpiReportId = 0x06;
inline constexpr uchar kDpiReportKind = 0x07;

// The stage a read of `length` bytes announces, if it is a DPI-switch report.
std::optional<int> dpiSwitchStage(const uchar *data, int length);
