// The system page's slots: pointer speed, double-click time and wheel scroll lines of the system (not of
// the mouse), passed to the platform's pointer settings.

#include "bridge_support.h"
#include "my_quick_view.h"
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

void setPointerSettings(myQQuickView &view, std::shared_ptr<PointerSettings> settings)
{
    view.pointerSettings = std::move(settings);
}

PointerSettings &myQQuickView::systemPointer()
{
    if (!pointerSettings)
        pointerSettings = systemPointerSettings();
    return *pointerSettings;
}

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    PointerSettings &system = systemPointer();
    report(system.setPointerSpeed(pointer::speedForStep(cursorSpeed)), system, "setCursorSpeed Failed",
           "Pointer speed");
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    PointerSettings &system = systemPointer();
    report(system.setWheelScrollLines(lines), system, "setVerticalScrollLines Failed", "Wheel scroll lines");
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    PointerSettings &system = systemPointer();
    report(system.setDoubleClickTime(pointer::doubleClickMsForStep(speed)), system, "setDoubleClickSpeed Failed",
           "Double-click time");
}
