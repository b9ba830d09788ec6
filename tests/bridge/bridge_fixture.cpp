// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge_fixture.h"

#include "copy_tree.h"
#include "sim_fixture.h"

#include <QDir>
#include <QFile>

QByteArray Command::head() const
{
    return hex(QByteArray(1, char(code)) + params);
}

BridgeFixture::BridgeFixture(vmouse::Family family, ViewFlags flags, bool encoded, int reportLength)
    : reportLength(reportLength)
{
    vmouse::DeviceSpec spec = vmouse::demoMouse(family, encoded);
    spec.reportLength = reportLength;
    device = vmouse::addDevice(spec);
    hid.setSleeper(&sleeper);
    hid.deviceList = {fixture::entryFor(device, spec)};
    hid.currentDeviceIndex = 0;
    // As the handshake with the entry would have left it.
    for (size_t i = 0; i < 6 && i < spec.secrecyCode.size(); ++i)
        hid.deviceSecrecyCode[i + 1] = uchar(spec.secrecyCode[i]);

    if (!copyTree(QStringLiteral(ZEPHRA_DATA_DIR), dir.filePath(QStringLiteral("modules"))))
        qFatal("cannot copy the modules folder");
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    built = std::make_unique<myQQuickView>();
    built->icType = family == vmouse::Family::F560 ? QStringLiteral("560") : QStringLiteral("553");
    built->isColorful = flags.colorful;
    built->isGun = flags.gun;
    built->is55328 = flags.is55328;
    built->hidThread = &hid;
    hid.setTraits(built->deviceTraits());
    // As the download at connect leaves the blocks: the device's own (zeros), read whole.
    std::fill(std::begin(built->profileBlockWhole), std::end(built->profileBlockWhole), true);
}

BridgeFixture::~BridgeFixture()
{
    hid.setTraits(nullptr);
    built.reset();
    QDir::setCurrent(previousDir);
}

std::vector<Command> BridgeFixture::commands() const
{
    std::vector<Command> out;
    for (const vmouse::Event &e : vmouse::log()) {
        if (e.kind == vmouse::Kind::FeatureOut && e.plain.size() == 9) {
            Command c;
            c.code = e.plain[1];
            c.params = fixture::bytes(e.plain).mid(2, 6);
            out.push_back(c);
        } else if (e.kind == vmouse::Kind::Output && !out.empty() && !e.wire.empty()) {
            out.back().payload += fixture::bytes(e.wire).mid(1, reportLength);
        }
    }
    for (Command &c : out)
        if (!c.payload.isEmpty())
            c.payload.truncate(uchar(c.params[1]));
    return out;
}

QList<QByteArray> BridgeFixture::heads() const
{
    QList<QByteArray> out;
    for (const Command &c : commands())
        out.append(c.head());
    return out;
}

void BridgeFixture::clear()
{
    vmouse::clearLog();
    sleeper.pauses.clear();
}

QByteArray BridgeFixture::read(const QString &relative) const
{
    QFile file(dir.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BridgeFixture::write(const QString &relative, const QByteArray &content) const
{
    QFile file(dir.filePath(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(relative));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray hex(const QByteArray &data)
{
    return data.toHex(' ');
}

QVariantList assignments(const std::vector<std::array<int, 4>> &rows)
{
    QVariantList list;
    for (const auto &row : rows)
        for (int v : row)
            list.append(v);
    return list;
}

std::vector<std::array<int, 4>> builtInSet()
{
    return {{0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0},    {0, 0, 0xF4, 0},
            {0, 0, 0xF3, 0}, {5, 0, 1, 0},    {5, 0, 2, 0},       {0, 0xF0, 0x1E, 2},
            {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},       {0, 0, 0, 0},
            {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0},    {0xFF, 0, 2, 0}};
}
