// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the kernel's hidraw driver does with the calls on one device node, for a virtual mouse's interface
// behind it: the ioctls hidapi uses (report descriptor, device info, names, feature reports) with their
// length rules and errors, output reports written to the node, and input reports read from it.
//
// As in the kernel, every open of the node has its own list of input reports: a report the device sends
// goes to each open list, a list is dropped when its opener closes the node, and while nobody has the node
// open the device keeps its reports (the host polls the device only while the node is open). After the
// device is unplugged every call fails as on a vanished device, except reads of reports already listed.
//
// No locking and no I/O: the test bed calls it under its own lock and turns the answers into system-call
// results.

#include "device_model.h"

#include <deque>
#include <map>
#include <optional>
#include <string>

namespace kernelbed {

using vmouse::Bytes;

// A system call's outcome: the result, and errno when the result is -1.
struct Answer
{
    long result = 0;
    int error = 0;
};

// One opener of the node (the test bed's handle of a client connection).
using Opener = const void *;

class HidrawNode
{
public:
    // `device` numbers the mouse in the log; `name` is the node's name ("hidraw1"), `hidName` and `phys`
    // what the kernel reports for HIDIOCGRAWNAME and HIDIOCGRAWPHYS.
    HidrawNode(vmouse::DeviceModel &model, int device, const vmouse::InterfaceSpec &iface, std::string name,
               std::string hidName, std::string phys);

    const std::string &name() const { return name_; }
    const Bytes &descriptor() const { return descriptor_; }

    // `arg` holds the request's argument (its _IOC_SIZE bytes), read and written in place.
    Answer ioctl(unsigned long request, uint8_t *arg, size_t size);
    Answer write(const uint8_t *data, size_t length);
    // The next listed report for the opener, cut to `capacity`; nothing while its list is empty and the
    // device is there (a blocking read waits for `deliver`).
    std::optional<Answer> read(Opener opener, uint8_t *out, size_t capacity);

    void open(Opener opener);
    void close(Opener opener);
    // Moves the reports the device has queued on this interface into every open list.
    void deliver();
    // True while some open list holds a report (what poll reports as readable).
    bool readable() const;
    bool listed(Opener opener) const;
    bool opened() const { return !lists_.empty(); }

    void unplug() { present_ = false; }
    bool present() const { return present_; }

    // What the node did since the last call, one readable line per call ("hidraw1 ioctl ...").
    std::vector<std::string> takeLog();

private:
    vmouse::Event event(vmouse::Kind kind) const;
    Answer sendFeature(const char *call, uint8_t *arg, size_t size);
    Answer getFeature(const char *call, uint8_t *arg, size_t size);
    Answer copyText(const std::string &text, uint8_t *arg, size_t size);
    void note(const std::string &call, const Answer &answer, const vmouse::Event *event = nullptr);

    vmouse::DeviceModel &model_;
    int device_;
    vmouse::InterfaceSpec iface_;
    std::string name_;
    std::string hidName_;
    std::string phys_;
    Bytes descriptor_;
    bool present_ = true;
    bool sizeAsked_ = false;
    std::map<Opener, std::deque<Bytes>> lists_;
    std::vector<std::string> log_;
};

}  // namespace kernelbed
