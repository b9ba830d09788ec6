// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transport wired to one virtual device: the simulator is reset, a recording sleeper drives the virtual
// clock, and the transport's device list holds the device's entry at index 0 (selected).

#include "device_traits.h"
#include "hid_thread.h"
#include "recording_sleeper.h"
#include "sim_fixture.h"

#include <memory>

// The owner's answers about the device, set by each test.
struct FakeTraits final : DeviceTraits
{
    QString type;
    bool gun = false;
    QString icType() const override { return type; }
    bool isGun() const override { return gun; }
};

struct SimReset
{
    SimReset() { vmouse::reset(); }
};

struct Rig
{
    explicit Rig(const vmouse::DeviceSpec &deviceSpec = vmouse::demoMouse())
        : spec(deviceSpec)
        , device(vmouse::addDevice(deviceSpec))
    {
        hid.setSleeper(&sleeper);
        traits.type = spec.family == vmouse::Family::F560 ? QStringLiteral("560") : QStringLiteral("553");
        hid.setTraits(&traits);
        hid.deviceList = {fixture::entryFor(device, spec)};
        hid.currentDeviceIndex = 0;
        // As a handshake with the entry would have left it.
        for (size_t i = 0; i < 6 && i < spec.secrecyCode.size(); ++i)
            hid.deviceSecrecyCode[i + 1] = uchar(spec.secrecyCode[i]);
    }

    DeviceEntry &entry() { return hid.deviceList[0]; }
    vmouse::DeviceState state() const { return vmouse::state(device); }

    SimReset simReset;
    RecordingSleeper sleeper;
    vmouse::DeviceSpec spec;
    int device;
    FakeTraits traits;
    Hid_Thread hid;
};

// A demo mouse of the given family, encoding and report length.
inline vmouse::DeviceSpec mouseSpec(vmouse::Family family, bool encoded, int reportLength = 32)
{
    vmouse::DeviceSpec spec = vmouse::demoMouse(family, encoded);
    spec.reportLength = reportLength;
    return spec;
}
