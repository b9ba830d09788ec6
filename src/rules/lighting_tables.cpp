// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting_tables.h"

#include <algorithm>
#include <utility>

namespace lighting {

namespace {

// A table of five values indexed by a slider step 0 to 4; other steps give 0.
using StepTable = std::array<uchar, 5>;

uchar lookUp(const StepTable &table, uint step)
{
    return step < table.size() ? table[step] : 0;
}

constexpr StepTable kStatic{1, 3, 5, 7, 10};
constexpr StepTable kNeon{30, 24, 18, 12, 6};
constexpr StepTable kColourSpeed{10, 7, 5, 3, 1};
constexpr StepTable kSpeedMode8{20, 17, 15, 13, 11};
constexpr StepTable kSpeedMode9{15, 13, 10, 7, 5};
constexpr StepTable kSpeedMode10{30, 27, 24, 22, 20};

}  // namespace

uchar brightness(uint step)
{
    constexpr StepTable kBrightness{0, 64, 128, 192, 255};
    return lookUp(kBrightness, step);
}

uchar staticBrightness(uint step)
{
    return lookUp(kStatic, step);
}

uchar neonSpeed(uint step)
{
    return lookUp(kNeon, step);
}

uchar colourSpeed(uint step)
{
    return lookUp(kColourSpeed, step);
}

Effect singleColourEffect(uchar effect, uchar speedStep, uchar brightnessStep)
{
    switch (effect) {
    case 0: return {1, staticBrightness(brightnessStep), 1};         // static
    case 1: return {2, uchar(speedStep + 1), 1};                     // breath
    case 2: return {3, neonSpeed(speedStep), 1};                     // neon
    case 4: return {2, uchar(speedStep + 1), 3};                     // breath loop
    default: return {0, 0, 0};                                       // off (3) and unknown modes
    }
}

Effect fullColourEffect(uchar effect, uchar speedStep, uchar brightnessStep)
{
    const uchar lit = brightness(brightnessStep);
    switch (effect) {
    case 0: return {1, lit, 0};
    case 1: return {3, 0, colourSpeed(speedStep)};
    case 2: return {4, 0, colourSpeed(speedStep)};
    case 4: return {2, lit, 0};
    case 5: return {5, lit, colourSpeed(speedStep)};
    case 6: return {6, 0, 0};
    case 7: return {7, lit, 0};
    case 8: return {8, lit, lookUp(kSpeedMode8, speedStep)};
    case 9: return {9, lit, lookUp(kSpeedMode9, speedStep)};
    case 10: return {10, lit, lookUp(kSpeedMode10, speedStep)};
    default: return {0, 0, 0};                                       // off (3) and unknown modes
    }
}

Colours colourBuffer(const std::vector<uchar> &redGreenBlue)
{
    Colours colours{};
    const size_t length = std::min(redGreenBlue.size(), colours.size());
    std::copy_n(redGreenBlue.begin(), length, colours.begin());
    for (size_t triple = 0; triple < length / 3; ++triple)
        std::swap(colours[triple * 3], colours[triple * 3 + 2]);
    return colours;
}

bool hasEighthColour(const Colours &colours)
{
    return colours[21] != 0 || colours[22] != 0 || colours[23] != 0;
}

}  // namespace lighting
