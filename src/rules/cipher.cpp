// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher.h"

#include <utility>

namespace cipher {

namespace {

// Exchanges bytes 0<->5, 1<->4, 2<->7 and 3<->6. The exchange is its own inverse.
void exchangeBytes(uint8_t *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

// XOR of bytes 1..6 with the code; bytes 0 and 7 are left alone. Its own inverse.
void mixCode(uint8_t *b, const uint8_t *code)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
}

// The block as one 64-bit big-endian number (b[0] most significant).
uint64_t toNumber(const uint8_t *b)
{
    uint64_t v = 0;
    for (int i = 0; i < kBlockSize; ++i)
        v = (v << 8) | b[i];
    return v;
}

void fromNumber(uint64_t v, uint8_t *b)
{
    for (int i = kBlockSize - 1; i >= 0; --i) {
        b[i] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

}  // namespace

void scramble(uint8_t *block, const uint8_t *code)
{
    exchangeBytes(block);
    mixCode(block, code);
    const uint64_t v = toNumber(block);
    fromNumber((v << 3) | (v >> 61), block);
    for (int i = 0; i < kBlockSize; ++i)
        block[i] = static_cast<uint8_t>(block[i] + swappedKeyByte(kKeyText[i]));
}

void unscramble(uint8_t *block, const uint8_t *code)
{
    for (int i = 0; i < kBlockSize; ++i)
        block[i] = static_cast<uint8_t>(block[i] - swappedKeyByte(kKeyText[i]));
    const uint64_t v = toNumber(block);
    fromNumber((v >> 3) | (v << 61), block);
    mixCode(block, code);
    exchangeBytes(block);
}

}  // namespace cipher
