// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw_node.h"

#include "report_descriptor.h"

#include <sys/ioctl.h>
#include <linux/hidraw.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kernelbed {

namespace {

// The kernel's limits (drivers/hid/hidraw.c, include/linux/hid.h): reports of 2 to 16384 bytes, report
// id first; 64 reports listed per opener, newer ones dropped while the list is full.
constexpr size_t kMaxReportBuffer = 16384;
constexpr size_t kListSize = 64;
constexpr size_t kFeatureBytes = 9;   // report id 0 and the 8-byte block: what the device answers

constexpr unsigned kGetDescriptorSize = 0x01, kGetDescriptor = 0x02, kGetInfo = 0x03, kGetName = 0x04,
                   kGetPhys = 0x05, kSetFeature = 0x06, kGetFeature = 0x07, kGetUniq = 0x08,
                   kSetInput = 0x09, kGetInput = 0x0A, kSetOutput = 0x0B, kGetOutput = 0x0C;

const char *requestName(unsigned nr)
{
    switch (nr) {
    case kGetDescriptorSize: return "HIDIOCGRDESCSIZE";
    case kGetDescriptor: return "HIDIOCGRDESC";
    case kGetInfo: return "HIDIOCGRAWINFO";
    case kGetName: return "HIDIOCGRAWNAME";
    case kGetPhys: return "HIDIOCGRAWPHYS";
    case kSetFeature: return "HIDIOCSFEATURE";
    case kGetFeature: return "HIDIOCGFEATURE";
    case kGetUniq: return "HIDIOCGRAWUNIQ";
    case kSetInput: return "HIDIOCSINPUT";
    case kGetInput: return "HIDIOCGINPUT";
    case kSetOutput: return "HIDIOCSOUTPUT";
    case kGetOutput: return "HIDIOCGOUTPUT";
    }
    return "unknown";
}

bool fixedSize(unsigned nr)
{
    return nr == kGetDescriptorSize || nr == kGetDescriptor || nr == kGetInfo;
}

// The kernel takes these three only with their own argument size.
bool exactFixedRequest(unsigned long request)
{
    return request == HIDIOCGRDESCSIZE || request == HIDIOCGRDESC || request == HIDIOCGRAWINFO;
}

// Time stamps of the log: milliseconds since the first node was made.
int64_t nowMs()
{
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

Answer failure(int error)
{
    return {-1, error};
}

// A report of this length may cross the node at all (the checks before the device is asked).
std::optional<Answer> refusedLength(size_t length)
{
    if (length < 2 || length > kMaxReportBuffer)
        return failure(EINVAL);
    return std::nullopt;
}

template <typename T>
void put(uint8_t *arg, size_t offset, T value)
{
    std::memcpy(arg + offset, &value, sizeof value);
}

}  // namespace

HidrawNode::HidrawNode(vmouse::DeviceModel &model, int device, const vmouse::InterfaceSpec &iface, std::string name,
                       std::string hidName, std::string phys)
    : model_(model)
    , device_(device)
    , iface_(iface)
    , name_(std::move(name))
    , hidName_(std::move(hidName))
    , phys_(std::move(phys))
    , descriptor_(vmouse::reportDescriptor(iface, model.spec().reportLength))
{
}

Answer HidrawNode::ioctl(unsigned long request, uint8_t *arg, size_t size)
{
    const unsigned nr = _IOC_NR(request);
    char call[64];
    if (fixedSize(nr))
        std::snprintf(call, sizeof call, "ioctl %s", requestName(nr));
    else
        std::snprintf(call, sizeof call, "ioctl %s(%zu)", requestName(nr), size);
    if (_IOC_TYPE(request) != 'H' || (fixedSize(nr) && !exactFixedRequest(request))) {
        const Answer answer = failure(ENOTTY);
        note(call, answer);
        return answer;
    }
    Answer answer = failure(ENODEV);
    if (!present_) {
        note(call, answer);
        return answer;
    }
    switch (nr) {
    case kGetDescriptorSize:
        put<int>(arg, 0, int(descriptor_.size()));
        answer = {0, 0};
        // Every open asks it: logged once per node.
        if (std::exchange(sizeAsked_, true))
            return answer;
        break;
    case kGetDescriptor: {
        uint32_t wanted = 0;
        std::memcpy(&wanted, arg, sizeof wanted);
        if (wanted > HID_MAX_DESCRIPTOR_SIZE - 1) {
            answer = failure(EINVAL);
            break;
        }
        const size_t n = std::min<size_t>(wanted, descriptor_.size());
        std::copy_n(descriptor_.begin(), n, arg + offsetof(hidraw_report_descriptor, value));
        answer = {0, 0};
        break;
    }
    case kGetInfo:
        put<uint32_t>(arg, offsetof(hidraw_devinfo, bustype), BUS_USB);
        put<int16_t>(arg, offsetof(hidraw_devinfo, vendor), int16_t(model_.spec().vid));
        put<int16_t>(arg, offsetof(hidraw_devinfo, product), int16_t(model_.spec().pid));
        answer = {0, 0};
        break;
    case kGetName: answer = copyText(hidName_, arg, size); break;
    case kGetPhys: answer = copyText(phys_, arg, size); break;
    case kGetUniq: answer = copyText(std::string(), arg, size); break;
    case kSetFeature: return sendFeature(call, arg, size);
    case kGetFeature: return getFeature(call, arg, size);
    case kSetInput:
    case kGetInput:
    case kSetOutput:
    case kGetOutput:
        // The mouse declares no such reports on its control endpoint: it stalls the request.
        answer = refusedLength(size).value_or(failure(EPIPE));
        break;
    default:
        answer = failure(ENOTTY);
        break;
    }
    note(call, answer);
    return answer;
}

Answer HidrawNode::copyText(const std::string &text, uint8_t *arg, size_t size)
{
    const size_t n = std::min(text.size() + 1, size);
    std::memcpy(arg, text.c_str(), n);
    return {long(n), 0};
}

vmouse::Event HidrawNode::event(vmouse::Kind kind) const
{
    vmouse::Event e;
    e.kind = kind;
    e.device = device_;
    e.interfaceNumber = iface_.number;
    return e;
}

Answer HidrawNode::sendFeature(const char *call, uint8_t *arg, size_t size)
{
    vmouse::Event event = this->event(vmouse::Kind::FeatureOut);
    event.wire.assign(arg, arg + size);
    Answer answer = refusedLength(size).value_or(Answer{long(size), 0});
    // A block the device does not take (wrong length, another interface, a stalled device) is a stall.
    if (answer.result >= 0 && !model_.receiveFeature(iface_, arg, size, event))
        answer = failure(EPIPE);
    note(call, answer, &event);
    deliver();
    return answer;
}

Answer HidrawNode::getFeature(const char *call, uint8_t *arg, size_t size)
{
    vmouse::Event event = this->event(vmouse::Kind::FeatureIn);
    Answer answer = refusedLength(size).value_or(Answer{});
    if (answer.result == 0) {
        // Report id 0 stays in byte 0 and the device's 8 bytes follow, as many as the caller has room for;
        // a numbered report is one this device does not have.
        uint8_t report[kFeatureBytes] = {};
        if (arg[0] != 0 || model_.answerFeature(iface_, report, sizeof report, event) < 0) {
            answer = failure(EPIPE);
        } else {
            const size_t n = std::min(size, sizeof report);
            std::copy_n(report + 1, n - 1, arg + 1);
            event.wire.assign(arg, arg + n);
            answer = {long(n), 0};
        }
    }
    note(call, answer, &event);
    return answer;
}

Answer HidrawNode::write(const uint8_t *data, size_t length)
{
    char call[32];
    std::snprintf(call, sizeof call, "write(%zu)", length);
    vmouse::Event event = this->event(vmouse::Kind::Output);
    event.wire.assign(data, data + length);
    Answer answer = present_ ? refusedLength(length).value_or(Answer{long(length), 0}) : failure(ENODEV);
    if (answer.result > 0)
        model_.receiveOutput(iface_, data, length, event);
    note(call, answer, &event);
    return answer;
}

std::optional<Answer> HidrawNode::read(Opener opener, uint8_t *out, size_t capacity)
{
    auto it = lists_.find(opener);
    if (it == lists_.end() || it->second.empty()) {
        if (present_)
            return std::nullopt;
        return failure(EIO);
    }
    const Bytes report = it->second.front();
    it->second.pop_front();
    const size_t n = std::min(capacity, report.size());
    std::copy_n(report.begin(), n, out);
    vmouse::Event event = this->event(vmouse::Kind::Input);
    event.wire.assign(report.begin(), report.begin() + long(n));
    char call[32];
    std::snprintf(call, sizeof call, "read(%zu)", capacity);
    const Answer answer{long(n), 0};
    note(call, answer, &event);
    return answer;
}

void HidrawNode::open(Opener opener)
{
    lists_[opener];
    deliver();
}

void HidrawNode::close(Opener opener)
{
    lists_.erase(opener);
}

void HidrawNode::deliver()
{
    if (lists_.empty() || !present_)
        return;
    auto &queue = model_.inputQueue(iface_.number);
    for (; !queue.empty(); queue.pop_front())
        for (auto &[opener, list] : lists_)
            if (list.size() < kListSize)
                list.push_back(queue.front());
}

bool HidrawNode::readable() const
{
    return std::any_of(lists_.begin(), lists_.end(), [](const auto &entry) { return !entry.second.empty(); });
}

bool HidrawNode::listed(Opener opener) const
{
    const auto it = lists_.find(opener);
    return it != lists_.end() && !it->second.empty();
}

std::vector<std::string> HidrawNode::takeLog()
{
    return std::exchange(log_, {});
}

void HidrawNode::note(const std::string &call, const Answer &answer, const vmouse::Event *event)
{
    std::string line = name_ + " " + call + " = " + std::to_string(answer.result);
    if (answer.result < 0)
        line += std::string(" ") + std::strerror(answer.error);
    if (event) {
        vmouse::Event stamped = *event;
        stamped.timeMs = nowMs();
        line += ": " + vmouse::describe(stamped);
    }
    log_.push_back(line);
}

}  // namespace kernelbed
