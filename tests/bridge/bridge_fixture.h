// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view wired to one virtual mouse, on a fresh copy of the shipped files: a temporary folder holding
// modules/ is the current directory, the view's flags are set as the test asks, and its device object
// talks to the virtual mouse of the wanted family with a recording sleeper. The view's profile blocks
// count as read whole from the device (both hold zeros).

#include "hid_thread.h"
#include "my_quick_view.h"
#include "recording_sleeper.h"
#include "virtual_mouse.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

struct ViewFlags
{
    bool colorful = false;
    bool gun = false;
    bool is55328 = false;
};

// One command as the device received it: the code, its six parameter bytes and the bulk data that
// followed it (cut to the length it announced).
struct Command
{
    int code = 0;
    QByteArray params;
    QByteArray payload;
    // "0c 03 80 00 00 00 00": code and parameters in hex, for readable comparisons.
    QByteArray head() const;
};

class BridgeFixture
{
public:
    explicit BridgeFixture(vmouse::Family family, ViewFlags flags = {}, bool encoded = true, int reportLength = 32);
    ~BridgeFixture();

    myQQuickView &view() { return *built; }
    vmouse::DeviceState state() const { return vmouse::state(device); }

    // What the device received since the start or the last clear().
    std::vector<Command> commands() const;
    // Their heads only.
    QList<QByteArray> heads() const;
    void clear();

    // Text of a file of the temporary folder ("modules/setting/p1.bin").
    QByteArray read(const QString &relative) const;
    // Replaces a file of the folder before the view reads it (only useful for files the view opens later).
    void write(const QString &relative, const QByteArray &bytes) const;

    struct SimReset
    {
        SimReset() { vmouse::reset(); }
    } simReset;
    RecordingSleeper sleeper;
    int device;
    int reportLength;
    Hid_Thread hid;

private:
    QTemporaryDir dir;
    QString previousDir;
    std::unique_ptr<myQQuickView> built;
};

// Bytes from a list of numbers.
QByteArray bytes(std::initializer_list<int> values);
// A payload as hex with a space between bytes.
QByteArray hex(const QByteArray &bytes);
// The 64 numbers of a set of 16 assignments, from 16 rows of four.
QVariantList assignments(const std::vector<std::array<int, 4>> &rows);
// The built-in set of the key-assignment page.
std::vector<std::array<int, 4>> builtInSet();
