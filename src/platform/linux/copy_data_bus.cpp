// SPDX-License-Identifier: GPL-3.0-or-later
#include "copy_data_bus.h"

#include "input_capture.h"

#include <QDBusError>
#include <QDebug>

CopyDataBus::CopyDataBus(InputCapture *inputCapture, QObject *parent, QDBusConnection bus)
    : QObject(parent)
    , capture(inputCapture)
{
    if (!bus.isConnected()) {
        qDebug() << "copy-data channel unavailable: no session bus";
        return;
    }
    registered = bus.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportScriptableSlots
                                                                        | QDBusConnection::ExportAllSlots)
        && bus.registerService(QString::fromLatin1(kService));
    if (!registered)
        qDebug() << "copy-data channel unavailable:" << bus.lastError().message();
}

int CopyDataBus::Send(qulonglong dwData, const QByteArray &data)
{
    CopyData message;
    message.dwData = uintptr_t(dwData);
    message.cbData = uint32_t(data.size());
    message.lpData = data.constData();
    return capture && capture->deliverCopyData(message) ? 1 : 0;
}
