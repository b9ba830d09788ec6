// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_subjects.h"

#include "discovery.h"

#include <QElapsedTimer>
#include <QThread>

using vmouse::Family;

namespace {

// The caller's buffers of a command: 1, 2, 3 ... and four result bytes.
struct Buffers
{
    Buffers()
    {
        for (int i = 0; i < 128; ++i)
            data[i] = uchar(i + 1);
    }
    uchar data[128];
    uchar out[4] = {0x51, 0x52, 0x53, 0x54};
};

Subject command(const char *name, Family family, std::function<void(Hid_Thread &, Buffers &)> call,
                ViewFlags flags = {})
{
    return {QString::fromLatin1(name), family, flags, [call](BridgeFixture &f) {
                Buffers b;
                call(f.hid, b);
            }};
}

Subject slot(const char *name, Family family, ViewFlags flags, std::function<void(myQQuickView &)> call)
{
    const QString prefix = family == Family::F560 ? QStringLiteral("560 ") : QStringLiteral("553 ");
    return {prefix + QString::fromLatin1(name), family, flags, [call](BridgeFixture &f) { call(f.view()); }};
}

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

QVariantList withGunKey()
{
    std::vector<std::array<int, 4>> set = builtInSet();
    set[4] = {8, 0, 3, 0};   // a gun key with three guns
    return assignments(set);
}

// The listener start: the option exchange on the command interface, then the job on the listener
// interface until it has read the waiting DPI switch, stopped by itself, or opened its interface a second
// time (a failed read drops the switch with its handle, as the system does).
void startAndStopListener(BridgeFixture &f)
{
    vmouse::pushDpiSwitch(f.device, 3);
    f.hid.startListening(0);
    QElapsedTimer clock;
    clock.start();
    auto doneListening = [] {
        int opens = 0;
        for (const vmouse::Event &e : vmouse::log()) {
            if (e.kind == vmouse::Kind::Input)
                return true;
            opens += e.kind == vmouse::Kind::Open && e.interfaceNumber == 2;
        }
        return opens >= 2;
    };
    while (f.hid.listenerRunning && !doneListening() && clock.elapsed() < 3000)
        QThread::msleep(2);
    f.hid.stopListening();
    f.hid.listenJob.waitForFinished();
}

}  // namespace

QByteArray matrixConfig(bool encoded, int reportLength)
{
    return QStringLiteral("[common]\ndeviceCount=1\n\n[0]\ntype=1\nvid=5a50\npid=0714\nusagePage=ff00\nusage=ff00\n"
                          "usagePage2=ff01\nusage2=ff01\nreportLength=%1\nisEncode=%2\nsCode=318274\n")
        .arg(reportLength)
        .arg(encoded ? QStringLiteral("true") : QStringLiteral("false"))
        .toLatin1();
}

