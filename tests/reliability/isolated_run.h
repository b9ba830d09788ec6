// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a piece of test code in a child process of its own, so that a crash or a hang counts as that
// run's result instead of ending the whole test. The child inherits everything the parent holds (fork),
// hands back a text report through a pipe and ends without running exit handlers.
//
// The parent must not have started threads of its own (a forked child has only the calling thread).

#include <QByteArray>
#include <QStringList>

#include <functional>

struct Isolated
{
    enum class Status { Returned, Crashed, Hung };
    Status status = Status::Returned;
    int signal = 0;           // Crashed: the signal that ended the child (or 0 for a failing exit code)
    int exitCode = 0;
    QByteArray report;        // what the body returned
    qint64 elapsedMs = 0;
};

// `body` runs in the child; a child that has not finished after `timeoutMs` is killed and counts as hung.
Isolated runIsolated(const std::function<QByteArray()> &body, int timeoutMs);

// The names of this process's threads other than the calling one.
QStringList otherThreads();
