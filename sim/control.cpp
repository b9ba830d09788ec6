// SPDX-License-Identifier: GPL-3.0-or-later
// The control API of the virtual mouse: devices in and out, state, input reports, faults, the log.

#include "sim_core.h"

namespace vmouse {

using namespace detail;

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
    deliverInput(s, device);
}

void pushDpiSwitch(int device, uint8_t stage)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    auto it = s.devices.find(device);
    if (it != s.devices.end() && it->second.model->switchDpi(stage))
        deliverInput(s, device);
}

int pressDpiButton(int device, int stages)
{
    Sim &s = sim();
    std::lock_guard guard(s.lock);
    auto it = s.devices.find(device);
    if (it == s.devices.end())
        return 1;
    const uint8_t next = it->second.model->nextDpiStage(stages);
    if (it->second.model->switchDpi(next))
        deliverInput(s, device);
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
    return int(s.handles.size());
}

}  // namespace vmouse
