// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString instanceKey(const QString &key)
{
    const QString source = key.isEmpty() ? QCoreApplication::applicationFilePath() : key;
    const QByteArray hash = QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("zephra-config-%1-%2").arg(QString::number(getuid()), QString::fromLatin1(hash));
}

#ifndef Q_OS_WIN
// Whether `path` is a real folder (not a link) of this user that no one else may enter.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()
           && (info.st_mode & 077) == 0;
}
#endif

}  // namespace

QString instanceFolder()
{
#ifdef Q_OS_WIN
    return QDir::tempPath();
#else
    // A fixed path for each user: every start meets the same lock and socket, whatever its environment
    // (XDG_RUNTIME_DIR and TMPDIR differ between a desktop session, su and ssh). /tmp is shared, so the folder
    // is made private, and one that someone else made or opened up is not used.
    const QByteArray folder = QByteArray("/tmp/zephra-config-") + QByteArray::number(getuid());
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    if (!isPrivateFolder(folder))
        return QString();
    return QString::fromLocal8Bit(folder);
#endif
}

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
{
    const QString folder = instanceFolder();
    const QString base = instanceKey(key);
    if (folder.isEmpty()) {
        // Without a private folder there is no safe place for the lock: this start runs alone.
        qDebug() << "single instance: no private folder for the instance lock; running without it";
        primary = true;
        return;
    }
    name = folder + QLatin1Char('/') + base + QStringLiteral(".socket");
    lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + base + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);   // a lock left by a crashed instance is taken over (its process is gone)
    primary = lock->tryLock(0);
    if (!primary)
        return;
    // Holding the lock, this is the only instance; a socket left behind is a crashed one's. One that still
    // answers belongs to a live instance all the same (one that took no lock): it is never removed, and
    // this start defers to it.
    if (QFileInfo::exists(name)) {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            lock->unlock();
            primary = false;
            return;
        }
        QLocalServer::removeServer(name);
    }
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(name))
        qDebug() << "single instance: cannot listen on" << name << server.errorString();
    connect(&server, &QLocalServer::newConnection, this, &SingleInstance::readConnection);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendMessage(const QString &message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QByteArray bytes = message.toUtf8();
    QByteArray frame;
    QDataStream(&frame, QIODevice::WriteOnly) << quint32(bytes.size());
    frame += bytes;
    socket.write(frame);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::readConnection()
{
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readMessage = [this, socket] {
            if (socket->bytesAvailable() < 4)
                return;
            quint32 size = 0;
            QDataStream(socket->peek(4)) >> size;
            if (size > 1 << 20) {   // not one of ours
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + qint64(size))
                return;
            socket->read(4);
            emit messageReceived(QString::fromUtf8(socket->read(size)));
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessage);
        readMessage();   // what arrived before the connection was taken
    }
}
