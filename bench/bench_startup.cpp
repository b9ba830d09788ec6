// Start-up of the whole program: from process start until the interface's initUI has returned (offscreen,
// with the virtual mouse; the interface's one-second busy guard runs after that and is not counted), and
// the peak resident memory of the process once it runs.

#include "copy_tree.h"

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

// VmHWM of a running process, in MB.
double peakRssMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString demo = dir.filePath(QStringLiteral("zephra-config-demo"));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/zephra-config-demo"), demo);
    copyTree(QCoreApplication::applicationDirPath() + QStringLiteral("/modules"), dir.filePath(QStringLiteral("modules")));
    QDir().mkpath(dir.filePath(QStringLiteral("runtime")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zephra.ui.debug=true"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));

    std::vector<double> startups;
    double rss = 0;
    for (int run = 0; run < 5; ++run) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        process.start(demo, {});
        QByteArray seen;
        double startup = -1;
        while (startup < 0 && process.waitForReadyRead(10000)) {
            seen += process.readAll();
            if (seen.contains("QML initUI  returned"))
                startup = double(clock.nsecsElapsed()) / 1e6;
        }
        QThread::msleep(1500);   // past the busy guard: the interface is fully shown
        rss = std::max(rss, peakRssMb(process.processId()));
        process.write("quit\n");
        process.waitForFinished(10000);
        if (startup < 0) {
            std::fprintf(stderr, "the demo did not start its interface:\n%s\n", seen.constData());
            return 1;
        }
        startups.push_back(startup);
    }
    std::sort(startups.begin(), startups.end());
    std::printf("bench: startup_to_initui_ms %.1f ms\n", startups[startups.size() / 2]);
    std::printf("bench: peak_rss_mb %.1f MB\n", rss);
    return 0;
}
