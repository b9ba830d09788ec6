#include "single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString instanceKey(const QString &key)
{
    const QString source = key.isEmpty() ? QCoreApplication::applicationFilePath() : key;
    const QByteArray hash = QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("zephra-config-%1-%2").arg(QString::number(getuid()), QString::fromLatin1(hash));
}

QString lockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

}  // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , name(instanceKey(key))
    , lock(std::make_unique<QLockFile>(lockFolder() + QLatin1Char('/') + name + QStringLiteral(".lock")))
{
    lock->setStaleLockTime(0);   // a lock left by a crashed instance is taken over (its process is gone)
    primary = lock->tryLock(0);
    if (!primary)
        return;
    QLocalServer::removeServer(name);
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
