// SPDX-License-Identifier: GPL-3.0-or-later
#include "durable_file.h"

#include <QBuffer>
#include <QFileDevice>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace durable {

namespace {

bool failed(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

// Forces what the system holds of `file` to the disk. Where the platform offers no such call, the flush
// has to do.
bool syncToDisk(QFileDevice &file, QString *reason)
{
#ifdef Q_OS_UNIX
    if (file.handle() >= 0 && ::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return failed(reason, QStringLiteral("cannot sync %1: %2").arg(file.fileName(), QString::fromLocal8Bit(std::strerror(errno))));
#else
    Q_UNUSED(file);
    Q_UNUSED(reason);
#endif
    return true;
}

bool writeBytes(QFileDevice &file, QByteArrayView bytes, QString *reason)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return failed(reason, QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
        done += qsizetype(n);
    }
    return true;
}

bool flushAndSync(QFileDevice &file, QString *reason)
{
    if (!file.flush())
        return failed(reason, QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    return syncToDisk(file, reason);
}

}  // namespace

bool writeAll(QFileDevice &file, QByteArrayView bytes, QString *reason)
{
    return writeBytes(file, bytes, reason) && flushAndSync(file, reason);
}

bool replaceFile(const QString &path, QIODevice &source, qint64 size, QString *reason)
{
    // Unbuffered: every write reaches the system at once and its failure is seen by writeAll().
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(reason, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    char buffer[64 * 1024];
    qint64 copied = 0;
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return failed(reason, QStringLiteral("cannot read what goes into %1: %2").arg(path, source.errorString()));
        }
        if (n == 0)
            break;
        if (!writeBytes(out, QByteArrayView(buffer, n), reason)) {
            out.cancelWriting();
            return false;
        }
        copied += n;
    }
    if (size >= 0 && copied != size) {
        out.cancelWriting();
        return failed(reason, QStringLiteral("the source of %1 changed while it was read: %2 of %3 bytes")
                                  .arg(path).arg(copied).arg(size));
    }
    if (!flushAndSync(out, reason)) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return failed(reason, QStringLiteral("cannot replace %1: %2").arg(path, out.errorString()));
    return true;
}

bool replaceFile(const QString &path, QByteArrayView bytes, QString *reason)
{
    QByteArray copy = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer source(&copy);
    source.open(QIODevice::ReadOnly);
    return replaceFile(path, source, bytes.size(), reason);
}

}  // namespace durable
