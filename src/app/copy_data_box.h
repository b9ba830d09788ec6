// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The warning box other programs can raise with a copy-data message: number 9487 and a UTF-8 text.

#include "copy_data.h"

#include <QString>

#include <optional>

inline constexpr uintptr_t kWarningCopyDataId = 9487;

// The text to show for a copy-data message, or nothing. The text ends at the first NUL byte within the
// message's declared size (never beyond it); it is shown only when the message's number is 9487, the bytes
// are valid UTF-8, and re-encoded they have exactly the declared size (so a sender that counts the NUL is
// not shown). The window shows it through its NoticeBoxes: one box at a time, never modal, the text cut to
// a few thousand characters.
std::optional<QString> copyDataWarningText(const CopyData &message);
