// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program from start to end: single instance, current directory, host window, input capture, the
// first discovery pass, the event loop and the orderly shutdown. The real program and the demo share it;
// the demo adds the virtual mouse through the hooks.

#include <QString>

#include <functional>

class Widget;

struct ProgramHooks
{
    // After the current directory is set, before the host window exists.
    std::function<void()> beforeWindow;
    // Once the host window exists, before the first discovery pass. Returns true when it provides the
    // device-change notices itself (the system's are then not watched).
    std::function<bool(Widget &)> afterWindow;
    // The folder of the data home that keeps the settings when they are not kept beside the executable;
    // empty: the program's own (zephra-config).
    QString dataFolderName;
};

int runProgram(int argc, char **argv, const ProgramHooks &hooks = {});
