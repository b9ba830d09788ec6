// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the virtual mouse's API that need no simulator state: the shipped demo mouse and the log's
// readable lines. The hidapi stand-in and the emulated kernel's test bed share them.

#include "virtual_mouse.h"

#include <cstdio>

namespace vmouse {

DeviceSpec demoMouse(Family family, bool isEncode)
{
    DeviceSpec spec;
    spec.vid = kDemoVid;
    spec.pid = kDemoPid;
    spec.product = L"ZEPHRA Z714 (virtual)";
    spec.interfaces = {
        {0, Role::Other, {{0x0001, 0x0002}}},
        {1, Role::Command, {{0xFF00, 0xFF00}}},
        {2, Role::Listen, {{0xFF01, 0xFF01}}},
    };
    spec.family = family;
    spec.isEncode = isEncode;
    return spec;
}

std::string describe(const Event &e)
{
    static const char *kinds[] = {"enumerate", "open", "open failed", "close", "feature out",
                                  "feature in", "output", "input", "fault"};
    std::string line = std::to_string(e.timeMs) + " ms " + kinds[int(e.kind)];
    if (e.device >= 0)
        line += " vmouse:" + std::to_string(e.device) + ":" + std::to_string(e.interfaceNumber);
    auto hex = [](const Bytes &bytes) {
        std::string out;
        char two[4];
        for (uint8_t b : bytes) {
            std::snprintf(two, sizeof two, " %02x", b);
            out += two;
        }
        return out;
    };
    if (!e.wire.empty())
        line += " [" + hex(e.wire) + " ]";
    if (!e.plain.empty() && e.plain != e.wire)
        line += " plain [" + hex(e.plain) + " ]";
    if (!e.name.empty())
        line += " " + e.name;
    if (!e.checksumOk)
        line += " (bad checksum)";
    return line;
}

}  // namespace vmouse
