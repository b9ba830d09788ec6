// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the whole program as users see it: zephra-config-demo with its virtual mouse on a virtual X
// display (Xvfb, Qt's xcb platform, the scene graph the program chooses itself), 5 runs, medians:
//   startup_to_window_ms   process start until the window is first exposed on the display
//   startup_to_initui_ms   process start until the interface's initUI has returned
//   peak_rss_mb            the peak resident memory of the process (VmHWM), once the interface is idle
//   idle_rss_mb            the resident memory (VmRSS) once the interface is idle
// "Idle" is kIdleSeconds after initUI (past the interface's one-second busy guard, the event loop quiet);
// ZEPHRA_BENCH_IDLE_SECONDS=60 measures after a minute instead. The same figures follow on Wayland
// (weston's x11 backend on the same display, prefixed "wayland_") when weston is installed, and the peak on
// the offscreen platform ("offscreen_peak_rss_mb").

#include "copy_tree.h"
#include "virtual_display.h"
#include "weston_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kIdleSeconds = 4;

// A memory figure of a running process from /proc/<pid>/status ("VmHWM", "VmRSS"), in MB.
double statusMb(qint64 pid, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

struct Figures
{
    double windowMs = -1;
    double initUiMs = -1;
    double peakMb = -1;
    double idleMb = -1;
};

// One start of the demo, until it is idle; the figures stay negative when it did not get there.
Figures runOnce(const QString &demo, const QProcessEnvironment &env, int idleSeconds, bool window, QByteArray *seen)
{
    Figures figures;
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(demo, {});
    while ((figures.initUiMs < 0 || (window && figures.windowMs < 0)) && process.waitForReadyRead(10000)) {
        *seen += process.readAll();
        const double now = double(clock.nsecsElapsed()) / 1e6;
        if (figures.windowMs < 0 && seen->contains("window exposed"))
            figures.windowMs = now;
        if (figures.initUiMs < 0 && seen->contains("QML initUI  returned"))
            figures.initUiMs = now;
    }
    if (figures.initUiMs >= 0) {
        QThread::sleep(idleSeconds);
        figures.idleMb = statusMb(process.processId(), "VmRSS");
        figures.peakMb = statusMb(process.processId(), "VmHWM");
    }
    process.write("quit\n");
    if (!process.waitForFinished(10000))
        process.kill();
    *seen += process.readAll();
    return figures;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// kRuns starts; prints the figures under `prefix`. False when a start failed.
bool measure(const QString &demo, const QProcessEnvironment &env, const char *prefix, int idleSeconds, bool window)
{
    std::vector<double> windows, initUis, peaks, idles;
    for (int run = 0; run < kRuns; ++run) {
        QByteArray seen;
        const Figures f = runOnce(demo, env, idleSeconds, window, &seen);
        if (f.initUiMs < 0 || (window && f.windowMs < 0)) {
            std::fprintf(stderr, "the demo did not start its interface (%s):\n%s\n", prefix, seen.constData());
            return false;
        }
        windows.push_back(f.windowMs);
        initUis.push_back(f.initUiMs);
        peaks.push_back(f.peakMb);
        idles.push_back(f.idleMb);
    }
    if (window) {
        std::printf("bench: %sstartup_to_window_ms %.1f ms\n", prefix, median(windows));
        std::printf("bench: %sstartup_to_initui_ms %.1f ms\n", prefix, median(initUis));
        std::printf("bench: %speak_rss_mb %.1f MB\n", prefix, median(peaks));
        std::printf("bench: %sidle_rss_mb %.1f MB\n", prefix, median(idles));
    } else {
        std::printf("bench: %speak_rss_mb %.1f MB\n", prefix, median(peaks));
    }
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int idleSeconds = qEnvironmentVariableIsSet("ZEPHRA_BENCH_IDLE_SECONDS")
                                ? qEnvironmentVariableIntValue("ZEPHRA_BENCH_IDLE_SECONDS")
                                : kIdleSeconds;
    QTemporaryDir dir;
    const QString demo = dir.filePath(QStringLiteral("zephra-config-demo"));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/zephra-config-demo"), demo);
    copyTree(QCoreApplication::applicationDirPath() + QStringLiteral("/modules"), dir.filePath(QStringLiteral("modules")));
    QDir().mkpath(dir.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // As a user's session starts it: no test switches, no session bus (the portal is not asked).
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                             "DBUS_SESSION_BUS_ADDRESS", "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zephra.ui.debug=true"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));

    VirtualDisplay display("1280x800x24");
    if (display.display.isEmpty()) {
        std::fprintf(stderr, "no virtual X display: %s\n", qPrintable(display.missing));
        return 1;
    }
    QProcessEnvironment x11 = env;
    x11.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    x11.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display.display));
    if (!measure(demo, x11, "", idleSeconds, true))
        return 1;

    WestonDisplay weston(display.display);
    if (weston.running()) {
        QProcessEnvironment wayland = env;
        wayland.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        wayland.insert(QStringLiteral("WAYLAND_DISPLAY"), weston.socket());
        if (!measure(demo, wayland, "wayland_", idleSeconds, true))
            return 1;
    } else {
        std::fprintf(stderr, "no Wayland figures: %s\n", qPrintable(weston.missing.isEmpty() ? "weston did not start"
                                                                                             : weston.missing));
    }

    QProcessEnvironment offscreen = env;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return measure(demo, offscreen, "offscreen_", 2, false) ? 0 : 1;
}
