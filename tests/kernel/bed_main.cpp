// SPDX-License-Identifier: GPL-3.0-or-later
// zephra-kernel-bed: the unchanged program on an emulated kernel. Builds a umockdev test bed with the
// virtual mice plugged in (see kernel_bed.h), starts the program as its child with the test bed in its
// environment, and prints what the mice's nodes saw, one line per system call ("hidraw1 ioctl
// HIDIOCSFEATURE(9) = 9: ..."). Commands on standard input, one per line, each answered on standard output:
//   dpi [mouse] [stage]   the DPI button on the mouse (1 unless told; the next stage unless given)
//   unplug [mouse] / plug [mouse]
//   notice [mouse]        a change uevent on the mouse's nodes (a device-change notice without a change)
//   state [mouse]         the mouse's nodes and what it holds
//   quit                  ends the program and the test bed (so does the end of standard input)
//
// Usage: umockdev-wrapper zephra-kernel-bed [--mice N] [--user NAME] program [arguments...]
// The mice are the demo mouse with the family, encoding and secrecy code of the device list beside the
// program; --user runs the program as that user (the test bed needs root then).

#include "kernel_bed.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSocketNotifier>

#include <pwd.h>
#include <sys/prctl.h>

#include <csignal>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <mutex>

namespace {

void say(const std::string &line)
{
    static std::mutex lock;
    std::lock_guard guard(lock);
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// The mouse the program's device list names: the family of "mouse/icType", the encoding and code of entry 0.
vmouse::DeviceSpec listedMouse(const QString &program)
{
    const QSettings settings(QFileInfo(program).absolutePath() + QStringLiteral("/modules/setting/apConfig.bin"),
                             QSettings::IniFormat);
    const bool is560 = settings.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560");
    vmouse::DeviceSpec spec = vmouse::demoMouse(is560 ? vmouse::Family::F560 : vmouse::Family::F553,
                                                settings.value(QStringLiteral("0/isEncode"), true).toBool());
    spec.secrecyCode = settings.value(QStringLiteral("0/sCode"), QStringLiteral("318274")).toString().toStdString();
    return spec;
}

class Bed : public QObject
{
public:
    Bed(kernelbed::KernelBed &kernel, QProcess &program)
        : kernel(kernel)
        , program(program)
        , input(STDIN_FILENO, QSocketNotifier::Read)
    {
        connect(&input, &QSocketNotifier::activated, this, &Bed::readCommands);
    }

    bool quitting() const { return quit; }

private:
    void readCommands()
    {
        char chunk[512];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            input.setEnabled(false);
            run("quit");
            return;
        }
        pending.append(chunk, n);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            run(QString::fromUtf8(pending.left(end)).trimmed());
    }

    void run(const QString &line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            return;
        const QString command = words.first();
        const int mouse = words.value(1, QStringLiteral("1")).toInt();
        const std::string which = " mouse " + std::to_string(mouse);
        auto done = [&](bool ok, const std::string &what) { say(ok ? what : "no" + which); };
        if (command == QLatin1String("dpi")) {
            const int stage = kernel.switchDpi(mouse, words.value(2).toInt());
            done(stage > 0, "dpi" + which + " stage " + std::to_string(stage));
        } else if (command == QLatin1String("unplug")) {
            done(kernel.unplug(mouse), "unplug" + which);
        } else if (command == QLatin1String("plug")) {
            done(kernel.plug(mouse), "plug" + which);
        } else if (command == QLatin1String("notice")) {
            done(kernel.notice(mouse), "notice" + which);
        } else if (command == QLatin1String("state")) {
            say("state " + kernel.describe(mouse));
        } else if (command == QLatin1String("quit")) {
            say("quit");
            quit = true;
            if (program.state() == QProcess::NotRunning) {
                QCoreApplication::exit(0);
                return;
            }
            program.terminate();
            if (!program.waitForFinished(5000))
                program.kill();
        } else {
            say("unknown command: " + line.toStdString());
        }
    }

    kernelbed::KernelBed &kernel;
    QProcess &program;
    QSocketNotifier input;
    QByteArray pending;
    bool quit = false;
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int mice = 1;
    QString user;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--"))
            break;
        if (option == QLatin1String("--mice") && !args.isEmpty())
            mice = args.takeFirst().toInt();
        else if (option == QLatin1String("--user") && !args.isEmpty())
            user = args.takeFirst();
    }
    if (args.isEmpty()) {
        std::cerr << "usage: umockdev-wrapper zephra-kernel-bed [--mice N] [--user NAME] program [arguments...]\n";
        return 2;
    }
    // (umockdev's own check must not run before the test bed exists: it remembers its first answer.)
    if (!qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("libumockdev-preload"))) {
        std::cerr << "zephra-kernel-bed: start it under umockdev-wrapper (package umockdev)\n";
        return 2;
    }

    kernelbed::KernelBed kernel(say);
    const vmouse::DeviceSpec spec = listedMouse(args.first());
    for (int i = 0; i < mice; ++i)
        kernel.plug(kernel.addMouse(spec));
    say("bed: test bed " + kernel.root());

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // The program ends with the bed, however the bed ends.
    program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("UMOCKDEV_DIR"), QString::fromStdString(kernel.root()));
    program.setProcessEnvironment(env);
    QString executable = args.takeFirst();
    if (!user.isEmpty()) {
        const passwd *account = getpwnam(user.toLocal8Bit().constData());
        if (!account) {
            std::cerr << "zephra-kernel-bed: no user " << user.toStdString() << "\n";
            return 2;
        }
        args.prepend(executable);
        args.prepend(QStringLiteral("--clear-groups"));
        args.prepend(QStringLiteral("--pdeathsig=TERM"));   // lost with the change of user otherwise
        args.prepend(QStringLiteral("--regid=%1").arg(account->pw_gid));
        args.prepend(QStringLiteral("--reuid=%1").arg(account->pw_uid));
        executable = QStringLiteral("setpriv");
    }
    Bed bed(kernel, program);
    QObject::connect(&program, &QProcess::finished, &app, [&bed](int code, QProcess::ExitStatus status) {
        say("bed: program ended " + std::to_string(status == QProcess::NormalExit ? code : -1));
        // Ended by "quit", the bed's run was a success; otherwise the program's own outcome counts.
        QCoreApplication::exit(bed.quitting() ? 0 : status == QProcess::NormalExit ? code : 1);
    });
    program.start(executable, args);
    if (!program.waitForStarted(10000)) {
        say("bed: program did not start: " + program.errorString().toStdString());
        return 1;
    }
    say("bed: program started");
    return QCoreApplication::exec();
}
