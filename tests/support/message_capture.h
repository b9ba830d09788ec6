// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Collects the text of every debug message while it lives (and still prints them when asked to).

#include <QMutex>
#include <QStringList>
#include <QtGlobal>

class MessageCapture
{
public:
    MessageCapture()
    {
        current() = this;
        previous = qInstallMessageHandler(&MessageCapture::handler);
    }
    ~MessageCapture()
    {
        qInstallMessageHandler(previous);
        current() = nullptr;
    }

    QStringList messages() const
    {
        QMutexLocker lock(&mutex);
        return captured;
    }
    bool contains(const QString &text) const { return messages().contains(text); }

private:
    static MessageCapture *&current()
    {
        static MessageCapture *instance = nullptr;
        return instance;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        if (MessageCapture *self = current()) {
            QMutexLocker lock(&self->mutex);
            self->captured.append(text);
        }
    }

    mutable QMutex mutex;
    QStringList captured;
    QtMessageHandler previous = nullptr;
};
