#include "ini_oracle.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QString freshPath()
{
    static QTemporaryDir dir;
    static int serial = 0;
    return dir.filePath(QStringLiteral("f%1.ini").arg(++serial));
}

QString freshFile(const QByteArray &text)
{
    const QString path = freshPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("oracle: cannot write %s", qPrintable(path));
    return path;
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
    const QSettings settings(freshFile(text), QSettings::IniFormat);
    ini::Values values;
    for (const QString &key : settings.allKeys()) {
        if (addressable(key))
            values.insert(key, settings.value(key));
    }
    return values;
}

QByteArray rewrite(const QByteArray &text)
{
    const QString path = freshFile(text);
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
    const QString path = freshPath();
    {
        QSettings settings(path, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    return contentOf(path);
}

QString difference(const ini::Values &expected, const ini::Values &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!addressable(it.key()))
            continue;
        if (!actual.contains(it.key()))
            lines << QStringLiteral("missing %1 = %2").arg(it.key(), shown(it.value()));
        else if (actual.value(it.key()) != it.value() || actual.value(it.key()).metaType() != it.value().metaType())
            lines << QStringLiteral("%1: expected %2, got %3").arg(it.key(), shown(it.value()), shown(actual.value(it.key())));
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (addressable(it.key()) && !expected.contains(it.key()))
            lines << QStringLiteral("extra %1 = %2").arg(it.key(), shown(it.value()));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace oracle
