// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The udev rules that let the user at the seat open the listed devices without root: one line per listed
// vendor and product id, for the device's hidraw nodes, tagged "uaccess" (logind then gives the active
// local session read and write access through an ACL). No rule sets a mode: nothing becomes world-writable.

#include "device_entry.h"

#include <QString>

// The file the rules are installed as; numbered before 73-seat-late.rules, which turns the tag into ACLs.
inline constexpr char kUdevRuleFile[] = "70-zephra-config.rules";

// The line in the rules template that the device lines replace.
inline constexpr char kUdevRulesPlaceholder[] = "@DEVICE_RULES@";

// One rule line per distinct vendor and product id of `list`, in list order, ids as four lower-case
// hexadecimal digits; entries without ids (0:0) are left out. Each line ends with a newline.
QString udevRuleLines(const DeviceList &list);

// `templateText` with every line that holds only the placeholder replaced by the rule lines.
QString fillUdevTemplate(const QString &templateText, const DeviceList &list);