std::vector<Subject> commandSubjects()
{
    using H = Hid_Thread;
    using B = Buffers;
    std::vector<Subject> all = {
        command("553 00H", Family::F553, [](H &h, B &b) { h.hid553_00H_GetSecrecyCode(b.out[0], b.out[1], b.out[2], b.out[3]); }),
        command("553 01H", Family::F553, [](H &h, B &) { h.hid553_01H_SetReportRate(3); }),
        command("553 02H", Family::F553, [](H &h, B &) { h.hid553_02H_SetCurrentKeyMatrix(2); }),
        command("553 03H", Family::F553, [](H &h, B &) { h.hid553_03H_SetKeyboardoption(1, 2, 3, 4); }),
        command("553 04H", Family::F553, [](H &h, B &) { h.hid553_04H_SetGunData(1, 2, 3, 4); }),
        command("553 07H", Family::F553, [](H &h, B &) { h.hid553_07H_Lod(5, 1); }),
        command("553 0BH", Family::F553, [](H &h, B &) { h.hid553_0BH_SetCurrentDPI(2); }),
        command("553 0CH", Family::F553, [](H &h, B &b) { h.hid553_0CH_SetFixLEDColor(b.data); }),
        command("553 0DH", Family::F553, [](H &h, B &) { h.hid553_0DH_SetRGBLedEffect(4, 5, 6); }),
        command("553 10H type 1", Family::F553, [](H &h, B &b) { h.hid553_10H_SetLED8StageColor(1, b.data); }),
        command("553 10H type 2", Family::F553, [](H &h, B &b) { h.hid553_10H_SetLED8StageColor(2, b.data); }),
        command("553 11H", Family::F553, [](H &h, B &b) { h.hid553_11H_SetDPISet(3, b.data); }),
        command("553 12H", Family::F553, [](H &h, B &b) { h.hid553_12H_SetKeyMatrix(b.data, 2); }),
        command("553 13H", Family::F553, [](H &h, B &b) { h.hid553_13H_SetMacroKey(5, b.data); }),
        command("553 83H", Family::F553, [](H &h, B &b) { h.hid553_83H_GetKeyboardoption(b.out[0], b.out[1], b.out[2], b.out[3]); }),
        command("553 8BH", Family::F553, [](H &h, B &b) { h.hid553_8BH_GetCurrentDPI(b.out[0]); }),
        command("560 01H", Family::F560, [](H &h, B &) { h.hid560_01H_SetKeyboardoption(1, 2); }),
        command("560 02H", Family::F560, [](H &h, B &) { h.hid560_02H_SetCurrentProfile(3); }),
        command("560 03H", Family::F560, [](H &h, B &) { h.hid560_03H_SetReportRate(7); }),
        command("560 03H gun device", Family::F560, [](H &h, B &) { h.hid560_03H_SetReportRate(7); }, {.gun = true}),
        command("560 04H", Family::F560, [](H &h, B &) { h.hid560_04H_SetCurrentDPI(3); }),
        command("560 0CH", Family::F560, [](H &h, B &b) { h.hid560_0CH_setProfile(b.data, 2); }),
        command("560 0DH", Family::F560, [](H &h, B &b) { h.hid560_0DH_SetKeyMatrix(b.data, 1); }),
        command("560 0FH", Family::F560, [](H &h, B &b) { h.hid560_0FH_SetMacroKey(4, b.data); }),
        command("560 81H", Family::F560, [](H &h, B &b) { h.hid560_81H_GetKeyboardoption(b.out[0], b.out[1]); }),
        command("560 82H", Family::F560, [](H &h, B &b) { h.hid560_82H_GetCurrentProfile(b.out[0]); }),
        command("560 84H", Family::F560, [](H &h, B &b) { b.out[0] = 1; h.hid560_84H_GetCurrentDPI(b.out[0], b.out[1]); }),
        command("560 8CH", Family::F560, [](H &h, B &b) { h.hid560_8CH_readProfile(b.data, 2); }),
        command("553 handshake", Family::F553, [](H &h, B &) { h.chkDeviceIsEnCode(0); }),
        command("560 handshake", Family::F560, [](H &h, B &) { h.chkDeviceIsEnCode(0); }),
        command("discovery pass", Family::F553, [](H &h, B &) { discoverDevice(h, kMatrixConfig); }),
    };
    for (Family family : {Family::F553, Family::F560}) {
        Subject listener{family == Family::F560 ? QStringLiteral("560 listener start") : QStringLiteral("553 listener start"),
                         family, {}, startAndStopListener, true};
        all.push_back(listener);
    }
    return all;
}

