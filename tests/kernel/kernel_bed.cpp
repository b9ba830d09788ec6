// SPDX-License-Identifier: GPL-3.0-or-later
#include "kernel_bed.h"

#include "device_model.h"
#include "hidraw_node.h"

#include <umockdev.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <set>

namespace kernelbed {

namespace {

constexpr int kHidrawMajor = 243;
constexpr int kDoorbellWaitMs = 2000;

std::string hex4(unsigned value, bool upper)
{
    char text[8];
    std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value & 0xFFFF);
    return text;
}

std::string narrow(const std::wstring &text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

// umockdev's add_devicev with name/value lists; returns the new device's syspath ("/sys/devices/...").
std::string addDevice(UMockdevTestbed *testbed, const char *subsystem, const std::string &name,
                      const std::string &parent, const std::vector<std::string> &attributes,
                      const std::vector<std::string> &properties)
{
    auto strv = [](const std::vector<std::string> &list) {
        std::vector<gchar *> out;
        for (const std::string &s : list)
            out.push_back(const_cast<gchar *>(s.c_str()));
        out.push_back(nullptr);
        return out;
    };
    std::vector<gchar *> attrs = strv(attributes);
    std::vector<gchar *> props = strv(properties);
    gchar *path = umockdev_testbed_add_devicev(testbed, subsystem, name.c_str(),
                                               parent.empty() ? nullptr : parent.c_str(), attrs.data(), props.data());
    const std::string syspath = path ? path : "";
    g_free(path);
    return syspath;
}

}  // namespace

// One hidraw node: the kernel's rules for it, its umockdev handler and its doorbell.
struct KernelBed::Node
{
    Node(KernelBed &bed, vmouse::DeviceModel &model, int device, const vmouse::InterfaceSpec &iface,
         const std::string &name, const std::string &hidName, const std::string &phys)
        : bed(bed)
        , rules(model, device, iface, name, hidName, phys)
        , devnode("/dev/" + name)
    {
    }

    std::recursive_mutex &lock() { return bed.lock_; }
    void closed() { bed.closed_.notify_all(); }

    KernelBed &bed;
    HidrawNode rules;
    std::string devnode;
    std::string syspath;     // the hidraw device
    std::string parents[2];  // its hid device and USB interface
    UMockdevIoctlBase *handler = nullptr;
    int master = -1;         // the terminal's controlling end (umockdev's)
    int doorbell = -1;       // our own opening of the node's terminal, to take the doorbell byte back
    bool rung = false;
    std::set<UMockdevIoctlClient *> waitingReads;   // blocking reads with nothing listed yet (referenced)

    void ring(bool on)
    {
        if (on == rung || master < 0)
            return;
        if (on) {
            const char byte = 1;
            if (::write(master, &byte, 1) == 1) {
                // The byte reaches the terminal's reader side asynchronously: wait until poll() sees it, so
                // a later take-back cannot miss it.
                pollfd fd{doorbell, POLLIN, 0};
                ::poll(&fd, 1, kDoorbellWaitMs);
            }
        } else {
            char bytes[64];
            while (::read(doorbell, bytes, sizeof bytes) > 0) {
            }
        }
        rung = on;
    }

    // After every change: waiting reads get what is listed now (or the error of a vanished device), the
    // doorbell follows the lists, and the log goes out.
    void settle()
    {
        std::vector<UMockdevIoctlClient *> done;
        for (auto it = waitingReads.begin(); it != waitingReads.end();) {
            UMockdevIoctlClient *client = *it;
            UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
            // A client whose connection ended has nobody left to answer.
            const auto answer = umockdev_ioctl_client_get_connected(client)
                                    ? rules.read(client, arg->data, size_t(arg->data_len))
                                    : std::optional<Answer>(Answer{});
            if (!answer) {
                ++it;
                continue;
            }
            if (umockdev_ioctl_client_get_connected(client))
                umockdev_ioctl_client_complete(client, answer->result, answer->error);
            done.push_back(client);
            it = waitingReads.erase(it);
        }
        // (The last reference of an ended client calls onClientGone, which takes the lock again.)
        for (UMockdevIoctlClient *client : done)
            g_object_unref(client);
        ring(rules.readable());
        for (const std::string &line : rules.takeLog())
            bed.output_(line);
    }

