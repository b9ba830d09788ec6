// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual mouse: a stand-in for hidapi that implements the device side of the mouse's vendor protocol.
//
// Programs and tests link it instead of the real hidapi and call the ordinary hid_* functions. This header
// is the control API that tests and the demo use to plug devices in and out, inject faults, push input
// reports, and read what the devices received. Everything here is thread-safe.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vmouse {

using Bytes = std::vector<uint8_t>;

enum class Family { F553, F560 };

// What an interface does for the protocol: takes commands (feature reports, bulk output and the bulk input
// of profile downloads), reports DPI switches (input reports), or neither (the ordinary mouse interface).
enum class Role { Command, Listen, Other };

struct Collection
{
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

struct InterfaceSpec
{
    int number = 0;
    Role role = Role::Other;
    // One enumeration entry per top-level collection, all with the interface's path.
    std::vector<Collection> collections;
};

struct DeviceSpec
{
    uint16_t vid = 0;
    uint16_t pid = 0;
    std::wstring product = L"Virtual mouse";
    std::vector<InterfaceSpec> interfaces;
    int reportLength = 32;
    bool isEncode = false;
    std::string secrecyCode = "318274";   // six characters
    Family family = Family::F553;
    bool echoesChallenge = true;          // false: a foreign device that answers 00H with zeros
    bool stalls = false;                  // true: every feature report fails (a device that does not answer)
};

// The shipped demo mouse: interface 0 the plain mouse (01/02), interface 1 the command interface
// (ff00/ff00), interface 2 the listener interface (ff01/ff01); 553 family unless told otherwise.
DeviceSpec demoMouse(Family family = Family::F553, bool isEncode = true);
inline constexpr uint16_t kDemoVid = 0x5A50;
inline constexpr uint16_t kDemoPid = 0x0714;

// What a device holds after the commands it received.
struct DeviceState
{
    std::array<uint8_t, 4> options553{};     // 83H / 03H
    std::array<uint8_t, 2> options560{};     // 81H / 01H
    uint8_t reportRate = 0;                  // 553 01H
    std::map<int, uint8_t> seriesReportRate; // 560 03H: running number -> rate
    std::map<int, uint8_t> seriesDpiStage;   // 560 04H: running number -> stage
    uint8_t currentDpiStage = 1;             // 553 0BH / 8BH, 560 04H (n = 1) / 84H
    uint8_t currentKeyMatrix = 0;            // 553 02H
    uint8_t currentProfile = 0;              // 560 02H / 82H
    uint8_t lodStage = 0, lodEnable = 0;     // 553 07H
    std::array<uint8_t, 4> gunData{};        // 553 04H
    std::array<uint8_t, 3> ledEffect{};      // 553 0DH
    std::array<uint8_t, 3> fixColor{};       // 553 0CH
    std::map<int, Bytes> ledColors;          // 553 10H: type -> payload
    std::map<int, Bytes> dpiTables;          // 553 11H: stage count -> 8 bytes
    std::map<int, Bytes> keyMatrices;        // 553 12H (64 bytes), 560 0DH (128 bytes): index -> payload
    std::map<int, Bytes> macros;             // 553 13H, 560 0FH: macro id -> 128 bytes
    std::array<Bytes, 5> profileBlocks;      // 560 0CH / 8CH, 128 bytes each
    int commandsReceived = 0;
    int badChecksums = 0;
};

// Devices. Paths look like "vmouse:<id>:<interface>".
int addDevice(const DeviceSpec &spec);
void unplug(int device);        // enumeration drops it; open handles fail; every later open fails
void replug(int device);        // back again (old handles stay dead)
void reset();                   // no devices, empty log, no faults, default clock and timing
std::string pathOf(int device, int interfaceNumber);
// Called after every unplug and replug (on the caller's thread, without the simulator's lock held): the
// virtual counterpart of the system's device-change notice.
void setPlugListener(std::function<void()> listener);
DeviceState state(int device);
void setState(int device, const DeviceState &state);
void setProfileBlock(int device, int profile, const Bytes &block);

// Input reports: a DPI switch on the listener interface (06 07 00 v), or any bytes on any interface.
void pushDpiSwitch(int device, uint8_t stage);
void pushInput(int device, int interfaceNumber, const Bytes &report);
// The DPI button on the mouse: the next of `stages` stages (after the last, the first), reported on the
// listener interface. Returns the new stage.
int pressDpiButton(int device, int stages = 4);
// A 560 device that answers a profile download with only this many input reports (then nothing).
void limitDownloadReports(int device, int reports);

// Faults. The nth call of a function, counted from now (1 = the next call), fails.
enum class Fn { Enumerate, OpenPath, SetNonblocking, SendFeature, GetFeature, Write, Read, Close };
enum class Fault {
    Fail,      // the call returns its error value
    Unplug,    // the device of the call is unplugged just before it (so the call fails as on removal)
    Timeout,   // reads only: returns 0 at once, as when nothing arrived in time
    Short,     // reads only: returns the first half of the next report, the rest of it is lost
    Denied,    // opens only: fails as a hidraw node this user may not open (errno EACCES)
    Busy,      // opens only: fails as a device another program holds exclusively (errno EBUSY)
};
void injectFault(Fn fn, int nth, Fault fault = Fault::Fail);
int callCount(Fn fn);

// Access to a device as the system's permissions give it: while a device is denied or busy, every open of
// its interfaces fails like the fault of that name. A failed open sets errno and leaves hidraw's text for
// hid_error(NULL): "Failed to open a device with path '<path>': Permission denied" (or "Device or resource
// busy", "No such file or directory" for a device that is not there, "Input/output error" for Fail).
enum class Access { Granted, Denied, Busy };
void setAccess(int device, Access access);

// The log of everything the devices saw, in order.
enum class Kind { Enumerate, Open, OpenFailed, Close, FeatureOut, FeatureIn, Output, Input, Fault };
struct Event
{
    int64_t timeMs = 0;
    Kind kind = Kind::Open;
    int device = -1;
    int interfaceNumber = -1;
    Bytes wire;            // as on the wire: report id first for feature and output reports
    Bytes plain;           // feature reports: the unscrambled report
    std::string name;      // feature out: the command's name ("553 0BH SetCurrentDPI"); faults: what failed
    bool checksumOk = true;
};
std::vector<Event> log();
void clearLog();
std::string describe(const Event &event);   // one readable line

// Time stamps of the log come from this clock (milliseconds); the default is the steady clock.
void setClock(std::function<int64_t()> nowMs);

// The wait the latest read asked for, in milliseconds: hid_read_timeout's argument, -1 for a blocking
// hid_read; 0 before any read. Tests assert the bound a read was given instead of timing it.
int lastReadWait();

// Open handles right now (a leak check for tests).
int openHandles();

}  // namespace vmouse
