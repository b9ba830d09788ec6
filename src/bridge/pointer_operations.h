// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system page's operations: pointer speed, double-click time and wheel scroll lines of the system (not
// of the mouse), from the interface's slider steps to the platform's pointer settings.

#include <QtGlobal>

class PointerSettings;

namespace bridge {

void mouseSetCursorSpeed(PointerSettings &system, uint cursorSpeed);
void mouseSetVerticalScrollLines(PointerSettings &system, uint lines);
void mouseSetDoubleClickSpeed(PointerSettings &system, uint speed);

}  // namespace bridge
