// SPDX-License-Identifier: GPL-3.0-or-later
// The transport of Hid_Thread: opening the command interface, the gate that keeps two commands apart, and
// the two transfers (feature report out, optional feature report in, optional bulk payload) that every
// command is built on. The interface is never kept open between transfers: each step opens it anew, except
// within a download, whose input reports only the handle that sent the command receives.

#include "hid_thread.h"

#include "cipher.h"
#include "framing.h"
#include "hidapi_lock.h"
#include "wire_log.h"

#include <QCoreApplication>

#include <vector>

namespace {

constexpr int kIdlePolls = 255;
constexpr int kIdlePollMs = 8;
constexpr int kSettleHalfMs = 64;
constexpr int kAfterBulkReportMs = 120;
constexpr int kMaxReportLength = 4096;

}  // namespace

Hid_Thread::Hid_Thread(QObject *parent)
    : QThread(parent)
{
}

Hid_Thread::~Hid_Thread()
{
    // The listener job reads this object; it must have ended before the object goes away.
    stopListening();
    listenJob.waitForFinished();
    closeCommandInterface();
    closeListenInterface();
}

void Hid_Thread::setSleeper(Sleeper *newSleeper)
{
    sleeper = newSleeper ? newSleeper : &systemSleeper;
}

void Hid_Thread::setTraits(const DeviceTraits *newTraits)
{
    traits = newTraits;
}

void Hid_Thread::setListenerSink(ListenerSink *newSink)
{
    sink = newSink;
}

DeviceEntry *Hid_Thread::entryAt(int index)
{
    if (index < 0 || index >= deviceList.size())
        return nullptr;
    return &deviceList[index];
}

hid_device *Hid_Thread::openInterface(int index, QString DeviceEntry::*path, hid_device *&handle)
{
    DeviceEntry *entry = entryAt(index);
    if (!entry || (entry->*path).isEmpty())
        return nullptr;
    closeInterface(handle);
    const QByteArray path8 = (entry->*path).toLatin1();
    {
        QMutexLocker lock(&hidapiLock());
        handle = hid_open_path(path8.constData());
    }
    if (handle) {
        if (hid_set_nonblocking(handle, 0) < 0)
            qCDebug(lcWire) << "blocking mode refused on" << path8;
    } else {
        (entry->*path).clear();
    }
    return handle;
}

void Hid_Thread::closeInterface(hid_device *&handle)
{
    if (handle) {
        hid_close(handle);
        handle = nullptr;
    }
}

hid_device *Hid_Thread::openCommandInterface(int index)
{
    return openInterface(index, &DeviceEntry::commandPath, commandHandle);
}

hid_device *Hid_Thread::openListenInterface(int index)
{
    return openInterface(index, &DeviceEntry::listenPath, listenHandle);
}

void Hid_Thread::closeCommandInterface()
{
    closeInterface(commandHandle);
}

void Hid_Thread::closeListenInterface()
{
    closeInterface(listenHandle);
}

bool Hid_Thread::waitHidIdle()
{
    for (int polls = kIdlePolls;;) {
        if (hidIdle) {
            hidIdle = false;
            return true;
        }
        sleeper->sleep(kIdlePollMs);
        QCoreApplication::processEvents();
        if (--polls == 0)
            return false;
    }
}

void Hid_Thread::settleWait()
{
    sleeper->sleep(kSettleHalfMs);
    sleeper->sleep(kSettleHalfMs);
}

bool Hid_Thread::releaseTransport(bool result)
{
    closeCommandInterface();
    hidIdle = true;
    return result;
}

void Hid_Thread::logReport(const char *what, const uchar *data, int length) const
{
    qCDebug(lcWire).noquote() << what << QByteArray(reinterpret_cast<const char *>(data), length).toHex(' ');
}

namespace {

// Bytes per bulk report of an entry; a list value that could never work (0 would never advance through the
// payload) falls back to the usual 32.
int piecesOf(const DeviceEntry &entry)
{
    return entry.reportLength > 0 && entry.reportLength <= kMaxReportLength ? entry.reportLength : 32;
}

}  // namespace

