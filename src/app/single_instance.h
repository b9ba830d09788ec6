// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running instance per user and executable. The first instance holds a lock file and listens on a
// local socket, both in one private folder per user (instanceFolder); a later one finds the lock taken,
// sends its message to the first through the socket and quits. A live instance's socket is never removed.
//
// A lock file decides, not the socket: on Linux a second listen() on the same name silently takes the
// socket over, so it cannot tell who was first.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `key` names the instance group (derived from the executable's path when empty).
    explicit SingleInstance(const QString &key = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    bool isRunning() const { return !primary; }
    // Sends `message` to the running instance; false when it could not be reached within `timeoutMs`.
    bool sendMessage(const QString &message, int timeoutMs);

    // The socket's full path (empty when running without a lock).
    QString serverName() const { return name; }

signals:
    void messageReceived(const QString &message);

private:
    void readConnection();

    QString name;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
    bool primary = false;
};

// The folder of the instance locks and sockets: the same for every start of this user, whatever its
// environment; empty when it cannot be made private.
QString instanceFolder();