    void hangUp()
    {
        rung = false;
        for (int *fd : {&master, &doorbell}) {
            if (*fd >= 0)
                ::close(*fd);
            *fd = -1;
        }
    }
};

struct KernelBed::Mouse
{
    std::unique_ptr<vmouse::DeviceModel> model;
    int number = 0;
    bool plugged = false;
    std::string usbSyspath;
    std::vector<Node *> nodes;   // of the current plug-in; owned by `all`
    // Every node ever made: a program may still hold a node of an earlier plug-in, whose calls must keep
    // failing as on a vanished device.
    std::vector<std::unique_ptr<Node>> all;
};

namespace {

using Node = KernelBed::Node;

gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data);
gboolean onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data);
gboolean onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data);
void onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data);
void onClientGone(gpointer data, GObject *client);

}  // namespace

KernelBed::KernelBed(Output output)
    : output_(std::move(output))
    , testbed_(umockdev_testbed_new())
{
    // Node numbers the system does not use itself: a path that outlives its node must never reach a real
    // device.
    while (::access(("/dev/hidraw" + std::to_string(nextNode_)).c_str(), F_OK) == 0)
        ++nextNode_;
    // Programs of another user must be able to read the tree and to make their uevent sockets in it.
    const std::string dir = root();
    ::chmod(dir.c_str(), 01777);
}

KernelBed::~KernelBed()
{
    {
        // The program's connections end on umockdev's thread after the program: the test bed goes only
        // when they are closed (or after a while).
        std::unique_lock guard(lock_);
        closed_.wait_for(guard, std::chrono::seconds(3), [this] {
            for (const auto &mouse : mice_)
                for (const auto &node : mouse->all)
                    if (node->rules.opened())
                        return false;
            return true;
        });
    }
    g_object_unref(testbed_);
    for (auto &mouse : mice_) {
        for (auto &node : mouse->all) {
            node->hangUp();
            for (UMockdevIoctlClient *client : node->waitingReads)
                g_object_unref(client);
            if (node->handler)
                g_object_unref(node->handler);
        }
    }
}

std::string KernelBed::root() const
{
    gchar *dir = umockdev_testbed_get_root_dir(testbed_);
    const std::string text = dir ? dir : "";
    g_free(dir);
    return text;
}

int KernelBed::addMouse(const vmouse::DeviceSpec &spec)
{
    std::lock_guard guard(lock_);
    auto mouse = std::make_unique<Mouse>();
    mouse->model = std::make_unique<vmouse::DeviceModel>(spec);
    mouse->number = int(mice_.size()) + 1;
    mice_.push_back(std::move(mouse));
    return int(mice_.size());
}

KernelBed::Mouse *KernelBed::mouseAt(int mouse)
{
    return mouse >= 1 && mouse <= int(mice_.size()) ? mice_[size_t(mouse - 1)].get() : nullptr;
}

