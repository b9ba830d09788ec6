// SPDX-License-Identifier: GPL-3.0-or-later
// Macros from file to mouse: any macro file (an import can be any text) is read by the store's loader,
// turned into actions and device bytes by the interface's macro code (MacroCode.js, run here by the same
// script engine), and uploaded by the bridge. The actions survive being stored again, the bytes are bytes,
// their count is what the editor's byte counter says, and the mouse receives them exactly (with zeros
// after) or, above 128 bytes, nothing.

#include "fuzz_support.h"
#include "hid_thread.h"
#include "my_quick_view.h"
#include "sleeper.h"
#include "virtual_mouse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>

namespace {

class NoSleeper final : public Sleeper
{
public:
    void sleep(int) override {}
    qint64 epochSeconds() const override { return 1'700'000'000; }
};

struct Bench
{
    QJSEngine engine;
    QJSValue code;
    NoSleeper sleeper;
    Hid_Thread hid;
    int device = 0;
    myQQuickView *view = nullptr;
};

Bench *bench = nullptr;

QJSValue call(const char *function, const QJSValueList &args)
{
    const QJSValue result = bench->code.property(QLatin1String(function)).call(args);
    FUZZ_ASSERT(!result.isError());
    return result;
}

// The key code the editor would find for a key name (any name maps to some byte).
QJSValue codeOf()
{
    return bench->engine.evaluate(QStringLiteral("(function (name) { var s = String(name); "
                                                 "return s.length ? s.charCodeAt(0) & 0xFF : 0 })"));
}

}  // namespace

// The script engine keeps its objects in memory of its own, which the leak check does not scan: every
// text only they hold would count as leaked, after each input. Leaks of this target go unchecked.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication(true);
    fuzz::workFolder(true);
    QDir().mkpath(QStringLiteral("modules/macro"));
    hid_init();
    bench = new Bench;
    QFile source(QStringLiteral(ZEPHRA_SOURCE_DIR "/modules/qml/common/MacroCode.js"));
    if (!source.open(QIODevice::ReadOnly))
        std::abort();
    QString text = QString::fromUtf8(source.readAll());
    text.replace(QLatin1String(".pragma library"), QString());
    bench->code = bench->engine.newObject();
    const QJSValue module = bench->engine.evaluate(QStringLiteral("(function () {\n") + text +
                                                   QStringLiteral("\nreturn { parseStored: parseStored, storedTexts: storedTexts, "
                                                                  "deCode: deCode, recordCount: recordCount }; })()"));
    if (module.isError())
        std::abort();
    bench->code = module;

    vmouse::DeviceSpec spec = vmouse::demoMouse(vmouse::Family::F553, true);
    bench->device = vmouse::addDevice(spec);
    DeviceEntry entry;
    entry.vid = spec.vid;
    entry.pid = spec.pid;
    entry.isEncode = true;
    entry.commandPath = QString::fromStdString(vmouse::pathOf(bench->device, 1));
    bench->hid.deviceList = {entry};
    bench->hid.currentDeviceIndex = 0;
    const QByteArray code = entry.sCode.toLatin1();
    for (int i = 0; i < 6; ++i)
        bench->hid.deviceSecrecyCode[i + 1] = uchar(code[i]);
    bench->hid.setSleeper(&bench->sleeper);
    bench->view = new myQQuickView;
    bench->view->icType = QStringLiteral("553");
    bench->view->hidThread = &bench->hid;
    bench->hid.setTraits(bench->view->deviceTraits());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::writeFresh(QStringLiteral("modules/macro/Fuzzed.bin"), data, size);
    const QStringList stored = bench->view->loadMacroIni(QStringLiteral("Fuzzed"));
    FUZZ_ASSERT(!stored.isEmpty());   // at least the repeat count

    const QJSValue parsed = call("parseStored", {bench->engine.toScriptValue(stored)});
    const QJSValue actions = parsed.property(QStringLiteral("actions"));
    const int count = actions.property(QStringLiteral("length")).toInt();
    FUZZ_ASSERT(count <= stored.size() - 1);
    for (int i = 0; i < count; ++i) {
        const int type = actions.property(quint32(i)).property(QStringLiteral("type")).toInt();
        FUZZ_ASSERT(type >= 0 && type <= 4);
    }
    const int repeat = parsed.property(QStringLiteral("repeat")).toInt();
    FUZZ_ASSERT(repeat >= 1 && repeat <= 65535);

    // Stored again and read back, the actions are the same.
    QJSValue texts = call("storedTexts", {actions});
    texts.setProperty(quint32(count), QString::number(repeat));
    const QJSValue again = call("parseStored", {texts});
    FUZZ_ASSERT(again.property(QStringLiteral("repeat")).toInt() == repeat);
    const QJSValue actionsAgain = again.property(QStringLiteral("actions"));
    FUZZ_ASSERT(actionsAgain.property(QStringLiteral("length")).toInt() == count);
    for (int i = 0; i < count; ++i) {
        for (const char *field : {"type", "info"}) {
            FUZZ_ASSERT(actions.property(quint32(i)).property(QLatin1String(field)).toString() ==
                        actionsAgain.property(quint32(i)).property(QLatin1String(field)).toString());
        }
    }

    // The device bytes.
    const QJSValue bytes = call("deCode", {actions, QJSValue(repeat), codeOf()});
    const int length = bytes.property(QStringLiteral("length")).toInt();
    FUZZ_ASSERT(length >= 2);
    QVariantList macro;
    for (int i = 0; i < length; ++i) {
        const QJSValue b = bytes.property(quint32(i));
        FUZZ_ASSERT(b.isNumber());
        const double v = b.toNumber();
        FUZZ_ASSERT(v >= 0 && v <= 255 && v == double(int(v)));
        macro << int(v);
    }
    if (length > 2)
        FUZZ_ASSERT(length == call("recordCount", {actions}).toInt());

    // The upload: exactly these bytes and zeros after them, or nothing when they do not fit.
    vmouse::clearLog();
    vmouse::DeviceState cleared = vmouse::state(bench->device);
    cleared.macros.clear();
    vmouse::setState(bench->device, cleared);
    bench->view->mouseSendMacroData(macro, 3);
    const auto macros = vmouse::state(bench->device).macros;
    FUZZ_ASSERT(bench->hid.hidIdle);
    if (length > 128) {
        FUZZ_ASSERT(macros.empty());
    } else {
        FUZZ_ASSERT(macros.count(4) == 1);
        const vmouse::Bytes &received = macros.at(4);
        FUZZ_ASSERT(received.size() == 128);
        for (int i = 0; i < 128; ++i)
            FUZZ_ASSERT(received[size_t(i)] == (i < length ? uint8_t(macro.at(i).toInt()) : 0));
    }
    return 0;
}
