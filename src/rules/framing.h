// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Layout of the 9-byte feature report that carries every device command, and its checksum.
//
//   byte 0      report id, always 0, never scrambled
//   byte 1      command code
//   bytes 2..7  parameters p1..p6 (unused ones are 0)
//   byte 8      checksum: complement of the low 8 bits of the sum of bytes 1..7
//
// Bytes 1..8 are the command block: the unit that is checksummed (over its plain form) and scrambled.

#include <array>
#include <cstdint>
#include <initializer_list>

namespace frame {

constexpr int kReportSize = 9;      // report id + command block
constexpr int kBlockSize = 8;       // command code, six parameters, checksum
constexpr int kParamCount = 6;
constexpr int kCodeOffset = 1;      // report byte of the command code
constexpr int kParamOffset = 2;     // report byte of p1
constexpr int kChecksumOffset = 8;  // report byte of the checksum

using Report = std::array<uint8_t, kReportSize>;

// Checksum of seven command bytes (code and p1..p6).
uint8_t checksum(const uint8_t *sevenBytes);

// The complete plain report for a command: report id 0, the code, up to six parameters (the rest 0) and
// the checksum. More than six parameters is a programming error; the extra ones are ignored.
Report buildReport(uint8_t code, std::initializer_list<uint8_t> params = {});

// True when byte 8 of the report is the checksum of bytes 1..7.
bool checksumMatches(const Report &report);

}  // namespace frame