std::vector<Subject> slotSubjects()
{
    using V = myQQuickView;
    const QVariantList dpiValues = numbers({800, 6000, 16000, 12800, 400, 1000, 12799, 100});
    const QVariantList colours = numbers({255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const QVariantList macro = numbers({0, 1, 0, 4, 0x81, 0, 1, 0, 0, 0});
    std::vector<Subject> all;
    for (Family family : {Family::F553, Family::F560}) {
        const ViewFlags plain{};
        const ViewFlags gun{.gun = true};
        const ViewFlags colourful{.colorful = true};
        all.push_back(slot("mouseSetKeyMatrix", family, plain,
                           [](V &v) { v.mouseSetKeyMatrix(assignments(builtInSet()), true, numbers({1, 2, 3})); }));
        all.push_back(slot("mouseSetKeyMatrix gun key", family, gun,
                           [](V &v) { v.mouseSetKeyMatrix(withGunKey(), true, numbers({4, 5, 6})); }));
        all.push_back(slot("mouseResetKeyMatrix", family, gun, [](V &v) { v.mouseResetKeyMatrix(); }));
        all.push_back(slot("mouseSwitchKeyMatrix", family, gun, [](V &v) { v.mouseSwitchKeyMatrix(2); }));
        all.push_back(slot("mouseSetDpi", family, plain, [dpiValues](V &v) { v.mouseSetDpi(4, "3389", dpiValues); }));
        all.push_back(slot("mouseSetDpi gun", family, gun, [dpiValues](V &v) { v.mouseSetDpi(8, "3360", dpiValues); }));
        all.push_back(slot("mouseSetCurrentDPI", family, plain, [](V &v) { v.mouseSetCurrentDPI(3); }));
        all.push_back(slot("mouseGetCurrentDPI", family, plain, [](V &v) { v.mouseGetCurrentDPI(); }));
        all.push_back(slot("mouseSetReportRate", family, plain, [](V &v) { v.mouseSetReportRate(3, 1); }));
        all.push_back(slot("mouseSetKeyboardoption", family, plain, [](V &v) { v.mouseSetKeyboardoption(1, 2, 3, 4); }));
        all.push_back(slot("GetKeyboardoption", family, plain, [](V &v) { v.GetKeyboardoption(); }));
        all.push_back(slot("mouseSetRGBEffect colourful", family, colourful, [](V &v) { v.mouseSetRGBEffect(2, 3, 4); }));
        all.push_back(slot("mouseSetRGBEffect single colour", family, plain, [](V &v) { v.mouseSetRGBEffect(1, 2, 3); }));
        all.push_back(slot("mouseSetRGBEffect single colour gun", family, gun, [](V &v) { v.mouseSetRGBEffect(1, 2, 3); }));
        all.push_back(slot("mouseSetRGBColor colourful", family, colourful, [colours](V &v) { v.mouseSetRGBColor(0, colours); }));
        all.push_back(slot("mouseSetRGBColor single colour", family, plain, [colours](V &v) { v.mouseSetRGBColor(1, colours); }));
        all.push_back(slot("mouseSendMacroData", family, plain, [macro](V &v) { v.mouseSendMacroData(macro, 5); }));
        all.push_back(slot("mouseSendGundata", family, gun, [](V &v) { v.mouseSendGundata(1, numbers({5, -3, 4})); }));
        if (family == Family::F553) {
            all.push_back(slot("mouseSetRGBColor 55328 eight colours", family, {.is55328 = true},
                               [colours](V &v) { v.mouseSetRGBColor(0, colours); }));
            all.push_back(slot("mouseSetRGBColor 55328 one colour", family, {.is55328 = true},
                               [](V &v) { v.mouseSetRGBColor(0, numbers({1, 2, 3})); }));
        } else {
            all.push_back(slot("mouseSetProfile", family, plain, [](V &v) { v.mouseSetProfile(1); }));
            all.push_back(slot("mouseReadProfile", family, plain, [](V &v) { v.mouseReadProfile(1); }));
            all.push_back(slot("mouseReadCurrentProfile", family, plain, [](V &v) { v.mouseReadCurrentProfile(); }));
            // What accepting a gun mouse does (its five blocks downloaded into a fresh view), then a DPI
            // change: a block whose download failed is read again before it is sent, or not sent at all.
            all.push_back(slot("download at connect, then mouseSetDpi", family, gun, [dpiValues](V &v) {
                for (int n = 0; n < 5; ++n) {
                    std::fill(std::begin(v.profileBlocks[n]), std::end(v.profileBlocks[n]), uchar(0));
                    v.profileBlockWhole[n] = false;
                }
                for (uint n = 0; n < 5; ++n)
                    v.mouseReadProfile(n);
                v.mouseSetDpi(8, "3360", dpiValues);
            }));
        }
    }
    return all;
}
