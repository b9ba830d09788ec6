// SPDX-License-Identifier: GPL-3.0-or-later
// The one command skeleton both families share: claim the transport or log the busy message, fill the
// feature report, make the transfer, copy results back.

#include "hid_thread.h"

#include "command_table.h"
#include "device_traits.h"
#include "framing.h"

#include <QDebug>

#include <algorithm>

bool Hid_Thread::claim(const char *busyMessage)
{
    if (waitHidIdle())
        return true;
    qDebug() << busyMessage;
    return false;
}

void Hid_Thread::fillOutReport(uchar code, std::initializer_list<uchar> params)
{
    const frame::Report report = frame::buildReport(code, params);
    std::copy(report.begin(), report.end(), outReport);
}

void Hid_Thread::runSet(const SetCommand &command, std::initializer_list<uchar> params)
{
    runSet(command, params, Payload{nullptr, 0, 0});
}

void Hid_Thread::runSet(const SetCommand &command, std::initializer_list<uchar> params, const Payload &payload)
{
    if (payload.length > 0 && !payload.data) {
        qDebug() << "no payload for command" << Qt::hex << command.code;
        return;
    }
    if (!claim(command.busyMessage))
        return;
    fillOutReport(command.code, params);
    const int copied = std::clamp(payload.copied, 0, payload.length);
    std::copy_n(payload.data, copied, payloadBuffer);
    std::fill(payloadBuffer + copied, payloadBuffer + std::max(copied, payload.length), 0);
    writeReport(payload.length, command.settle);
    if (!command.settle)
        sleeper->sleep(8);
}

bool Hid_Thread::runQuery(const QueryCommand &command, std::initializer_list<uchar> params,
                          std::initializer_list<uchar *> results)
{
    if (!claim(command.busyMessage))
        return false;
    fillOutReport(command.code, params);
    // Prefilled with the caller's values, so a failed exchange hands them back unchanged.
    inReport[0] = 0;
    int position = frame::kParamOffset;
    for (uchar *result : results)
        inReport[position++] = *result;
    const bool ok = readReport(0);
    position = frame::kParamOffset;
    for (uchar *result : results)
        *result = inReport[position++];
    return ok;
}

void Hid_Thread::runSeries(const SetCommand &command, uchar argument)
{
    if (!claim(command.busyMessage))
        return;
    for (uchar n = 1; n <= cmd560::kSeriesLength; ++n) {
        fillOutReport(command.code, {n, argument});
        writeReport(0, command.settle);
        if (gunDevice())
            break;
    }
}

bool Hid_Thread::gunDevice() const
{
    return traits && traits->isGun();
}

QString Hid_Thread::icType() const
{
    return traits ? traits->icType() : QString();
}
