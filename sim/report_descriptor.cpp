// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_descriptor.h"

namespace vmouse {

namespace {

// Short items of the HID descriptor grammar: one prefix byte (tag and type), then 1 or 2 data bytes.
enum Item : uint8_t {
    UsagePage = 0x04,
    Usage = 0x08,
    LogicalMinimum = 0x14,
    LogicalMaximum = 0x24,
    ReportSize = 0x74,
    ReportCount = 0x94,
    Input = 0x80,
    Output = 0x90,
    Feature = 0xB0,
    StartCollection = 0xA0,
    EndCollection = 0xC0,
};

constexpr uint8_t kApplication = 0x01;
constexpr uint8_t kDataVariableAbsolute = 0x02;
constexpr int kFeatureBytes = 8;
constexpr int kDpiReportBytes = 4;
constexpr int kOtherInputBytes = 8;

void item(Bytes &out, Item tag, unsigned value)
{
    if (value <= 0xFF) {
        out.push_back(uint8_t(tag | 1));
        out.push_back(uint8_t(value));
    } else {
        out.push_back(uint8_t(tag | 2));
        out.push_back(uint8_t(value & 0xFF));
        out.push_back(uint8_t((value >> 8) & 0xFF));
    }
}

// A run of `count` byte-wide fields of a main item (input, output or feature).
void byteFields(Bytes &out, Item main, int count)
{
    item(out, Usage, 0x01);
    item(out, ReportCount, unsigned(count));
    item(out, main, kDataVariableAbsolute);
}

}  // namespace

Bytes reportDescriptor(const InterfaceSpec &iface, int reportLength)
{
    Bytes out;
    for (const Collection &c : iface.collections) {
        item(out, UsagePage, c.usagePage);
        item(out, Usage, c.usage);
        item(out, StartCollection, kApplication);
        item(out, LogicalMinimum, 0);
        // 255 needs two bytes: a one-byte 0xFF would be the signed value -1.
        out.insert(out.end(), {uint8_t(LogicalMaximum | 2), 0xFF, 0x00});
        item(out, ReportSize, 8);
        switch (iface.role) {
        case Role::Command:
            byteFields(out, Input, reportLength);
            byteFields(out, Output, reportLength);
            byteFields(out, Feature, kFeatureBytes);
            break;
        case Role::Listen:
            byteFields(out, Input, kDpiReportBytes);
            break;
        case Role::Other:
            byteFields(out, Input, kOtherInputBytes);
            break;
        }
        out.push_back(EndCollection);
    }
    return out;
}

}  // namespace vmouse
