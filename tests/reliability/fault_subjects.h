// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fault matrix runs: every device command of both families, the handshake, a discovery pass and
// the listener start, and every slot of the view that talks to the device, each on a view and device object
// wired to one virtual mouse (the bridge tests' fixture).

#include "bridge_fixture.h"

#include <QString>

#include <functional>
#include <vector>

struct Subject
{
    QString name;
    vmouse::Family family;
    ViewFlags flags;
    std::function<void(BridgeFixture &)> run;
    // The listener job runs on its own thread: only its first open and read are in a fixed order with
    // the rest, so only those are faulted.
    bool listener = false;
};

// The device commands (Hid_Thread's slots), the handshake, discovery and the listener start.
std::vector<Subject> commandSubjects();
// The view's slots that send to or read from the device.
std::vector<Subject> slotSubjects();

// The device list file the matrix writes beside the shipped ones, naming the fixture's mouse as it is
// (encoding and report length), for the discovery after each run.
inline const QString kMatrixConfig = QStringLiteral("./modules/setting/matrix.bin");
QByteArray matrixConfig(bool encoded, int reportLength);
