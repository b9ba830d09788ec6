// SPDX-License-Identifier: GPL-3.0-or-later
// hidapi's C API, answered by the virtual mice.
//
// One lock guards everything; blocking reads wait on a condition variable under it, so a test thread can
// push an input report or unplug a device while another thread reads.

#include "sim_core.h"

#include "framing.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>

using namespace vmouse;
using namespace vmouse::detail;

namespace {

wchar_t *copyWide(const std::wstring &text)
{
    auto *out = static_cast<wchar_t *>(std::calloc(text.size() + 1, sizeof(wchar_t)));
    std::wmemcpy(out, text.c_str(), text.size());
    return out;
}

}  // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    if (const auto fault = dueFault(s, Fn::Enumerate)) {
        recordFault(s, Fn::Enumerate, *fault, -1);
        return nullptr;
    }
    Event e;
    e.kind = Kind::Enumerate;
    record(s, e);

    hid_device_info *head = nullptr;
    hid_device_info **tail = &head;
    for (auto &[id, slot] : s.devices) {
        const DeviceSpec &spec = slot.model->spec();
        if (!slot.plugged || (vendor_id && vendor_id != spec.vid) || (product_id && product_id != spec.pid))
            continue;
        for (const InterfaceSpec &iface : spec.interfaces) {
            for (const Collection &c : iface.collections) {
                auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
                info->path = strdup(pathOf(id, iface.number).c_str());
                info->vendor_id = spec.vid;
                info->product_id = spec.pid;
                info->serial_number = copyWide(L"");
                info->release_number = 0x0100;
                info->manufacturer_string = copyWide(L"Virtual");
                info->product_string = copyWide(spec.product);
                info->usage_page = c.usagePage;
                info->usage = c.usage;
                info->interface_number = iface.number;
                info->bus_type = HID_API_BUS_USB;
                *tail = info;
                tail = &info->next;
            }
        }
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    int device = -1, iface = -1;
    const bool parsed = parsePath(path, device, iface);
    int error = 0;
    if (const auto fault = dueFault(s, Fn::OpenPath)) {
        recordFault(s, Fn::OpenPath, *fault, device);
        if (*fault == Fault::Unplug)
            unplugLocked(s, device);
        error = openErrorOf(*fault);
    }
    auto it = parsed ? s.devices.find(device) : s.devices.end();
    if (!error && (it == s.devices.end() || !it->second.plugged || !interfaceOf(it->second, iface)))
        error = ENOENT;
    if (!error && it->second.access != Access::Granted)
        error = openErrorOf(it->second.access == Access::Denied ? Fault::Denied : Fault::Busy);
    if (error) {
        Event e;
        e.kind = Kind::OpenFailed;
        e.device = device;
        e.interfaceNumber = iface;
        record(s, e);
        s.openError = openErrorText(path, error);
        errno = error;
        return nullptr;
    }
    auto *dev = new hid_device_;
    dev->device = device;
    dev->interfaceNumber = iface;
    dev->generation = it->second.generation;
    s.handles.insert(dev);
    s.openError.clear();
    record(s, eventFor(Kind::Open, dev));
    deliverInput(s, device);
    return dev;
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t *)
{
    std::string path;
    {
        Sim &s = sim();
        std::lock_guard guard(s.lock);
        for (auto &[id, slot] : s.devices) {
            const DeviceSpec &spec = slot.model->spec();
            if (slot.plugged && spec.vid == vendor_id && spec.pid == product_id && !spec.interfaces.empty()) {
                path = pathOf(id, spec.interfaces.front().number);
                break;
            }
        }
    }
    return path.empty() ? nullptr : hid_open_path(path.c_str());
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    if (!dev)
        return;
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    dueFault(s, Fn::Close);   // counted; closing cannot fail
    record(s, eventFor(Kind::Close, dev));
    s.handles.erase(dev);
    delete dev;
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    // hidraw's hidapi only notes the mode (reads wait with poll()): it fails for no device, gone or not.
    if (faultHits(s, Fn::SetNonblocking, dev) || !dev)
        return -1;
    dev->nonblocking = nonblock != 0;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    Event e = eventFor(Kind::FeatureOut, dev);
    if (data)
        e.wire.assign(data, data + length);
    Slot *slot = faultHits(s, Fn::SendFeature, dev) ? nullptr : live(s, dev);
    const InterfaceSpec *iface = slot ? interfaceOf(*slot, dev->interfaceNumber) : nullptr;
    const bool accepted = iface && data && slot->model->receiveFeature(*iface, data, length, e);
    if (!accepted)
        e.name += e.name.empty() ? "refused" : " (refused)";
    record(s, e);
    if (accepted)
        deliverInput(s, dev->device);   // a download command queues input reports
    return accepted ? int(length) : -1;
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    Event e = eventFor(Kind::FeatureIn, dev);
    Slot *slot = faultHits(s, Fn::GetFeature, dev) ? nullptr : live(s, dev);
    const InterfaceSpec *iface = slot ? interfaceOf(*slot, dev->interfaceNumber) : nullptr;
    // As hidraw: report id 0 stays in byte 0 and the device's answer follows, as much as there is room for;
    // fewer than 2 bytes, or a numbered report this device does not have, fail.
    uint8_t report[frame::kReportSize] = {};
    int got = iface && data && length >= 2 && data[0] == 0 ? slot->model->answerFeature(*iface, report, sizeof report, e) : -1;
    if (got > 0) {
        got = int(std::min(length, sizeof report));
        std::memcpy(data + 1, report + 1, size_t(got) - 1);
        e.wire.assign(data, data + got);
    }
    else
        e.name = "refused";
    record(s, e);
    return got;
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *, unsigned char *, size_t)
{
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    Event e = eventFor(Kind::Output, dev);
    if (data)
        e.wire.assign(data, data + length);
    Slot *slot = faultHits(s, Fn::Write, dev) ? nullptr : live(s, dev);
    const InterfaceSpec *iface = slot ? interfaceOf(*slot, dev->interfaceNumber) : nullptr;
    // hidraw takes reports of 2 bytes and more (the report id and at least one byte).
    if (!iface || !data || length < 2) {
        e.name = "refused";
        record(s, e);
        return -1;
    }
    slot->model->receiveOutput(*iface, data, length, e);
    record(s, e);
    return int(length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    Sim &s = sim();
    std::unique_lock guard(s.lock);
    s.lastReadWait = milliseconds;
    Fault fault = Fault::Fail;
    const bool faulted = faultHits(s, Fn::Read, dev, &fault);
    if (faulted && fault != Fault::Short)
        return fault == Fault::Timeout ? 0 : -1;
    const bool cutShort = faulted;
    if (!data || !dev)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    for (;;) {
        if (!live(s, dev))
            return -1;
        if (!dev->reports.empty()) {
            const Bytes report = dev->reports.front();
            dev->reports.pop_front();
            const size_t n = std::min(length, report.size()) / (cutShort ? 2 : 1);
            std::memcpy(data, report.data(), n);
            Event e = eventFor(Kind::Input, dev);
            e.wire.assign(report.begin(), report.begin() + long(n));
            record(s, e);
            return int(n);
        }
        if (milliseconds == 0 || (milliseconds > 0 && std::chrono::steady_clock::now() >= deadline))
            return 0;
        if (milliseconds < 0)
            s.changed.wait(guard);
        else
            s.changed.wait_until(guard, deadline);
    }
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    return hid_read_timeout(dev, data, length, dev && dev->nonblocking ? 0 : -1);
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *, wchar_t *string, size_t maxlen)
{
    if (string && maxlen)
        std::wcsncpy(string, L"Virtual", maxlen);
    return 0;
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *, wchar_t *string, size_t maxlen)
{
    if (string && maxlen)
        std::wcsncpy(string, L"Virtual mouse", maxlen);
    return 0;
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *, wchar_t *string, size_t maxlen)
{
    if (string && maxlen)
        string[0] = 0;
    return 0;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *, int, wchar_t *, size_t)
{
    return -1;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *)
{
    return nullptr;
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev)
{
    if (dev)
        return L"virtual mouse: see the log";
    // Like hidraw: the text of the last failed open, valid until the next open.
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    return s.openError.empty() ? L"Success" : s.openError.c_str();
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR, HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

}  // extern "C"
