// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lighting: the slider tables, the effect bytes of mice with one colour and of full-colour mice, and the
// colour buffer. The interface passes the index of the chosen lighting mode and two slider steps (speed
// and brightness, 0 to 4); colours arrive as red, green, blue triples and travel as blue, green, red.

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <vector>

namespace lighting {

// Brightness of full-colour mice: steps 1 to 4 give 64, 128, 192, 255; any other step 0.
uchar brightness(uint step);
// Static brightness of one-colour mice: steps 0 to 4 give 1, 3, 5, 7, 10; above 4, 0.
uchar staticBrightness(uint step);
// Neon speed: steps 0 to 4 give 30, 24, 18, 12, 6; above 4, 0.
uchar neonSpeed(uint step);
// Colour speed: steps 0 to 4 give 10, 7, 5, 3, 1; above 4, 0.
uchar colourSpeed(uint step);

// The three bytes that describe an effect: the device's mode and two parameters.
struct Effect
{
    uchar mode = 0;
    uchar first = 0;
    uchar second = 0;
    bool operator==(const Effect &) const = default;
};

// One-colour mice: mode, parameter and the third value t of the mode table (the 553 command sends t only
// to the 55328 variant, 2 otherwise; the 560 family writes 2 or 3, see the slot).
Effect singleColourEffect(uchar effect, uchar speedStep, uchar brightnessStep);
// Full-colour mice: mode, brightness and speed.
Effect fullColourEffect(uchar effect, uchar speedStep, uchar brightnessStep);

inline constexpr int kColours = 8;
inline constexpr int kColourBytes = kColours * 3;
using Colours = std::array<uchar, kColourBytes>;

// The colour buffer: the given bytes (at most 24 are read), then zeros; every complete triple turned
// from red-green-blue into blue-green-red.
Colours colourBuffer(const std::vector<uchar> &redGreenBlue);

// True when the eighth colour (bytes 21 to 23) is not black.
bool hasEighthColour(const Colours &colours);

}  // namespace lighting
