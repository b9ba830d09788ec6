// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <cstdio>

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    // The first argument is the program itself; "--" ends the options.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.action = CommandLine::Action::Help;
            return line;   // the first of --help and --version counts
        }
        if (argument == QLatin1String("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (argument == QLatin1String("--background"))
            line.background = true;
    }
    return line;
}

QString helpText(const QString &program)
{
    return QStringLiteral(
               "Usage: %1 [--background]\n"
               "Configuration utility of the ORVANTE ZEPHRA Z714 gaming mouse: buttons, DPI stages, lighting,\n"
               "macros and profiles. One instance runs per user; starting it again brings its window back.\n"
               "\n"
               "Options:\n"
               "  --background  start quietly, as the autostart entry does: no window while no mouse is\n"
               "                connected, the tray icon alone\n"
               "  -h, --help    print this text and exit\n"
               "  --version     print the version and exit\n"
               "\n"
               "See zephra-config(1) for more.\n")
        .arg(program);
}

QString versionText()
{
    return QStringLiteral("zephra-config %1\n").arg(QLatin1String(ZEPHRA_VERSION));
}

bool answerCommandLine(const CommandLine &line, const QString &program)
{
    QString text;
    switch (line.action) {
    case CommandLine::Action::Run: return false;
    case CommandLine::Action::Help: text = helpText(program); break;
    case CommandLine::Action::Version: text = versionText(); break;
    }
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return true;
}
