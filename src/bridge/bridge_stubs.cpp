// Placeholders for the device-facing slots of the view until their subsystem lands.

#include "my_quick_view.h"

QVariant myQQuickView::mouseSendMacroData(QVariantList, QVariant)
{
    return {};
}

void myQQuickView::mouseSendGundata(int, QVariantList)
{
}

void myQQuickView::setCurrentProfile(int)
{
}

void myQQuickView::mouseSetKeyboardoption(uchar, uchar, uchar, uchar)
{
}

void myQQuickView::mouseSetReportRate(uchar, uchar)
{
}

void myQQuickView::mouseSetCurrentDPI(uchar)
{
}

void myQQuickView::mouseResetKeyMatrix()
{
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return {};
}

void myQQuickView::mouseSetKeyMatrix(QVariantList, bool, QVariantList)
{
}

void myQQuickView::mouseSetDpi(int, QString, QVariantList)
{
}

void myQQuickView::mouseSetRGBEffect(uchar, uchar, uchar)
{
}

void myQQuickView::mouseSetRGBColor(uchar, QVariantList)
{
}

void myQQuickView::mouseSetProfile(uint)
{
}

void myQQuickView::mouseReadProfile(uint)
{
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return {};
}

void myQQuickView::mouseSwitchKeyMatrix(int)
{
}

QVariantList myQQuickView::GetKeyboardoption()
{
    return {};
}

void myQQuickView::mouseSetCursorSpeed(uint)
{
}

void myQQuickView::mouseSetVerticalScrollLines(uint)
{
}

void myQQuickView::mouseSetDoubleClickSpeed(uint)
{
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant, bool)
{
    return {};
}
