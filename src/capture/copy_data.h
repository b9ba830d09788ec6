// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A copy-data message from another program: a number saying what it is, and a block of bytes. Shaped
// like the Windows COPYDATASTRUCT so that the Windows message can be handed on as it is; on Linux a
// session-bus method fills it in. The bytes belong to the sender and live only while the message is
// being delivered.

#include <cstdint>

struct CopyData
{
    uintptr_t dwData = 0;           // what the message is
    uint32_t cbData = 0;            // number of bytes at lpData
    const void *lpData = nullptr;   // the bytes; may be null when cbData is 0
};
