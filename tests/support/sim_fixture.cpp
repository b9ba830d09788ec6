// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_fixture.h"

#include <QStringList>

namespace fixture {

DeviceEntry entryFor(int device, const vmouse::DeviceSpec &spec)
{
    DeviceEntry entry;
    entry.type = 1;
    entry.vid = spec.vid;
    entry.pid = spec.pid;
    entry.reportLength = spec.reportLength;
    entry.isEncode = spec.isEncode;
    entry.sCode = QString::fromStdString(spec.secrecyCode);
    for (const vmouse::InterfaceSpec &iface : spec.interfaces) {
        if (iface.collections.empty())
            continue;
        const QString path = QString::fromStdString(vmouse::pathOf(device, iface.number));
        if (iface.role == vmouse::Role::Command) {
            entry.usagePage = iface.collections.front().usagePage;
            entry.usage = iface.collections.front().usage;
            entry.commandPath = path;
        } else if (iface.role == vmouse::Role::Listen) {
            entry.usagePage2 = iface.collections.front().usagePage;
            entry.usage2 = iface.collections.front().usage;
            entry.listenPath = path;
        }
    }
    return entry;
}

std::vector<vmouse::Event> events(std::initializer_list<vmouse::Kind> kinds)
{
    std::vector<vmouse::Event> out;
    for (const vmouse::Event &e : vmouse::log())
        for (vmouse::Kind k : kinds)
            if (e.kind == k)
                out.push_back(e);
    return out;
}

QString kindSequence()
{
    static const char *names[] = {"enumerate", "open", "open-failed", "close", "feature-out",
                                  "feature-in", "output", "input", "fault"};
    QStringList words;
    for (const vmouse::Event &e : vmouse::log())
        words << QString::fromLatin1(names[int(e.kind)]);
    return words.join(QLatin1Char(' '));
}

QByteArray bytes(const vmouse::Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray bytes(const uchar *data, int length)
{
    return QByteArray(reinterpret_cast<const char *>(data), length);
}

DeviceEntry absentEntry()
{
    DeviceEntry entry;
    entry.vid = 0x1234;
    entry.pid = 0x5678;
    return entry;
}

}  // namespace fixture
