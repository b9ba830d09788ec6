// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own command line: --help, --version and --background. Read before anything else exists
// (no application object, no instance lock, no socket), so that --help and --version only print and end,
// whatever instance is running. Every other argument is left to Qt (its -platform, -style and the like).

#include <QString>
#include <QStringList>

struct CommandLine
{
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    // A quiet start (the autostart entry's): no window while the mouse is not connected, the tray alone.
    bool background = false;
};

CommandLine parseCommandLine(const QStringList &arguments);

// What --help and --version print (each ends with a line break).
QString helpText(const QString &program);
QString versionText();

// Prints what --help or --version ask for and returns true (the program then ends with 0); false for a
// normal start.
bool answerCommandLine(const CommandLine &line, const QString &program);
