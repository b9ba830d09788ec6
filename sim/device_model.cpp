// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_model.h"

#include "cipher.h"
#include "framing.h"

#include <algorithm>
#include <cstdio>

namespace vmouse {

namespace {

struct NamedCode
{
    uint8_t code;
    const char *name;
};

constexpr NamedCode kNames553[] = {
    {0x00, "GetSecrecyCode"}, {0x01, "SetReportRate"}, {0x02, "SetCurrentKeyMatrix"},
    {0x03, "SetKeyboardoption"}, {0x04, "SetGunData"}, {0x07, "Lod"}, {0x0B, "SetCurrentDPI"},
    {0x0C, "SetFixLEDColor"}, {0x0D, "SetRGBLedEffect"}, {0x10, "SetLED8StageColor"},
    {0x11, "SetDPISet"}, {0x12, "SetKeyMatrix"}, {0x13, "SetMacroKey"}, {0x83, "GetKeyboardoption"},
    {0x8B, "GetCurrentDPI"},
};

constexpr NamedCode kNames560[] = {
    {0x00, "GetSecrecyCode"}, {0x01, "SetKeyboardoption"}, {0x02, "SetCurrentProfile"},
    {0x03, "SetReportRate"}, {0x04, "SetCurrentDPI"}, {0x0C, "setProfile"}, {0x0D, "SetKeyMatrix"},
    {0x0F, "SetMacroKey"}, {0x81, "GetKeyboardoption"}, {0x82, "GetCurrentProfile"},
    {0x84, "GetCurrentDPI"}, {0x8C, "readProfile"},
};

constexpr size_t kBlock = 128;

}  // namespace

std::string commandName(Family family, uint8_t code)
{
    const char *name = "unknown";
    auto find = [&](const auto &table) {
        for (const NamedCode &n : table)
            if (n.code == code)
                name = n.name;
    };
    if (family == Family::F560)
        find(kNames560);
    else
        find(kNames553);
    char text[64];
    std::snprintf(text, sizeof text, "%s %02XH %s", family == Family::F560 ? "560" : "553", code, name);
    return text;
}

DeviceModel::DeviceModel(DeviceSpec spec)
    : spec_(std::move(spec))
{
    for (Bytes &block : state.profileBlocks)
        block.assign(kBlock, 0);
}

std::array<uint8_t, 8> DeviceModel::code() const
{
    std::array<uint8_t, 8> code{};
    for (size_t i = 0; i < 6 && i < spec_.secrecyCode.size(); ++i)
        code[i + 1] = static_cast<uint8_t>(spec_.secrecyCode[i]);
    return code;
}

bool DeviceModel::switchDpi(uint8_t stage)
{
    state.currentDpiStage = stage;
    for (const InterfaceSpec &i : spec_.interfaces) {
        if (i.role == Role::Listen) {
            inputs_[i.number].push_back({0x06, 0x07, 0x00, stage});
            return true;
        }
    }
    return false;
}

uint8_t DeviceModel::nextDpiStage(int stages) const
{
    return uint8_t(stages > 0 ? state.currentDpiStage % stages + 1 : 1);
}

int DeviceModel::commandInterface() const
{
    for (const InterfaceSpec &i : spec_.interfaces)
        if (i.role == Role::Command)
            return i.number;
    return -1;
}

bool DeviceModel::receiveFeature(const InterfaceSpec &iface, const uint8_t *data, size_t length, Event &event)
{
    if (spec_.stalls || iface.role != Role::Command || length != frame::kReportSize || data[0] != 0)
        return false;
    std::array<uint8_t, 9> plain{};
    std::copy_n(data, plain.size(), plain.begin());
    if (spec_.isEncode) {
        const auto secrecy = code();
        cipher::unscramble(plain.data() + 1, secrecy.data());
    }
    event.plain.assign(plain.begin(), plain.end());
    event.name = commandName(spec_.family, plain[1]);
    event.checksumOk = frame::checksumMatches(plain);
    ++state.commandsReceived;
    if (!event.checksumOk) {
        // A block with a wrong checksum is dropped; the answer is all zeros.
        ++state.badChecksums;
        response_.fill(0);
        return true;
    }
    execute(plain);
    return true;
}

int DeviceModel::answerFeature(const InterfaceSpec &iface, uint8_t *data, size_t length, Event &event)
{
    if (spec_.stalls || iface.role != Role::Command || length < frame::kReportSize)
        return -1;
    std::array<uint8_t, 9> report{};
    std::copy(response_.begin(), response_.end(), report.begin() + 1);
    event.plain.assign(report.begin(), report.end());
    if (spec_.isEncode) {
        const auto secrecy = code();
        cipher::scramble(report.data() + 1, secrecy.data());
    }
    std::copy(report.begin(), report.end(), data);
    return frame::kReportSize;
}

void DeviceModel::receiveOutput(const InterfaceSpec &iface, const uint8_t *data, size_t length, Event &event)
{
    if (iface.role != Role::Command || !upload_ || length < 1) {
        event.name = "unexpected output report";
        return;
    }
    const size_t room = upload_->announced - upload_->received.size();
    const size_t take = std::min({room, length - 1, size_t(spec_.reportLength)});
    upload_->received.insert(upload_->received.end(), data + 1, data + 1 + take);
    event.name = commandName(spec_.family, upload_->code) + " payload";
    if (upload_->received.size() >= upload_->announced)
        finishUpload();
}

void DeviceModel::startUpload(uint8_t code, uint8_t target, size_t length)
{
    upload_ = Upload{code, target, length, {}};
    if (length == 0)
        finishUpload();
}

void DeviceModel::finishUpload()
{
    const Upload up = *upload_;
    upload_.reset();
    const Bytes &data = up.received;
    if (spec_.family == Family::F553) {
        switch (up.code) {
        case 0x10: state.ledColors[up.target] = data; break;
        case 0x11: state.dpiTables[up.target] = data; break;
        case 0x12: state.keyMatrices[up.target] = data; break;
        case 0x13: state.macros[up.target] = data; break;
        default: break;
        }
    } else {
        switch (up.code) {
        case 0x0C:
            if (up.target < state.profileBlocks.size())
                state.profileBlocks[up.target] = data;
            break;
        case 0x0D: state.keyMatrices[up.target] = data; break;
        case 0x0F: state.macros[up.target] = data; break;
        default: break;
        }
    }
}

void DeviceModel::queueDownload(int profile)
{
    const int iface = commandInterface();
    if (profile < 0 || profile >= int(state.profileBlocks.size()) || iface < 0)
        return;
    // What an earlier download left unread is gone: on the real system unread reports go with the handle
    // that was closed after the failed transfer, and a new request starts afresh.
    inputs_[iface].clear();
    Bytes block = state.profileBlocks[size_t(profile)];
    block.resize(kBlock, 0);
    const size_t piece = size_t(spec_.reportLength);
    int reports = 0;
    for (size_t offset = 0; offset < kBlock; offset += piece) {
        if (downloadLimit >= 0 && reports == downloadLimit)
            break;
        Bytes report(piece, 0);
        std::copy_n(block.begin() + long(offset), std::min(piece, kBlock - offset), report.begin());
        inputs_[iface].push_back(report);
        ++reports;
    }
}

void DeviceModel::execute(const std::array<uint8_t, 9> &plain)
{
    const uint8_t c = plain[1];
    const uint8_t *p = plain.data() + 1;   // p[1]..p[6] are the parameters
    DeviceState &s = state;
    // By default the device echoes the block it received.
    std::copy(plain.begin() + 1, plain.end(), response_.begin());
    auto answer = [&](std::initializer_list<uint8_t> values) {
        response_.fill(0);
        response_[0] = c;
        size_t i = 1;
        for (uint8_t v : values)
            response_[i++] = v;
        response_[7] = frame::checksum(response_.data());
    };

    if (c == 0x00) {
        if (!spec_.echoesChallenge)
            response_.fill(0);
        return;
    }
    if (spec_.family == Family::F553) {
        switch (c) {
        case 0x01: s.reportRate = p[1]; break;
        case 0x02: s.currentKeyMatrix = p[1]; break;
        case 0x03: s.options553 = {p[1], p[2], p[3], p[4]}; break;
        case 0x04: s.gunData = {p[2], p[3], p[4], p[5]}; break;
        case 0x07: s.lodStage = p[2]; s.lodEnable = p[4]; break;
        case 0x0B: s.currentDpiStage = p[1]; break;
        case 0x0C: s.fixColor = {p[1], p[2], p[3]}; break;
        case 0x0D: s.ledEffect = {p[1], p[2], p[3]}; break;
        case 0x10: case 0x11: case 0x12: case 0x13: startUpload(c, p[1], p[2]); break;
        case 0x83: answer({s.options553[0], s.options553[1], s.options553[2], s.options553[3]}); break;
        case 0x8B: answer({s.currentDpiStage}); break;
        default: break;
        }
    } else {
        switch (c) {
        case 0x01: s.options560 = {p[1], p[2]}; break;
        case 0x02: s.currentProfile = p[1]; break;
        case 0x03: s.seriesReportRate[p[1]] = p[2]; break;
        case 0x04: s.seriesDpiStage[p[1]] = p[2]; s.currentDpiStage = p[2]; break;
        case 0x0C: case 0x0D: case 0x0F: startUpload(c, p[1], p[2]); break;
        case 0x81: answer({s.options560[0], s.options560[1]}); break;
        case 0x82: answer({s.currentProfile}); break;
        case 0x84: answer({p[1], s.currentDpiStage}); break;
        case 0x8C: queueDownload(p[1]); break;
        default: break;
        }
    }
}

}  // namespace vmouse
