// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zephra-config-demo (or the program ZEPHRA_DEMO_PATH names) as a separate process on a virtual X display
// (without one, on the offscreen platform), run from a private copy of the executable and the shipped
// modules/ folder, directly or through a launcher. Commands go to its standard input; everything it prints
// (answers on standard output, debug messages on standard error) is collected and can be waited for.

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

class DemoProcess
{
public:
    // Copies the demo executable and the shipped data into a fresh folder.
    DemoProcess(const QByteArray &display, const QString &folder = QString());
    ~DemoProcess();

    // Starts with these arguments (none unless set).
    bool start(const QStringList &arguments = {});
    // Runs on the Wayland compositor of `socket` (a full path) instead of the X display.
    void useWayland(const QString &socket);
    // Starts `program arguments... <copied executable>` instead of the executable itself.
    void setLauncher(const QString &program, const QStringList &arguments);
    void setEnvironmentValue(const QString &name, const QString &value);
    void send(const QString &command);
    // Waits until a line matching `pattern` appears after position `from` of the output; returns the
    // line's position in the output, or -1 after `timeoutMs`.
    int waitFor(const QString &pattern, int timeoutMs = 10000, int from = 0);
    // Asks for the demo's "state" until its answer matches `pattern` (for example "view enabled$": the
    // interface's busy guard has ended); false after `timeoutMs`.
    bool waitForState(const QString &pattern, int timeoutMs = 5000);
    // Elapsed milliseconds since start() when the line at `position` arrived.
    qint64 arrivalMs(int position) const;
    bool finish(int timeoutMs, int *exitCode);
    // Quits as the tray menu does; the exit code, or -1 when the program did not end.
    int quit(int timeoutMs = 10000);

    // Whether the running program has an OpenGL driver loaded (Mesa's or another vendor's, through the
    // dispatch libraries).
    bool openGlDriverLoaded() const;

    QStringList lines() const { return output; }
    QString folder() const { return root; }
    QString executable() const;
    QProcessEnvironment environment() const;

private:
    void collect();

    QByteArray display;
    QTemporaryDir ownDir;
    QString root;
    QProcess process;
    QString launcher;
    QStringList launcherArguments;
    QByteArray pendingOut;
    QByteArray pendingErr;
    QStringList output;
    QList<qint64> arrivals;
    QElapsedTimer clock;
};
