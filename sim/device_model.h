// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device side of the protocol for one virtual mouse: it unscrambles and checks the command blocks it
// receives, keeps the state the commands set, counts bulk payloads against the announced length, answers
// read commands and queues the input reports of profile downloads. Not thread-safe: the hidapi layer
// calls it under its lock.

#include "virtual_mouse.h"

#include <deque>
#include <optional>

namespace vmouse {

class DeviceModel
{
public:
    explicit DeviceModel(DeviceSpec spec);

    const DeviceSpec &spec() const { return spec_; }
    DeviceState state;
    int downloadLimit = -1;   // input reports a profile download delivers; -1 all

    // A feature report from the host on an interface. Fills the event's plain bytes, name and checksum
    // flag. Returns false when the device refuses it (stall, wrong length, not the command interface).
    bool receiveFeature(const InterfaceSpec &iface, const uint8_t *data, size_t length, Event &event);
    // The answer to the last command: 9 bytes, scrambled for an encoded device. -1 when stalled.
    int answerFeature(const InterfaceSpec &iface, uint8_t *data, size_t length, Event &event);
    // A bulk output report. Bytes beyond the announced length, or with no upload announced, are ignored.
    void receiveOutput(const InterfaceSpec &iface, const uint8_t *data, size_t length, Event &event);

    std::deque<Bytes> &inputQueue(int interfaceNumber) { return inputs_[interfaceNumber]; }

    // A DPI switch on the mouse: the current stage becomes `stage` and the listener interface queues its
    // report (06 07 00 stage). False when the mouse has no listener interface (the stage changes all the same).
    bool switchDpi(uint8_t stage);
    // The DPI button: the stage after the current one of `stages` (after the last, the first).
    uint8_t nextDpiStage(int stages) const;

private:
    struct Upload
    {
        uint8_t code = 0;
        uint8_t target = 0;
        size_t announced = 0;
        Bytes received;
    };

    std::array<uint8_t, 8> code() const;
    void execute(const std::array<uint8_t, 9> &plain);
    void startUpload(uint8_t code, uint8_t target, size_t length);
    void finishUpload();
    void queueDownload(int profile);
    int commandInterface() const;

    DeviceSpec spec_;
    std::array<uint8_t, 8> response_{};   // plain response block
    std::optional<Upload> upload_;
    std::map<int, std::deque<Bytes>> inputs_;
};

// "553 0BH SetCurrentDPI", or "553 55H unknown".
std::string commandName(Family family, uint8_t code);

}  // namespace vmouse
