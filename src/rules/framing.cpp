// SPDX-License-Identifier: GPL-3.0-or-later
#include "framing.h"

namespace frame {

uint8_t checksum(const uint8_t *sevenBytes)
{
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += sevenBytes[i];
    return static_cast<uint8_t>(~sum & 0xFF);
}

Report buildReport(uint8_t code, std::initializer_list<uint8_t> params)
{
    Report report{};
    report[kCodeOffset] = code;
    int i = 0;
    for (uint8_t p : params) {
        if (i == kParamCount)
            break;
        report[kParamOffset + i++] = p;
    }
    report[kChecksumOffset] = checksum(report.data() + kCodeOffset);
    return report;
}

bool checksumMatches(const Report &report)
{
    return report[kChecksumOffset] == checksum(report.data() + kCodeOffset);
}

}  // namespace frame
