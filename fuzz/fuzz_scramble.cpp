// SPDX-License-Identifier: GPL-3.0-or-later
// Scrambling and framing of command blocks: unscrambling undoes scrambling for every block and code, and a
// built report always carries a matching checksum.

#include "cipher.h"
#include "framing.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::array<uint8_t, cipher::kBlockSize> block{};
    std::array<uint8_t, 8> code{};
    input.ConsumeData(block.data(), block.size());
    input.ConsumeData(code.data(), code.size());

    std::array<uint8_t, cipher::kBlockSize> copy = block;
    cipher::scramble(copy.data(), code.data());
    cipher::unscramble(copy.data(), code.data());
    FUZZ_ASSERT(copy == block);
    cipher::unscramble(copy.data(), code.data());
    cipher::scramble(copy.data(), code.data());
    FUZZ_ASSERT(copy == block);

    // Bytes 0 and 7 of the code are never used.
    std::array<uint8_t, 8> otherEnds = code;
    otherEnds[0] = uint8_t(~code[0]);
    otherEnds[7] = uint8_t(~code[7]);
    std::array<uint8_t, cipher::kBlockSize> a = block;
    std::array<uint8_t, cipher::kBlockSize> b = block;
    cipher::scramble(a.data(), code.data());
    cipher::scramble(b.data(), otherEnds.data());
    FUZZ_ASSERT(a == b);

    const frame::Report report =
        frame::buildReport(block[0], {block[1], block[2], block[3], block[4], block[5], block[6]});
    FUZZ_ASSERT(report[0] == 0 && report[frame::kCodeOffset] == block[0]);
    FUZZ_ASSERT(std::memcmp(report.data() + frame::kParamOffset, block.data() + 1, frame::kParamCount) == 0);
    FUZZ_ASSERT(frame::checksumMatches(report));
    unsigned sum = 0;
    for (int i = 1; i < frame::kReportSize; ++i)
        sum += report[size_t(i)];
    FUZZ_ASSERT((sum & 0xFF) == 0xFF);
    return 0;
}
