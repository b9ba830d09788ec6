// SPDX-License-Identifier: GPL-3.0-or-later
// The 560 command family: thin slots over the shared skeleton, the numbered series of 03H and 04H, and the
// profile download 8CH.

#include "hid_thread.h"

#include "command_table.h"

#include <algorithm>

using namespace cmd560;

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    runSet(SetKeyboardoption, {byte1, byte2});
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    runSet(SetCurrentProfile, {profile});
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    // Sent once per running number 1 to 4 (once on a gun device): the repeats are what the device is sent
    // for one change, not a retry loop.
    runSeries(SetReportRate, rate);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    runSeries(SetCurrentDPI, stage);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    runSet(SetProfile, {profileData, uchar(kBlockPayload)}, Payload{src128, kBlockPayload, kBlockPayload});
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // 64 bytes of matrix, then 64 zeros: the device always takes 128.
    runSet(SetKeyMatrix, {indexAddOne, uchar(kBlockPayload)}, Payload{src64, kKeyMatrixBytes, kBlockPayload});
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    runSet(SetMacroKey, {macroId, uchar(kBlockPayload)}, Payload{src128, kBlockPayload, kBlockPayload});
}

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    runQuery(GetKeyboardoption, {}, {&byte1, &byte2});
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    runQuery(GetCurrentProfile, {}, {&byte1});
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    // p1 is the running number asked for.
    runQuery(GetCurrentDPI, {byte1}, {&byte1, &byte2});
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    readProfileBlock(src128, profileNo);
}

bool Hid_Thread::readProfileBlock(uchar *src128, uchar profileNo)
{
    if (!src128) {
        qDebug("no buffer for command 8c");
        return false;
    }
    if (!claim(ReadProfile.busyMessage))
        return false;
    fillOutReport(ReadProfile.code, {profileNo});
    std::fill(std::begin(inReport), std::end(inReport), 0);
    // Pieces that do not arrive leave the caller's own bytes in place.
    std::copy_n(src128, kBlockPayload, payloadBuffer);
    const bool whole = readReport(kBlockPayload);
    std::copy_n(payloadBuffer, kBlockPayload, src128);
    return whole;
}
