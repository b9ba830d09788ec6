// The control API of the virtual mouse: devices in and out, state, input reports, faults, the log.

#include "sim_core.h"

#include <cstdio>

namespace vmouse {

using namespace detail;

DeviceSpec demoMouse(Family family, bool isEncode)
{
    DeviceSpec spec;
    spec.vid = kDemoVid;
    spec.pid = kDemoPid;
    spec.product = L"ZEPHRA Z714 (virtual)";
    spec.interfaces = {
        {0, Role::Other, {{0x0001, 0x0002}}},
        {1, Role::Command, {{0xFF00, 0xFF00}}},
        {2, Role::Listen, {{0xFF01, 0xFF01}}},
    };
    spec.family = family;
    spec.isEncode = isEncode;
    return spec;
}

int addDevice(const DeviceSpec &spec)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    const int id = s.nextId++;
    s.devices[id].model = std::make_unique<DeviceModel>(spec);
    return id;
}

namespace {

void notifyPlugListener()
{
    std::function<void()> listener;
    {
        Sim &s = sim();
        std::lock_guard guard(s.lock);
        listener = s.plugListener;
    }
    if (listener)
        listener();
}

}  // namespace

void setPlugListener(std::function<void()> listener)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    s.plugListener = std::move(listener);
}

void unplug(int device)
{
    {
        Sim &s = sim();
        std::lock_guard guard(s.lock);
        unplugLocked(s, device);
    }
    notifyPlugListener();
}

void replug(int device)
{
    {
        Sim &s = sim();
        std::lock_guard guard(s.lock);
        auto it = s.devices.find(device);
        if (it == s.devices.end() || it->second.plugged)
            return;
        it->second.plugged = true;
        ++it->second.generation;
    }
    notifyPlugListener();
}

void reset()
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    s.devices.clear();
    s.nextId = 1;
    s.events.clear();
    s.injections.clear();
    s.calls.clear();
    s.clock = nullptr;
    s.plugListener = nullptr;
    s.openError.clear();
    s.lastReadWait = 0;
    s.changed.notify_all();
}

void setAccess(int device, Access access)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    if (auto it = s.devices.find(device); it != s.devices.end())
        it->second.access = access;
}

std::string pathOf(int device, int interfaceNumber)
{
    return "vmouse:" + std::to_string(device) + ":" + std::to_string(interfaceNumber);
}

DeviceState state(int device)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    auto it = s.devices.find(device);
    return it == s.devices.end() ? DeviceState{} : it->second.model->state;
}

void setState(int device, const DeviceState &newState)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    if (auto it = s.devices.find(device); it != s.devices.end())
        it->second.model->state = newState;
}

void setProfileBlock(int device, int profile, const Bytes &block)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    auto it = s.devices.find(device);
    if (it != s.devices.end() && profile >= 0 && profile < 5)
        it->second.model->state.profileBlocks[size_t(profile)] = block;
}

void pushInput(int device, int interfaceNumber, const Bytes &report)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    auto it = s.devices.find(device);
    if (it == s.devices.end())
        return;
    it->second.model->inputQueue(interfaceNumber).push_back(report);
    s.changed.notify_all();
}

void pushDpiSwitch(int device, uint8_t stage)
{
    int listen = -1;
    {
        Sim &s = sim();
        std::lock_guard guard(s.lock);
        auto it = s.devices.find(device);
        if (it == s.devices.end())
            return;
        for (const InterfaceSpec &i : it->second.model->spec().interfaces)
            if (i.role == Role::Listen)
                listen = i.number;
        it->second.model->state.currentDpiStage = stage;
    }
    if (listen >= 0)
        pushInput(device, listen, {0x06, 0x07, 0x00, stage});
}

int pressDpiButton(int device, int stages)
{
    const int current = state(device).currentDpiStage;
    const int next = stages > 0 ? current % stages + 1 : 1;
    pushDpiSwitch(device, uint8_t(next));
    return next;
}

void limitDownloadReports(int device, int reports)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    if (auto it = s.devices.find(device); it != s.devices.end())
        it->second.model->downloadLimit = reports;
}

void injectFault(Fn fn, int nth, Fault fault)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    s.injections.push_back({fn, s.calls[fn] + nth, fault});
}

int callCount(Fn fn)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    return s.calls[fn];
}

std::vector<Event> log()
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    return s.events;
}

void clearLog()
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    s.events.clear();
}

void setClock(std::function<int64_t()> nowMs)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    s.clock = std::move(nowMs);
}

int lastReadWait()
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    return s.lastReadWait;
}

int openHandles()
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    return s.handles;
}

std::string describe(const Event &e)
{
    static const char *kinds[] = {"enumerate", "open", "open failed", "close", "feature out",
                                  "feature in", "output", "input", "fault"};
    std::string line = std::to_string(e.timeMs) + " ms " + kinds[int(e.kind)];
    if (e.device >= 0)
        line += " vmouse:" + std::to_string(e.device) + ":" + std::to_string(e.interfaceNumber);
    auto hex = [](const Bytes &bytes) {
        std::string out;
        char two[4];
        for (uint8_t b : bytes) {
            std::snprintf(two, sizeof two, " %02x", b);
            out += two;
        }
        return out;
    };
    if (!e.wire.empty())
        line += " [" + hex(e.wire) + " ]";
    if (!e.plain.empty() && e.plain != e.wire)
        line += " plain [" + hex(e.plain) + " ]";
    if (!e.name.empty())
        line += " " + e.name;
    if (!e.checksumOk)
        line += " (bad checksum)";
    return line;
}

}  // namespace vmouse
