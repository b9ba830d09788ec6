// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four-byte challenge of the device handshake.
//
// The generator is reseeded from the wall clock in whole seconds before every handshake, so two handshakes
// within the same second draw the same challenge. It is the classic linear congruential generator
// (state * 214013 + 2531011, value = bits 16..30 of the state); each challenge byte is the low 8 bits of one
// value.

#include <array>
#include <cstdint>

namespace challenge {

std::array<uint8_t, 4> fromSeed(uint32_t seed);

}  // namespace challenge
