// SPDX-License-Identifier: GPL-3.0-or-later
// The device list of the global settings file: any file content gives a list of at most 256 entries, the
// same whether read in the store's format or the library's own, and discovery with it never fails.

#include "discovery.h"
#include "fuzz_support.h"
#include "hid_thread.h"
#include "settings_format.h"
#include "virtual_mouse.h"

#include <QFile>

namespace {

class NoPauses final : public Sleeper
{
public:
    void sleep(int) override {}
    qint64 epochSeconds() const override { return 1'700'000'000; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication();
    hid_init();
    vmouse::addDevice(vmouse::demoMouse());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzz::workFolder() + QStringLiteral("/apConfig.bin");
    static const QString copy = fuzz::workFolder() + QStringLiteral("/copy.bin");
    fuzz::writeFresh(path, data, size);
    fuzz::writeFresh(copy, data, size);
    DeviceList ours = readDeviceList(path, settingsFormat());
    const DeviceList library = readDeviceList(copy);

    FUZZ_ASSERT(ours.size() <= kMaxDeviceEntries);
    FUZZ_ASSERT(ours.size() == library.size());
    for (qsizetype i = 0; i < ours.size(); ++i) {
        const DeviceEntry &a = ours.at(i);
        const DeviceEntry &b = library.at(i);
        FUZZ_ASSERT(a.type == b.type && a.vid == b.vid && a.pid == b.pid && a.usagePage == b.usagePage);
        FUZZ_ASSERT(a.usage == b.usage && a.usagePage2 == b.usagePage2 && a.usage2 == b.usage2);
        FUZZ_ASSERT(a.reportLength == b.reportLength && a.isEncode == b.isEncode && a.sCode == b.sCode);
        FUZZ_ASSERT(a.commandPath.isEmpty() && a.listenPath.isEmpty());
    }

    // Discovery with the list: paths found for the virtual mouse where an entry names it; the handshake
    // with entries that could be it. Whatever the list says, it ends, and the transport is free.
    findDevicePaths(ours);
    static NoPauses sleeper;
    Hid_Thread hid;
    hid.setSleeper(&sleeper);
    hid.deviceList = ours;
    acceptFirstDevice(hid);
    FUZZ_ASSERT(hid.hidIdle);
    FUZZ_ASSERT(vmouse::openHandles() == 0);

    // The hexadecimal fields: any 16-bit value written in hex reads back.
    if (size >= 2) {
        const quint16 value = quint16(data[0] << 8 | data[1]);
        FUZZ_ASSERT(parseHex16(QString::number(value, 16)) == value);
        FUZZ_ASSERT(parseHex16(QStringLiteral(" 0X") + QString::number(value, 16).toUpper()) == value);
    }
    return 0;
}
