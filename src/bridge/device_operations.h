// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device-facing operations behind the view's slots, named after them: DPI stages and the active stage,
// lift-off, keyboard options, lighting, 560 profile blocks, key matrices, macro and gun uploads. Each
// works on the DeviceSide it is handed and does nothing (with a debug message) without a device object.

#include "bridge_support.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace bridge {

// Performance, lighting and profiles (dpi_lighting_profile.cpp).
void mouseSetDpi(const DeviceSide &side, int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray);
void mouseSetCurrentDPI(const DeviceSide &side, uchar currentDPI);
QVariant mouseGetCurrentDPI(const DeviceSide &side);
void mouseSetReportRate(const DeviceSide &side, uchar rate, uchar en);
void mouseSetKeyboardoption(const DeviceSide &side, uchar byte1, uchar byte2, uchar byte3, uchar byte4);
QVariantList GetKeyboardoption(const DeviceSide &side);
void mouseSetRGBEffect(const DeviceSide &side, uchar effect, uchar option1, uchar option2);
void mouseSetRGBColor(const DeviceSide &side, uchar type, const QVariantList &src24);
void mouseSetProfile(const DeviceSide &side, uint profileNo);
void mouseReadProfile(const DeviceSide &side, uint profileNo);
QVariant mouseReadCurrentProfile(const DeviceSide &side);

// Button assignments (key_assignment.cpp).
void mouseSetKeyMatrix(const DeviceSide &side, const QVariantList &src64, bool isSendData,
                       const QVariantList &otherParam);
void mouseResetKeyMatrix(const DeviceSide &side);
void mouseSwitchKeyMatrix(const DeviceSide &side, int indexNo);

// Uploads (macro_gun_upload.cpp).
QVariant mouseSendMacroData(const DeviceSide &side, const QVariantList &macroData, const QVariant &macroIndex);
void mouseSendGundata(const DeviceSide &side, int gunNumber, const QVariantList &values);

}  // namespace bridge