bool KernelBed::plug(int number)
{
    Mouse *mouse = mouseAt(number);
    if (!mouse || mouse->plugged)
        return false;
    const vmouse::DeviceSpec &spec = mouse->model->spec();
    const std::string vid = hex4(spec.vid, false), pid = hex4(spec.pid, false);
    const std::string port = "1-" + std::to_string(mouse->number);
    const std::string product = narrow(spec.product);
    mouse->usbSyspath = addDevice(testbed_, "usb", port, std::string(),
                                  {"idVendor", vid, "idProduct", pid, "bcdDevice", "0100", "manufacturer", "Virtual",
                                   "product", product, "busnum", "1", "devnum", std::to_string(mouse->number + 1)},
                                  {"DEVTYPE", "usb_device", "PRODUCT", vid + "/" + pid + "/100"});
    mouse->nodes.clear();
    for (const vmouse::InterfaceSpec &iface : spec.interfaces) {
        const std::string number2 = (iface.number < 10 ? "0" : "") + std::to_string(iface.number);
        const std::string intf = addDevice(testbed_, "usb", port + ":1." + std::to_string(iface.number),
                                           mouse->usbSyspath,
                                           {"bInterfaceNumber", number2, "bInterfaceClass", "03"},
                                           {"DEVTYPE", "usb_interface", "INTERFACE", "3/0/0"});
        const std::string hidName = "0003:" + hex4(spec.vid, true) + ":" + hex4(spec.pid, true) + "." +
                                    hex4(unsigned(nextHid_++), true);
        const std::string phys = "usb-0000:00:14.0-" + std::to_string(mouse->number) + "/input" +
                                 std::to_string(iface.number);
        const std::string hid = addDevice(testbed_, "hid", hidName, intf, {},
                                          {"DRIVER", "hid-generic",
                                           "HID_ID", "0003:0000" + hex4(spec.vid, true) + ":0000" + hex4(spec.pid, true),
                                           "HID_NAME", product, "HID_PHYS", phys, "HID_UNIQ", "",
                                           "MODALIAS", "hid:b0003g0001v0000" + hex4(spec.vid, true) + "p0000" +
                                                           hex4(spec.pid, true)});

        const int minor = nextNode_++;
        const std::string name = "hidraw" + std::to_string(minor);
        auto owned = std::make_unique<Node>(*this, *mouse->model, mouse->number, iface, name, product, phys);
        Node *node = owned.get();
        node->syspath = hid + "/hidraw/" + name;
        node->parents[0] = hid;
        node->parents[1] = intf;
        vmouse::Bytes descriptor = node->rules.descriptor();
        umockdev_testbed_set_attribute_binary(testbed_, hid.c_str(), "report_descriptor", descriptor.data(),
                                              int(descriptor.size()));

        node->handler = umockdev_ioctl_base_new();
        g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(onIoctl), node);
        g_signal_connect(node->handler, "handle-read", G_CALLBACK(onRead), node);
        g_signal_connect(node->handler, "handle-write", G_CALLBACK(onWrite), node);
        g_signal_connect(node->handler, "client-connected", G_CALLBACK(onConnected), node);
        GError *error = nullptr;
        if (!umockdev_testbed_attach_ioctl(testbed_, node->devnode.c_str(), node->handler, &error)) {
            output_("bed: cannot attach to " + node->devnode + ": " + (error ? error->message : "?"));
            g_clear_error(&error);
        }
        // umockdev's preload connects to the handler's socket on every open of the node, even one the
        // node's mode refuses, and ends the program when it cannot: anyone may connect to it, the node's own
        // mode (below) decides who may open it.
        ::chmod((root() + "/ioctl" + node->devnode).c_str(), 0666);

        // The node in umockdev's record form: its N: line makes the device file (a pseudo terminal).
        const std::string dev = std::to_string(kHidrawMajor) + ":" + std::to_string(minor);
        const std::string record = "P: " + node->syspath.substr(4) + "\nN: " + name + "\nE: SUBSYSTEM=hidraw\n" +
                                   "E: DEVNAME=/dev/" + name + "\nE: MAJOR=" + std::to_string(kHidrawMajor) +
                                   "\nE: MINOR=" + std::to_string(minor) + "\nA: dev=" + dev +
                                   "\nL: device=../../../" + hidName + "\n";
        {
            std::lock_guard guard(lock_);
            if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
                output_("bed: cannot add " + name + ": " + (error ? error->message : "?"));
                g_clear_error(&error);
            }
            // The kernel's own mode for a hidraw node (udev rules may grant more): root only.
            char terminal[PATH_MAX] = {};
            const std::string file = root() + node->devnode;
            if (::readlink(file.c_str(), terminal, sizeof terminal - 1) > 0) {
                ::chmod(terminal, 0600);
                node->doorbell = ::open(terminal, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            }
            node->master = umockdev_testbed_get_dev_fd(testbed_, node->devnode.c_str());
            mouse->nodes.push_back(node);
            mouse->all.push_back(std::move(owned));
            mouse->plugged = true;
        }
    }
    std::string names;
    for (Node *node : mouse->nodes)
        names += " " + node->devnode;
    std::lock_guard guard(lock_);
    output_("bed: mouse " + std::to_string(number) + " plugged in:" + names);
    return true;
}

void KernelBed::removeDevice(const std::string &syspath)
{
    umockdev_testbed_uevent(testbed_, syspath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, syspath.c_str());
}

bool KernelBed::unplug(int number)
{
    Mouse *mouse = mouseAt(number);
    if (!mouse || !mouse->plugged)
        return false;
    mouse->plugged = false;
    for (Node *node : mouse->nodes) {
        GError *error = nullptr;
        if (!umockdev_testbed_detach_ioctl(testbed_, node->devnode.c_str(), &error))
            g_clear_error(&error);
        // The node goes first, so that no new open can reach the vanishing device; then every call on it
        // fails, open ones hang up (poll reports POLLHUP) and blocked reads fail.
        removeDevice(node->syspath);
        std::lock_guard guard(lock_);
        node->rules.unplug();
        node->hangUp();
        node->settle();
    }
    for (Node *node : mouse->nodes) {
        removeDevice(node->parents[0]);
        removeDevice(node->parents[1]);
    }
    removeDevice(mouse->usbSyspath);
    std::lock_guard guard(lock_);
    output_("bed: mouse " + std::to_string(number) + " unplugged");
    return true;
}

