// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hid_Thread: the device object. It moves command reports to and from the selected device (transport),
// frames, checksums and scrambles them, runs the challenge handshake, offers every command of the 553 and
// 560 families as a slot, and runs the listener on the device's second interface.
//
// Its own thread is never started: commands run on the caller's (GUI) thread and block it, processing
// pending events while they wait for the transport. Only the listener job runs elsewhere, on Qt's global
// thread pool.

#include "device_entry.h"
#include "sleeper.h"

#include <hidapi.h>

#include <QFuture>
#include <QThread>

#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>

class DeviceTraits;
class ListenerSink;
struct SetCommand;
struct QueryCommand;
struct Payload;

class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    // Members, in the order the device object has always declared them.
    QObject *owner = nullptr;  // the host window; the device object never calls it
    DeviceList deviceList;
    int currentDeviceIndex = 1;
    hid_device *commandHandle = nullptr;
    hid_device *listenHandle = nullptr;
    bool hidIdle = true;
    std::atomic<bool> listenerRunning{false};
    QFuture<void> listenJob;
    uchar outReport[9] = {};
    uchar inReport[9] = {};
    uchar payloadBuffer[512] = {};

    // Bytes 1..6: the secrecy code of the last entry the handshake examined whose sCode had six
    // characters; bytes 0 and 7 stay 0. The argument of every scrambling call.
    uchar deviceSecrecyCode[8] = {};

    // How long one bulk input report may take to arrive before the read counts as failed.
    static constexpr int kBulkReadTimeoutMs = 1000;

    // Dependencies set by the owner; none is owned. Defaults: real sleeps, 553 family without guns, no
    // user-interface effects of the listener.
    void setSleeper(Sleeper *sleeper);
    void setTraits(const DeviceTraits *traits);
    void setListenerSink(ListenerSink *sink);

    // Transport.
    hid_device *openCommandInterface(int index);
    hid_device *openListenInterface(int index);
    void closeCommandInterface();
    void closeListenInterface();
    bool waitHidIdle();
    void settleWait();
    bool writeReport(int payloadLength, bool settle);
    bool readReport(int payloadLength);

    // The 8CH download of profile block `profileNo` into `src128`; true only when every piece of it
    // arrived whole (only then does `src128` hold nothing but the device's bytes).
    bool readProfileBlock(uchar *src128, uchar profileNo);

    // Listener.
    void startListening(uint index);
    void stopListening();
    void listenLoop(uint index);

public slots:
    uchar hidCS(uchar *cmd);
    bool chkDeviceIsEnCode(int index);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);
    void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(uchar &byte1);
    void hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    void hid553_8BH_GetCurrentDPI(uchar &byte1);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid553_01H_SetReportRate(uchar rate);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_07H_Lod(uchar stage, uchar en);
    void hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0CH_setProfile(uchar *src128, uchar profileData);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_0CH_SetFixLEDColor(uchar *src3);
    void hid553_10H_SetLED8StageColor(uchar type, uchar *src24);

private:
    // The entry at index, or null when the index is outside the list.
    DeviceEntry *entryAt(int index);
    hid_device *openInterface(int index, QString DeviceEntry::*path, hid_device *&handle);
    void closeInterface(hid_device *&handle);
    bool releaseTransport(bool result);
    void logReport(const char *what, const uchar *data, int length) const;

    // The 00H exchange; false when the transport could not be claimed (the device was never asked).
    bool exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);

    // The command skeleton shared by both families (command_skeleton.cpp): claim the transport (or log
    // the busy message), frame the block, make the transfer, copy results back.
    bool claim(const char *busyMessage);
    void fillOutReport(uchar code, std::initializer_list<uchar> params);
    void runSet(const SetCommand &command, std::initializer_list<uchar> params, const Payload &payload);
    void runSet(const SetCommand &command, std::initializer_list<uchar> params);
    // True when the transport was claimed and the exchange succeeded.
    bool runQuery(const QueryCommand &command, std::initializer_list<uchar> params,
                  std::initializer_list<uchar *> results);
    void runSeries(const SetCommand &command, uchar argument);

    bool gunDevice() const;
    QString icType() const;

    // The listener's own copy of the entry it watches, taken on the GUI thread before the job starts.
    DeviceEntry listenEntry;

    SystemSleeper systemSleeper;
    Sleeper *sleeper = &systemSleeper;
    const DeviceTraits *traits = nullptr;
    ListenerSink *sink = nullptr;
};
