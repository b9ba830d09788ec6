// SPDX-License-Identifier: GPL-3.0-or-later
// Framing slots and the challenge handshake that decides whether a listed device is ours.

#include "hid_thread.h"

#include "challenge.h"
#include "cipher.h"
#include "command_table.h"
#include "framing.h"

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return cmd ? frame::checksum(cmd) : 0;
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    if (FIFOBuf && SecrecyCode)
        cipher::scramble(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    if (FIFOBuf && SecrecyCode)
        cipher::unscramble(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    currentDeviceIndex = index;
    const auto challenge = challenge::fromSeed(static_cast<uint32_t>(sleeper->epochSeconds()));

    if (const DeviceEntry *entry = entryAt(index); entry && entry->sCode.size() == 6) {
        const QByteArray code = entry->sCode.toLatin1();
        for (int i = 0; i < 6; ++i)
            deviceSecrecyCode[i + 1] = static_cast<uchar>(code[i]);
    }

    uchar answer[4] = {challenge[0], challenge[1], challenge[2], challenge[3]};
    // A handshake whose command never reached the device (transport busy) has proved nothing: it fails,
    // although the untouched answer would still hold the challenge.
    if (!exchangeSecrecyCode(answer[0], answer[1], answer[2], answer[3]))
        return false;
    return std::equal(challenge.begin(), challenge.end(), answer);
}

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    exchangeSecrecyCode(byte1, byte2, byte3, byte4);
}

bool Hid_Thread::exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!claim(cmd553::GetSecrecyCode.busyMessage))
        return false;
    fillOutReport(cmd553::GetSecrecyCode.code, {byte1, byte2, byte3, byte4});
    std::fill(std::begin(inReport), std::end(inReport), 0);
    readReport(0);
    byte1 = inReport[2];
    byte2 = inReport[3];
    byte3 = inReport[4];
    byte4 = inReport[5];
    return true;
}