bool KernelBed::notice(int number)
{
    Mouse *mouse = mouseAt(number);
    if (!mouse || !mouse->plugged)
        return false;
    for (Node *node : mouse->nodes)
        umockdev_testbed_uevent(testbed_, node->syspath.c_str(), "change");
    return true;
}

int KernelBed::switchDpi(int number, int stage)
{
    std::lock_guard guard(lock_);
    Mouse *mouse = mouseAt(number);
    if (!mouse)
        return 0;
    const uint8_t v = stage > 0 ? uint8_t(stage) : mouse->model->nextDpiStage(4);
    mouse->model->switchDpi(v);
    if (mouse->plugged) {
        for (Node *node : mouse->nodes) {
            node->rules.deliver();
            node->settle();
        }
    }
    return v;
}

std::string KernelBed::describe(int number)
{
    std::lock_guard guard(lock_);
    Mouse *mouse = mouseAt(number);
    if (!mouse)
        return "no mouse " + std::to_string(number);
    const vmouse::DeviceState &s = mouse->model->state;
    std::string line = "mouse " + std::to_string(number) + (mouse->plugged ? " plugged in" : " unplugged");
    for (Node *node : mouse->nodes)
        line += " " + node->devnode;
    auto keys = [](const auto &map) {
        std::string out;
        for (const auto &entry : map)
            out += (out.empty() ? "" : ",") + std::to_string(entry.first);
        return "[" + out + "]";
    };
    char options[32];
    std::snprintf(options, sizeof options, "%02x %02x %02x %02x", s.options553[0], s.options553[1],
                  s.options553[2], s.options553[3]);
    line += ", dpi stage " + std::to_string(s.currentDpiStage) + ", commands " + std::to_string(s.commandsReceived) +
            ", bad checksums " + std::to_string(s.badChecksums) + ", options " + options + ", dpi tables " +
            keys(s.dpiTables) + ", key matrices " + keys(s.keyMatrices) + ", macros " + keys(s.macros);
    return line;
}

namespace {

// umockdev frees a client when its connection has ended (the program closed the node); it tells nothing
// else about the close.
void onClientGone(gpointer data, GObject *client)
{
    Node *node = static_cast<Node *>(data);
    std::lock_guard guard(node->lock());
    node->rules.close(client);
    node->ring(node->rules.readable());
    node->closed();
}

void onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
    Node *node = static_cast<Node *>(data);
    g_object_weak_ref(G_OBJECT(client), onClientGone, node);
    std::lock_guard guard(node->lock());
    node->rules.open(client);
    node->settle();
}

gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
    Node *node = static_cast<Node *>(data);
    const gulong request = umockdev_ioctl_client_get_request(client);
    const size_t size = _IOC_SIZE(request);
    UMockdevIoctlData *arg = nullptr;
    if (_IOC_TYPE(request) == 'H' && size > 0) {
        GError *error = nullptr;
        arg = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, &error);
        g_clear_error(&error);
        if (!arg) {
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return TRUE;
        }
    }
    Answer answer;
    {
        std::lock_guard guard(node->lock());
        answer = node->rules.ioctl(request, arg ? arg->data : nullptr, arg ? size : 0);
        node->settle();
    }
    umockdev_ioctl_client_complete(client, answer.result, answer.error);
    if (arg)
        g_object_unref(arg);
    return TRUE;
}

gboolean onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
    Node *node = static_cast<Node *>(data);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    std::lock_guard guard(node->lock());
    if (const auto answer = node->rules.read(client, arg->data, size_t(arg->data_len)))
        umockdev_ioctl_client_complete(client, answer->result, answer->error);
    else
        node->waitingReads.insert(static_cast<UMockdevIoctlClient *>(g_object_ref(client)));
    node->settle();
    return TRUE;
}

gboolean onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer data)
{
    Node *node = static_cast<Node *>(data);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    Answer answer;
    {
        std::lock_guard guard(node->lock());
        answer = node->rules.write(arg->data, size_t(arg->data_len));
        node->settle();
    }
    umockdev_ioctl_client_complete(client, answer.result, answer.error);
    return TRUE;
}

}  // namespace

}  // namespace kernelbed
