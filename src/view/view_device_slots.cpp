// SPDX-License-Identifier: GPL-3.0-or-later
// The device-facing slots of the view: each hands the bridge (src/bridge) the device object, the device's
// kind, the profile blocks and the settings it works on, or the system's pointer settings.

#include "my_quick_view.h"

#include "device_operations.h"
#include "pointer_operations.h"
#include "system_pointer_settings.h"

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

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    return bridge::mouseSendMacroData(deviceSide(), macroData, macroIndex);
}

void myQQuickView::mouseSendGundata(int gunNumber, QVariantList values)
{
    bridge::mouseSendGundata(deviceSide(), gunNumber, values);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    bridge::mouseSetKeyboardoption(deviceSide(), byte1, byte2, byte3, byte4);
}

void myQQuickView::mouseSetReportRate(uchar rate, uchar en) { bridge::mouseSetReportRate(deviceSide(), rate, en); }
void myQQuickView::mouseSetCurrentDPI(uchar currentDPI) { bridge::mouseSetCurrentDPI(deviceSide(), currentDPI); }
void myQQuickView::mouseResetKeyMatrix() { bridge::mouseResetKeyMatrix(deviceSide()); }
QVariant myQQuickView::mouseGetCurrentDPI() { return bridge::mouseGetCurrentDPI(deviceSide()); }

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam)
{
    bridge::mouseSetKeyMatrix(deviceSide(), src64, isSendData, otherParam);
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray)
{
    bridge::mouseSetDpi(deviceSide(), dpiCount, sensorType, dpiValueArray);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    bridge::mouseSetRGBEffect(deviceSide(), effect, option1, option2);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24) { bridge::mouseSetRGBColor(deviceSide(), type, src24); }
void myQQuickView::mouseSetProfile(uint profileNo) { bridge::mouseSetProfile(deviceSide(), profileNo); }
void myQQuickView::mouseReadProfile(uint profileNo) { bridge::mouseReadProfile(deviceSide(), profileNo); }
QVariant myQQuickView::mouseReadCurrentProfile() { return bridge::mouseReadCurrentProfile(deviceSide()); }
void myQQuickView::mouseSwitchKeyMatrix(int indexNo) { bridge::mouseSwitchKeyMatrix(deviceSide(), indexNo); }
QVariantList myQQuickView::GetKeyboardoption() { return bridge::GetKeyboardoption(deviceSide()); }
void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed) { bridge::mouseSetCursorSpeed(systemPointer(), cursorSpeed); }
void myQQuickView::mouseSetVerticalScrollLines(uint lines) { bridge::mouseSetVerticalScrollLines(systemPointer(), lines); }
void myQQuickView::mouseSetDoubleClickSpeed(uint speed) { bridge::mouseSetDoubleClickSpeed(systemPointer(), speed); }
