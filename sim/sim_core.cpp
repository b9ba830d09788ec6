// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_core.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace vmouse::detail {

Sim &sim()
{
    static Sim instance;
    return instance;
}

namespace {

int64_t now(Sim &s)
{
    if (s.clock)
        return s.clock();
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void record(Sim &s, Event event)
{
    event.timeMs = now(s);
    s.events.push_back(std::move(event));
}

std::optional<Fault> dueFault(Sim &s, Fn fn)
{
    const int count = ++s.calls[fn];
    for (auto it = s.injections.begin(); it != s.injections.end(); ++it) {
        if (it->fn == fn && it->dueAt == count) {
            const Fault fault = it->fault;
            s.injections.erase(it);
            return fault;
        }
    }
    return std::nullopt;
}

namespace {

const char *fnName(Fn fn)
{
    switch (fn) {
    case Fn::Enumerate: return "hid_enumerate";
    case Fn::OpenPath: return "hid_open_path";
    case Fn::SetNonblocking: return "hid_set_nonblocking";
    case Fn::SendFeature: return "hid_send_feature_report";
    case Fn::GetFeature: return "hid_get_feature_report";
    case Fn::Write: return "hid_write";
    case Fn::Read: return "hid_read";
    case Fn::Close: return "hid_close";
    }
    return "?";
}

const char *faultSuffix(Fault fault)
{
    switch (fault) {
    case Fault::Unplug: return " unplug";
    case Fault::Timeout: return " timeout";
    case Fault::Short: return " short";
    case Fault::Denied: return " denied";
    case Fault::Busy: return " busy";
    case Fault::Fail: break;
    }
    return " fails";
}

}  // namespace

void recordFault(Sim &s, Fn fn, Fault fault, int device)
{
    Event e;
    e.kind = Kind::Fault;
    e.device = device;
    e.name = std::string(fnName(fn)) + faultSuffix(fault);
    record(s, e);
}

int openErrorOf(Fault fault)
{
    switch (fault) {
    case Fault::Denied: return EACCES;
    case Fault::Busy: return EBUSY;
    case Fault::Unplug: return ENOENT;
    case Fault::Fail:
    case Fault::Timeout:
    case Fault::Short: break;
    }
    return EIO;
}

std::wstring openErrorText(const char *path, int error)
{
    // hidraw's wording; the reason in the C locale, whatever the test's locale is.
    const wchar_t *reason = error == EACCES ? L"Permission denied"
                          : error == EBUSY  ? L"Device or resource busy"
                          : error == ENOENT ? L"No such file or directory"
                                            : L"Input/output error";
    std::wstring text = L"Failed to open a device with path '";
    for (const char *c = path ? path : ""; *c; ++c)
        text += wchar_t(static_cast<unsigned char>(*c));
    return text + L"': " + reason;
}

void unplugLocked(Sim &s, int device)
{
    auto it = s.devices.find(device);
    if (it == s.devices.end() || !it->second.plugged)
        return;
    it->second.plugged = false;
    ++it->second.generation;
    s.changed.notify_all();
}

bool parsePath(const char *path, int &device, int &iface)
{
    return path && std::sscanf(path, "vmouse:%d:%d", &device, &iface) == 2;
}

const InterfaceSpec *interfaceOf(const Slot &slot, int number)
{
    for (const InterfaceSpec &i : slot.model->spec().interfaces)
        if (i.number == number)
            return &i;
    return nullptr;
}

Slot *live(Sim &s, hid_device *dev)
{
    if (!dev)
        return nullptr;
    auto it = s.devices.find(dev->device);
    if (it == s.devices.end() || !it->second.plugged || it->second.generation != dev->generation)
        return nullptr;
    return &it->second;
}

Event eventFor(Kind kind, const hid_device *dev)
{
    Event e;
    e.kind = kind;
    if (dev) {
        e.device = dev->device;
        e.interfaceNumber = dev->interfaceNumber;
    }
    return e;
}

void deliverInput(Sim &s, int device)
{
    auto it = s.devices.find(device);
    if (it == s.devices.end() || !it->second.plugged)
        return;
    bool delivered = false;
    for (const InterfaceSpec &iface : it->second.model->spec().interfaces) {
        std::vector<hid_device *> open;
        for (hid_device *dev : s.handles)
            if (dev->device == device && dev->interfaceNumber == iface.number && dev->generation == it->second.generation)
                open.push_back(dev);
        auto &queue = it->second.model->inputQueue(iface.number);
        if (open.empty())
            continue;
        for (; !queue.empty(); queue.pop_front(), delivered = true)
            for (hid_device *dev : open)
                dev->reports.push_back(queue.front());
    }
    if (delivered)
        s.changed.notify_all();
}

bool faultHits(Sim &s, Fn fn, hid_device *dev, Fault *kind)
{
    const auto fault = dueFault(s, fn);
    if (!fault)
        return false;
    recordFault(s, fn, *fault, dev ? dev->device : -1);
    if (*fault == Fault::Unplug && dev)
        unplugLocked(s, dev->device);
    if (kind)
        *kind = *fault;
    return true;
}

}  // namespace vmouse::detail
