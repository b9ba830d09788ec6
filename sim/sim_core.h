// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared state of the virtual mice behind one lock, and the helpers both the hidapi functions and the
// control API use. Internal to the virtual mouse.

#include "device_model.h"
#include "virtual_mouse.h"

#include <hidapi.h>

#include <condition_variable>
#include <deque>
#include <set>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

struct hid_device_
{
    int device = -1;
    int interfaceNumber = -1;
    uint64_t generation = 0;
    bool nonblocking = false;
    // As on hidraw, every open handle has its own list of input reports: the reports the device sent while
    // it was open, dropped when it is closed.
    std::deque<vmouse::Bytes> reports;
};

namespace vmouse::detail {

struct Slot
{
    std::unique_ptr<DeviceModel> model;
    bool plugged = true;
    uint64_t generation = 1;
    Access access = Access::Granted;
};

struct Injection
{
    Fn fn;
    int dueAt;
    Fault fault;
};

struct Sim
{
    std::mutex lock;
    std::condition_variable changed;
    std::map<int, Slot> devices;
    int nextId = 1;
    std::vector<Event> events;
    std::vector<Injection> injections;
    std::map<Fn, int> calls;
    std::function<int64_t()> clock;
    std::function<void()> plugListener;
    std::set<hid_device *> handles;
    int lastReadWait = 0;
    std::wstring openError;   // hid_error(NULL): the last failed open, empty after a successful one
};

Sim &sim();
void record(Sim &s, Event event);
// Counts a call and returns the fault due at it, if any.
std::optional<Fault> dueFault(Sim &s, Fn fn);
void recordFault(Sim &s, Fn fn, Fault fault, int device);
// The errno value a failed open reports for a fault, and hidraw's text for an errno value.
int openErrorOf(Fault fault);
std::wstring openErrorText(const char *path, int error);
void unplugLocked(Sim &s, int device);
bool parsePath(const char *path, int &device, int &iface);
const InterfaceSpec *interfaceOf(const Slot &slot, int number);
// The slot of a live handle, or null when the device is gone (unplugged since the handle was opened).
Slot *live(Sim &s, hid_device *dev);
Event eventFor(Kind kind, const hid_device *dev);
// Moves the input reports the device has queued into the list of every open handle of their interface;
// with no handle open on an interface, the device keeps its reports (the host asks for them only then).
void deliverInput(Sim &s, int device);
// Applies a due fault to a call on an open handle: true when the call must fail.
bool faultHits(Sim &s, Fn fn, hid_device *dev, Fault *kind = nullptr);

}  // namespace vmouse::detail
