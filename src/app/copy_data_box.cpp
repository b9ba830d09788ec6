// SPDX-License-Identifier: GPL-3.0-or-later
#include "copy_data_box.h"

#include <QStringDecoder>

#include <cstring>

std::optional<QString> copyDataWarningText(const CopyData &message)
{
    if (message.dwData != kWarningCopyDataId || (!message.lpData && message.cbData > 0))
        return std::nullopt;
    const char *bytes = static_cast<const char *>(message.lpData);
    const void *nul = message.cbData ? std::memchr(bytes, 0, message.cbData) : nullptr;
    const qsizetype length = nul ? static_cast<const char *>(nul) - bytes : qsizetype(message.cbData);

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes, length));
    if (decoder.hasError() || text.toUtf8().size() != qsizetype(message.cbData))
        return std::nullopt;
    return text;
}
