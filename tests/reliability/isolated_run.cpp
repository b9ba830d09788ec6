// SPDX-License-Identifier: GPL-3.0-or-later
#include "isolated_run.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += n;
    }
}

}  // namespace

QStringList otherThreads()
{
    QStringList names;
    const QString self = QString::number(::gettid());
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (task != self && comm.open(QIODevice::ReadOnly))
            names << QString::fromUtf8(comm.readAll().trimmed());
    }
    return names;
}

Isolated runIsolated(const std::function<QByteArray()> &body, int timeoutMs)
{
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("runIsolated: no pipe");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        qFatal("runIsolated: fork failed");
    if (child == 0) {
        ::close(fds[0]);
        const QByteArray report = body();
        writeAll(fds[1], report);
        std::fflush(nullptr);
        ::_exit(0);
    }
    ::close(fds[1]);

    Isolated result;
    QElapsedTimer clock;
    clock.start();
    bool open = true;
    while (open) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            ::kill(child, SIGKILL);
            result.status = Isolated::Status::Hung;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            result.report.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            open = false;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.elapsedMs = clock.elapsed();
    if (result.status == Isolated::Status::Hung)
        return result;
    if (WIFSIGNALED(status)) {
        result.status = Isolated::Status::Crashed;
        result.signal = WTERMSIG(status);
    } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        result.status = Isolated::Status::Crashed;
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}
