// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An emulated kernel for the unchanged program, built with umockdev: the sysfs tree of each virtual mouse
// (its USB device, the USB interfaces, a hid device per interface with its report descriptor, and the
// hidraw node of each), the nodes' calls answered from the mouse's device model through HidrawNode, and
// the uevents of plugging in and unplugging.
//
// Each node is backed by umockdev's pseudo terminal (so that poll() works on it) and a handler of its
// ioctl, read and write calls. The terminal is only the node's doorbell: one byte waits in it exactly
// while a report is listed for an opener, so poll() says "readable" as the kernel would; the reports
// themselves travel through the read handler, one report per read. Unplugging removes the tree (remove
// uevents, the nodes gone) and then hangs the terminals up, which is how poll() on an open node tells a
// vanished device (POLLHUP). Plugging in again makes new nodes, with new numbers, as the kernel does.
//
// The process must run under umockdev-wrapper: the test bed's checks of the devices it adds go through
// umockdev's preload library. Handlers run on umockdev's worker thread, the control calls on the caller's;
// one lock keeps them apart.

#include "virtual_mouse.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace kernelbed {

class KernelBed
{
public:
    // Every line the nodes log and every control answer go to `output`, from either thread.
    using Output = std::function<void(const std::string &line)>;
    explicit KernelBed(Output output);
    ~KernelBed();
    KernelBed(const KernelBed &) = delete;
    KernelBed &operator=(const KernelBed &) = delete;

    // The test bed's root: the value of UMOCKDEV_DIR for the programs that are to see it.
    std::string root() const;

    // A mouse on the next USB port, not plugged in yet; returns its number (from 1).
    int addMouse(const vmouse::DeviceSpec &spec);
    int mice() const { return int(mice_.size()); }
    bool plug(int mouse);
    bool unplug(int mouse);
    // A "change" uevent for each of the mouse's nodes, as udev sends when a rule is applied again.
    bool notice(int mouse);
    // The DPI button on the mouse (stage 0: the next of four stages); returns the stage, 0 when there is
    // no such mouse.
    int switchDpi(int mouse, int stage);
    // One line: plugged or not, the nodes, and what the mouse holds.
    std::string describe(int mouse);

    struct Node;
    struct Mouse;

private:
    Mouse *mouseAt(int mouse);
    void removeDevice(const std::string &syspath);

    Output output_;
    UMockdevTestbed *testbed_ = nullptr;
    // Recursive: dropping the last reference of a client (under the lock) ends in its close handler.
    std::recursive_mutex lock_;
    std::condition_variable_any closed_;   // a client closed a node
    std::vector<std::unique_ptr<Mouse>> mice_;
    int nextNode_ = 0;
    int nextHid_ = 1;
};

}  // namespace kernelbed
