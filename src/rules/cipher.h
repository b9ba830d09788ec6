// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scrambling of the 8-byte command block for devices whose list entry has isEncode set.
//
// The same scheme runs in both directions: the program scrambles the blocks it sends and unscrambles the
// answers; the device does the opposite. It mixes a fixed 8-byte key ("TiWmeQax", each byte with its two
// 4-bit halves exchanged) with the device's six-character secrecy code, which lives in bytes 1..6 of an
// 8-byte code array (bytes 0 and 7 are never used).

#include <array>
#include <cstdint>

namespace cipher {

constexpr int kBlockSize = 8;
constexpr std::array<uint8_t, kBlockSize> kKeyText = {'T', 'i', 'W', 'm', 'e', 'Q', 'a', 'x'};

// A key byte as the scrambler uses it: its two 4-bit halves exchanged.
constexpr uint8_t swappedKeyByte(uint8_t k)
{
    return static_cast<uint8_t>(((k << 4) | (k >> 4)) & 0xFF);
}

// Scrambles block[0..7] in place with the code bytes code[1..6] and the key.
void scramble(uint8_t *block, const uint8_t *code);

// The exact inverse of scramble, in place.
void unscramble(uint8_t *block, const uint8_t *code);

}  // namespace cipher
