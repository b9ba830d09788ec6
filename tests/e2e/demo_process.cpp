// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_process.h"

#include "copy_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

DemoProcess::DemoProcess(const QByteArray &x11Display, const QString &folder)
    : display(x11Display)
    , root(folder.isEmpty() ? ownDir.path() : folder)
{
    if (folder.isEmpty()) {
        QFile::copy(QStringLiteral(ZEPHRA_DEMO_PATH), executable());
        copyTree(QStringLiteral(ZEPHRA_DATA_DIR), root + QStringLiteral("/modules"));
        QDir().mkpath(root + QStringLiteral("/runtime"));
        QFile::setPermissions(root + QStringLiteral("/runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                      | QFileDevice::ExeOwner);
    }
    process.setProcessEnvironment(environment());
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] { collect(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, [this] { collect(); });
}

DemoProcess::~DemoProcess()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

QString DemoProcess::executable() const
{
    return root + QLatin1Char('/') + QFileInfo(QStringLiteral(ZEPHRA_DEMO_PATH)).fileName();
}

QProcessEnvironment DemoProcess::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zephra.ui.debug=true"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

void DemoProcess::useWayland(const QString &socket)
{
    setEnvironmentValue(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    setEnvironmentValue(QStringLiteral("WAYLAND_DISPLAY"), socket);
    // The demo draws in software (shared-memory buffers): Qt's EGL buffers are not loaded, whose driver
    // keeps allocations until exit that the leak checker would report.
    setEnvironmentValue(QStringLiteral("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"), QStringLiteral("none"));
}

void DemoProcess::setLauncher(const QString &program, const QStringList &arguments)
{
    launcher = program;
    launcherArguments = arguments;
}

void DemoProcess::setEnvironmentValue(const QString &name, const QString &value)
{
    QProcessEnvironment env = process.processEnvironment();
    env.insert(name, value);
    process.setProcessEnvironment(env);
}

bool DemoProcess::start(const QStringList &arguments)
{
    clock.start();
    if (launcher.isEmpty())
        process.start(executable(), arguments);
    else
        process.start(launcher, launcherArguments + QStringList{executable()} + arguments);
    return process.waitForStarted(10000);
}

void DemoProcess::send(const QString &command)
{
    process.write(command.toUtf8() + '\n');
    process.waitForBytesWritten(2000);
}

void DemoProcess::collect()
{
    auto take = [this](QByteArray &pending, const QByteArray &more) {
        pending += more;
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            output << QString::fromUtf8(pending.left(end));
            arrivals << clock.elapsed();
            pending.remove(0, end + 1);
        }
    };
    take(pendingOut, process.readAllStandardOutput());
    take(pendingErr, process.readAllStandardError());
}

int DemoProcess::waitFor(const QString &pattern, int timeoutMs, int from)
{
    const QRegularExpression re(pattern);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        collect();
        for (int i = from; i < output.size(); ++i)
            if (re.match(output[i]).hasMatch())
                return i;
        if (waited.elapsed() > timeoutMs || process.state() == QProcess::NotRunning)
            return -1;
        QTest::qWait(20);
    }
}

bool DemoProcess::waitForState(const QString &pattern, int timeoutMs)
{
    const QRegularExpression re(pattern);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() <= timeoutMs) {
        const int mark = int(output.size());
        send(QStringLiteral("state"));
        const int answer = waitFor(QStringLiteral("^state "), 3000, mark);
        if (answer < 0)
            return false;
        if (re.match(output[answer]).hasMatch())
            return true;
        QTest::qWait(50);
    }
    return false;
}

qint64 DemoProcess::arrivalMs(int position) const
{
    return position >= 0 && position < arrivals.size() ? arrivals[position] : -1;
}

bool DemoProcess::finish(int timeoutMs, int *exitCode)
{
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(timeoutMs);
    collect();
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return ended;
}

bool DemoProcess::openGlDriverLoaded() const
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(process.processId()));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression driver(QStringLiteral("/dri/|_dri\\.so|libGLX_|libEGL_|libLLVM"));
    return driver.match(QString::fromLocal8Bit(maps.readAll())).hasMatch();
}

int DemoProcess::quit(int timeoutMs)
{
    send(QStringLiteral("quit"));
    int code = -1;
    return finish(timeoutMs, &code) ? code : -1;
}
