// Transport benchmarks against the virtual mouse with real sleeps: how much of a command's wall time is
// the pauses the protocol mandates, and how much is our own work.

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
    return 0;
}
