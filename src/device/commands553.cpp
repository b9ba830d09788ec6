// SPDX-License-Identifier: GPL-3.0-or-later
// The 553 command family: each slot hands its code, parameter bytes and payload to the shared skeleton.
// Note the differences between like commands, which belong to the wire format: 03H puts its option bytes at
// p1..p4 while 04H leaves p1 at 0 and uses p2..p5.

#include "hid_thread.h"

#include "command_table.h"

using namespace cmd553;

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    runQuery(GetKeyboardoption, {}, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    runQuery(GetCurrentDPI, {}, {&byte1});
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet(SetKeyboardoption, {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runSet(SetGunData, {0, byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    runSet(SetReportRate, {rate});
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    runSet(SetCurrentDPI, {stage});
}

void Hid_Thread::hid553_07H_Lod(uchar stage, uchar en)
{
    // p1 stays 0 and p3 is the device's constant 0x7D whatever the stage: the layout the device reads.
    runSet(Lod, {0, stage, kLodConstant, en});
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // p3 is the device's fixed 0x08, not a length or an index.
    runSet(SetKeyMatrix, {indexAddOne, uchar(kKeyMatrixPayload), kKeyMatrixP3},
           Payload{src64, kKeyMatrixPayload, kKeyMatrixPayload});
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    runSet(SetMacroKey, {macroId, uchar(kMacroPayload)}, Payload{src128, kMacroPayload, kMacroPayload});
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    runSet(SetDPISet, {dpiStage, uchar(kDpiTablePayload)}, Payload{src8, kDpiTablePayload, kDpiTablePayload});
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    runSet(SetCurrentKeyMatrix, {currentKeyMatrix});
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    runSet(SetRGBLedEffect, {effect, option1, option2});
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    if (!src3) {
        qDebug("no colour for command 0C");
        return;
    }
    runSet(SetFixLEDColor, {src3[0], src3[1], src3[2]});
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const int length = type == kLedTypeFourBytes ? kLedShortPayload : kLedPayload;
    runSet(SetLED8StageColor, {type, uchar(length)}, Payload{src24, length, length});
}
