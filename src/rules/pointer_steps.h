// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system page's slider steps as pointer settings. The interface turns its slider positions into
// steps 0 to 10; pointer speeds 1, 2, 4, ..., 20 and double-click times 900, 830, ..., 200 ms result.
// Steps above the slider's range count as its last step, 10 (20, 200 ms): a larger step would make the
// double-click time too short to double-click at all (60 ms at 12) and then wrap around below zero.

#include <QtGlobal>

namespace pointer {

// The slider's last step (its eleven thresholds give steps 0 to 10).
inline constexpr uint kMaxStep = 10;

uint clampedStep(uint step);

// Pointer speed on the 1 to 20 scale: twice the step, and 1 for step 0.
uint speedForStep(uint step);

// Double-click time in milliseconds: 900 - 70 x step.
uint doubleClickMsForStep(uint step);

// The pointer speed as desktops take it, -1 (slowest) to 1 (fastest): (speed - 10) / 10, kept in range.
double desktopSpeed(uint speed);

}  // namespace pointer
