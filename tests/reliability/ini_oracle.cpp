// SPDX-License-Identifier: GPL-3.0-or-later
#include "ini_oracle.h"

#include <QDataStream>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QString pathOf(const char *name)
{
    static QTemporaryDir dir;
    return dir.filePath(QLatin1String(name));
}

// Replaces `path` by a new file holding `text`, with a modification time no earlier call used: the library
// then reads the file again instead of answering from its cache (which it keeps by name, size and time).
// A new file, not the old one rewritten in place: the library may still map the old one's content.
void writeFresh(const QString &path, const QByteArray &text)
{
    static qint64 serial = 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        qFatal("oracle: cannot write %s", qPrintable(path));
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly) ||
        !written.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++serial), QFileDevice::FileModificationTime))
        qFatal("oracle: cannot stamp %s", qPrintable(path));
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Keys the settings library cannot address (empty, or with an empty part): they are kept and written back,
// but value() never reads them.
bool addressable(const QString &key)
{
    return !key.isEmpty() && !key.startsWith(u'/') && !key.endsWith(u'/') && !key.contains(QLatin1String("//"));
}

// Equal values of the same type; values of types without a comparison (an icon, say) are equal when
// they stream to the same bytes.
bool same(const QVariant &a, const QVariant &b)
{
    if (a.metaType() != b.metaType())
        return false;
    if (a == b)
        return true;
    auto streamed = [](const QVariant &v) {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream << v;
        return bytes;
    };
    return streamed(a) == streamed(b);
}

QString shown(const QVariant &value)
{
    QString text;
    QDebug(&text) << value;
    return text;
}

}  // namespace

namespace oracle {

ini::Values parse(const QByteArray &text)
{
    const QString path = pathOf("read.ini");
    writeFresh(path, text);
    const QSettings settings(path, QSettings::IniFormat);
    ini::Values values;
    for (const QString &key : settings.allKeys()) {
        if (addressable(key))
            values.insert(key, settings.value(key));
    }
    return values;
}

QByteArray rewrite(const QByteArray &text)
{
    const QString path = pathOf("rewrite.ini");
    writeFresh(path, text);
    {
        QSettings settings(path, QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        const auto key = std::find_if(keys.begin(), keys.end(), addressable);
        if (key == keys.end())
            return {};
        settings.setValue(*key, settings.value(*key));
    }
    return contentOf(path);
}

QByteArray write(const ini::Values &values)
{
    const QString path = pathOf("write.ini");
    writeFresh(path, QByteArray());
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.clear();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    return contentOf(path);
}

ini::Values addressableOnly(const ini::Values &values)
{
    ini::Values kept;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (addressable(it.key()))
            kept.insert(it.key(), it.value());
    return kept;
}

QString difference(const ini::Values &expected, const ini::Values &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!addressable(it.key()))
            continue;
        if (!actual.contains(it.key()))
            lines << QStringLiteral("missing %1 = %2").arg(it.key(), shown(it.value()));
        else if (!same(actual.value(it.key()), it.value()))
            lines << QStringLiteral("%1: expected %2, got %3").arg(it.key(), shown(it.value()), shown(actual.value(it.key())));
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (addressable(it.key()) && !expected.contains(it.key()))
            lines << QStringLiteral("extra %1 = %2").arg(it.key(), shown(it.value()));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace oracle
