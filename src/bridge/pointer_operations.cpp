// SPDX-License-Identifier: GPL-3.0-or-later
// The system page's operations: pointer speed, double-click time and wheel scroll lines of the system (not
// of the mouse), passed to the platform's pointer settings.

#include "pointer_operations.h"

#include "pointer_settings.h"
#include "pointer_steps.h"

#include <QDebug>

namespace {

void report(PointerSettings::Result result, const PointerSettings &system, const char *failure,
            const char *setting)
{
    switch (result) {
    case PointerSettings::Result::Applied:
        break;
    case PointerSettings::Result::Failed:
        qDebug() << failure;
        break;
    case PointerSettings::Result::Unsupported:
        qDebug().noquote() << setting << "left alone: not available on" << system.name();
        break;
    }
}

}  // namespace

namespace bridge {

void mouseSetCursorSpeed(PointerSettings &system, uint cursorSpeed)
{
    report(system.setPointerSpeed(pointer::speedForStep(cursorSpeed)), system, "setCursorSpeed Failed",
           "Pointer speed");
}

void mouseSetVerticalScrollLines(PointerSettings &system, uint lines)
{
    report(system.setWheelScrollLines(lines), system, "setVerticalScrollLines Failed", "Wheel scroll lines");
}

void mouseSetDoubleClickSpeed(PointerSettings &system, uint speed)
{
    report(system.setDoubleClickTime(pointer::doubleClickMsForStep(speed)), system, "setDoubleClickSpeed Failed",
           "Double-click time");
}

}  // namespace bridge
