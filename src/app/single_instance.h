#pragma once
// One running instance per user and executable. The first instance holds a lock file and listens on a
// local socket; a later one finds the lock taken, sends its message to the first through the socket and
// quits.
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
