#pragma once
// The system page's slider steps as pointer settings. The interface turns its slider positions into
// steps 0 to 10; pointer speeds 1, 2, 4, ..., 20 and double-click times 900, 830, ..., 200 ms result.
// Steps above 12 count as 12: beyond it the double-click time would fall below zero and wrap around.

#include <QtGlobal>

namespace pointer {

inline constexpr uint kMaxStep = 12;

uint clampedStep(uint step);

// Pointer speed on the 1 to 20 scale: twice the step, and 1 for step 0.
uint speedForStep(uint step);

// Double-click time in milliseconds: 900 - 70 x step.
uint doubleClickMsForStep(uint step);

// The pointer speed as desktops take it, -1 (slowest) to 1 (fastest): (speed - 10) / 10, kept in range.
double desktopSpeed(uint speed);

}  // namespace pointer
