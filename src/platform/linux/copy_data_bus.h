// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The copy-data channel on Linux: other programs of the session call the method Send(dwData, bytes) on
// the session bus (service org.orvante.ZephraConfig, object /CopyData, interface
// org.orvante.ZephraConfig.CopyData). The message is handed to the input capture's copy-data callback,
// exactly like the Windows message; the answer is 1 when it was handled. The method returns at once: the
// warning box it may raise is not modal and waits behind any open one (NoticeBoxes), so a flood of calls or
// a huge text cannot stop the interface.

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>

class InputCapture;

class CopyDataBus : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.orvante.ZephraConfig.CopyData")

public:
    static constexpr const char *kService = "org.orvante.ZephraConfig";
    static constexpr const char *kPath = "/CopyData";

    // On the session bus unless another connection is given (tests use a private bus).
    explicit CopyDataBus(InputCapture *capture, QObject *parent = nullptr,
                         QDBusConnection bus = QDBusConnection::sessionBus());
    bool isRegistered() const { return registered; }

public slots:
    // The bytes as sent; dwData as an unsigned number.
    int Send(qulonglong dwData, const QByteArray &data);

private:
    InputCapture *capture;
    bool registered = false;
};