bool Hid_Thread::writeReport(int payloadLength, bool settle)
{
    payloadLength = qMin(payloadLength, int(sizeof payloadBuffer));
    QCoreApplication::processEvents();
    const int index = currentDeviceIndex;
    if (!openCommandInterface(index))
        return releaseTransport(false);
    const DeviceEntry entry = deviceList[index];

    logReport("feature out", outReport, frame::kReportSize);
    if (entry.isEncode)
        USBDataEncryption(outReport + 1, deviceSecrecyCode);

    hid_device *handle = openCommandInterface(index);
    if (!handle || hid_send_feature_report(handle, outReport, sizeof outReport) < 0)
        return releaseTransport(false);
    if (settle)
        settleWait();
    if (payloadLength <= 0)
        return releaseTransport(true);

    const int reportLength = piecesOf(entry);
    const int piece = qMin(payloadLength, reportLength);
    std::vector<uchar> report(static_cast<size_t>(reportLength) + 1, 0);
    for (int offset = 0; offset < payloadLength; offset += piece) {
        // Zeros after the payload in the last report, never the previous report's bytes.
        std::fill(report.begin(), report.end(), 0);
        std::copy_n(payloadBuffer + offset, qMin(piece, payloadLength - offset), report.begin() + 1);
        handle = openCommandInterface(index);
        logReport("output", report.data(), int(report.size()));
        if (!handle || hid_write(handle, report.data(), report.size()) < 0)
            return releaseTransport(false);
        sleeper->sleep(kAfterBulkReportMs);
    }
    if (settle)
        settleWait();
    return releaseTransport(true);
}

bool Hid_Thread::readReport(int payloadLength)
{
    payloadLength = qMin(payloadLength, int(sizeof payloadBuffer));
    const int index = currentDeviceIndex;
    if (!openCommandInterface(index))
        return releaseTransport(false);
    const DeviceEntry entry = deviceList[index];

    logReport("feature out", outReport, frame::kReportSize);
    if (entry.isEncode)
        USBDataEncryption(outReport + 1, deviceSecrecyCode);

    hid_device *handle = openCommandInterface(index);
    if (!handle || hid_send_feature_report(handle, outReport, sizeof outReport) < 0)
        return releaseTransport(false);
    // A download's input reports come as soon as the device has the command, and the system lists them
    // only for the handle open at that moment (hidraw drops them when it is closed): a transfer with a
    // payload keeps this handle to its end. One without reopens, as every other step does.
    if (payloadLength <= 0)
        handle = openCommandInterface(index);
    if (!handle || hid_get_feature_report(handle, inReport, sizeof inReport) < 0)
        return releaseTransport(false);

    if (payloadLength <= 0) {
        releaseTransport(true);
        if (entry.isEncode)
            USBDataDecipher(inReport + 1, deviceSecrecyCode);
        logReport("feature in", inReport, frame::kReportSize);
        return true;
    }

    const int reportLength = piecesOf(entry);
    const int piece = qMin(payloadLength, reportLength);
    std::vector<uchar> report(static_cast<size_t>(reportLength) + 1);
    for (int offset = 0; offset < payloadLength; offset += piece) {
        std::fill(report.begin(), report.end(), 0);
        // Bounded: a device that stops sending fails the transfer instead of hanging the program.
        const int got = handle ? hid_read_timeout(handle, report.data(), report.size(), kBulkReadTimeoutMs) : -1;
        const int wanted = qMin(piece, payloadLength - offset);
        if (got > 0)
            logReport("input", report.data(), got);
        // A piece that did not arrive whole fails the transfer: what it lacks is not the device's.
        if (got < wanted) {
            if (got > 0)
                qCDebug(lcWire) << "short input report:" << got << "of" << wanted << "bytes";
            return releaseTransport(false);
        }
        std::copy_n(report.begin(), wanted, payloadBuffer + offset);
    }
    return releaseTransport(true);
}
