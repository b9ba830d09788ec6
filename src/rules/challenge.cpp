// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenge.h"

namespace challenge {

std::array<uint8_t, 4> fromSeed(uint32_t seed)
{
    uint32_t state = seed;
    std::array<uint8_t, 4> bytes{};
    for (uint8_t &b : bytes) {
        state = state * 214013u + 2531011u;
        b = static_cast<uint8_t>((state >> 16) & 0x7FFF);
    }
    return bytes;
}

}  // namespace challenge
