// SPDX-License-Identifier: GPL-3.0-or-later
// Transport benchmarks against the virtual mouse with real sleeps: how much of a command's wall time is
// the pauses the protocol mandates, and how much is our own work.

#include "device_traits.h"
#include "hid_thread.h"
#include "virtual_mouse.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Sleeps for real and adds up what was asked for.
class CountingSleeper final : public Sleeper
{
public:
    void sleep(int milliseconds) override
    {
        requestedMs += milliseconds;
        real.sleep(milliseconds);
    }
    qint64 epochSeconds() const override { return real.epochSeconds(); }
    qint64 requestedMs = 0;

private:
    SystemSleeper real;
};

class Traits final : public DeviceTraits
{
public:
    QString icType() const override { return family; }
    bool isGun() const override { return false; }
    QString family;
};

// Every set command of a family once.
void setCommandMix(Hid_Thread &hid, const QString &family)
{
    uchar data[128];
    std::fill(std::begin(data), std::end(data), 0x21);
    if (family == QLatin1String("560")) {
        hid.hid560_01H_SetKeyboardoption(1, 2);
        hid.hid560_02H_SetCurrentProfile(0);
        hid.hid560_03H_SetReportRate(1);
        hid.hid560_04H_SetCurrentDPI(2);
        hid.hid560_0CH_setProfile(data, 0);
        hid.hid560_0DH_SetKeyMatrix(data, 1);
        hid.hid560_0FH_SetMacroKey(0, data);
        return;
    }
    hid.hid553_01H_SetReportRate(1);
    hid.hid553_02H_SetCurrentKeyMatrix(1);
    hid.hid553_03H_SetKeyboardoption(0, 0, 0, 0x40);
    hid.hid553_04H_SetGunData(1, 2, 3, 4);
    hid.hid553_07H_Lod(60, 1);
    hid.hid553_0BH_SetCurrentDPI(2);
    hid.hid553_0CH_SetFixLEDColor(data);
    hid.hid553_0DH_SetRGBLedEffect(1, 2, 3);
    hid.hid553_10H_SetLED8StageColor(1, data);
    hid.hid553_10H_SetLED8StageColor(2, data);
    hid.hid553_11H_SetDPISet(4, data);
    hid.hid553_12H_SetKeyMatrix(data, 1);
    hid.hid553_13H_SetMacroKey(0, data);
}

DeviceEntry entryFor(int device)
{
    DeviceEntry entry;
    entry.isEncode = true;
    entry.reportLength = 32;
    entry.commandPath = QString::fromStdString(vmouse::pathOf(device, 1));
    return entry;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    vmouse::reset();
    const int device = vmouse::addDevice(vmouse::demoMouse(vmouse::Family::F553, true));

    CountingSleeper sleeper;
    Hid_Thread hid;
    hid.setSleeper(&sleeper);
    hid.deviceList = {entryFor(device)};
    hid.chkDeviceIsEnCode(0);

    // A 128-byte macro upload at report length 32: 128 + 4 * 120 + 128 ms of mandated pauses.
    std::vector<double> ratios;
    uchar macro[128];
    std::fill(std::begin(macro), std::end(macro), 0x42);
    for (int run = 0; run < 5; ++run) {
        sleeper.requestedMs = 0;
        QElapsedTimer clock;
        clock.start();
        hid.hid553_13H_SetMacroKey(1, macro);
        const double wall = double(clock.nsecsElapsed()) / 1e6;
        ratios.push_back(double(sleeper.requestedMs) / wall);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("bench: write128_overhead_ratio %.4f ratio\n", ratios[ratios.size() / 2]);

    // Every set command of both families, real pauses included.
    qint64 requested = 0;
    qint64 wallNs = 0;
    Traits traits;
    hid.setTraits(&traits);
    for (const char *family : {"553", "560"}) {
        vmouse::reset();
        const int id = vmouse::addDevice(vmouse::demoMouse(
            QLatin1String(family) == QLatin1String("560") ? vmouse::Family::F560 : vmouse::Family::F553, true));
        hid.deviceList = {entryFor(id)};
        hid.chkDeviceIsEnCode(0);
        traits.family = QString::fromLatin1(family);
        sleeper.requestedMs = 0;
        QElapsedTimer clock;
        clock.start();
        setCommandMix(hid, traits.family);
        wallNs += clock.nsecsElapsed();
        requested += sleeper.requestedMs;
    }
    std::printf("bench: command_overhead_ratio %.4f ratio\n", double(requested) / (double(wallNs) / 1e6));
    return 0;
}
