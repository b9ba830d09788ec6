#pragma once
// What the interface can learn about the session it runs in, published to QML as "sessionStatus": whether
// global input capture works (macro recording and key entry need it; a Wayland session offers none to
// ordinary programs) and the hint to show when recording starts without it.

#include <QObject>
#include <QString>

class SessionStatus : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool captureAvailable READ captureAvailable NOTIFY captureAvailableChanged)
    Q_PROPERTY(QString captureHint READ captureHint NOTIFY captureAvailableChanged)

public:
    explicit SessionStatus(QObject *parent = nullptr);

    bool captureAvailable() const { return available; }
    // Empty while capture works.
    QString captureHint() const;
    void setCaptureAvailable(bool value);

signals:
    void captureAvailableChanged();

private:
    bool available = true;
};
