// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointer_steps.h"

#include <algorithm>

namespace pointer {

uint clampedStep(uint step)
{
    return std::min(step, kMaxStep);
}

uint speedForStep(uint step)
{
    const uint speed = 2 * clampedStep(step);
    return speed == 0 ? 1 : speed;
}

uint doubleClickMsForStep(uint step)
{
    return 900 - 70 * clampedStep(step);
}

double desktopSpeed(uint speed)
{
    return std::clamp((double(speed) - 10.0) / 10.0, -1.0, 1.0);
}

}  // namespace pointer
