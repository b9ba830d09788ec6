// SPDX-License-Identifier: GPL-3.0-or-later
#include "weston_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace {
const char *const kSocket = "wayland-e2e";
constexpr QRgb kBackground = 0xff00ff00;
}

WestonDisplay::WestonDisplay(const QByteArray &x11Display)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (program.isEmpty()) {
        missing = QStringLiteral("weston");
        return;
    }
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString config = runtime.filePath(QStringLiteral("weston.ini"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("[core]\nidle-time=0\n[shell]\nbackground-color=0xff00ff00\npanel-position=none\n");
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(x11Display));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    weston.setProcessEnvironment(env);
    weston.setProcessChannelMode(QProcess::MergedChannels);
    weston.setStandardOutputFile(runtime.filePath(QStringLiteral("weston.log")));
    // --debug offers the screenshooter to clients.
    weston.start(program, {"--backend=x11-backend.so", QStringLiteral("--socket=%1").arg(QLatin1String(kSocket)),
                           "--width=1200", "--height=760", "--config=" + config, "--debug"});
    if (!weston.waitForStarted(10000))
        return;
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(socket()) && weston.state() == QProcess::Running && waited.elapsed() < 10000)
        QTest::qWait(50);
    QTest::qWait(500);   // the shell client starts after the socket
}

WestonDisplay::~WestonDisplay()
{
    if (weston.state() != QProcess::NotRunning) {
        weston.terminate();
        if (!weston.waitForFinished(5000))
            weston.kill();
        weston.waitForFinished(2000);
    }
}

bool WestonDisplay::running() const
{
    return weston.state() == QProcess::Running && QFileInfo::exists(socket());
}

QString WestonDisplay::socket() const
{
    return runtime.filePath(QLatin1String(kSocket));
}

void WestonDisplay::enterPointer(const QString &xdotool, const QPoint &at)
{
    QProcess::execute(xdotool, {"mousemove", "1250", "790", "sleep", "0.2", "mousemove", QString::number(at.x()),
                                QString::number(at.y()), "sleep", "0.2"});
}

QImage WestonDisplay::screenshot()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter"));
    QTemporaryDir folder;
    if (program.isEmpty() || !folder.isValid())
        return {};
    QProcess shooter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QLatin1String(kSocket));
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(folder.path());
    shooter.start(program, {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0)
        return {};
    const QStringList pictures = QDir(folder.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    return pictures.isEmpty() ? QImage() : QImage(folder.filePath(pictures.first()));
}

QRect WestonDisplay::windowBox(const QImage &picture, int minimum)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int top = -1, bottom = -1, left = -1, right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] | 0xff000000) != kBackground;
        if (count >= minimum) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += (image.pixel(x, y) | 0xff000000) != kBackground;
        if (count >= minimum) {
            left = left < 0 ? x : left;
            right = x;
        }
    }
    return top < 0 || left < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
