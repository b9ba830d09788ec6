// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CallLog: the calls that the QML interface made into the program, in order, across the stand-ins of
// ui_View, hid and ui_Ctl. Published to QML tests as "recorder".

#include <QObject>
#include <QVariantList>
#include <QVariantMap>

class CallLog : public QObject
{
    Q_OBJECT

public:
    explicit CallLog(QObject *parent = nullptr) : QObject(parent) {}

    void add(const QString &name, const QVariantList &args)
    {
        entries.append(QVariantMap{{QStringLiteral("name"), name}, {QStringLiteral("args"), args}});
    }

    // Every call as {name, args}.
    Q_INVOKABLE QVariantList calls() const { return entries; }

    // The names of the calls, in order.
    Q_INVOKABLE QStringList names() const
    {
        QStringList out;
        for (const QVariant &e : entries)
            out << e.toMap().value(QStringLiteral("name")).toString();
        return out;
    }

    // The argument lists of every call of one name, in order.
    Q_INVOKABLE QVariantList argsOf(const QString &name) const
    {
        QVariantList out;
        for (const QVariant &e : entries) {
            const QVariantMap m = e.toMap();
            if (m.value(QStringLiteral("name")).toString() == name)
                out << QVariant(m.value(QStringLiteral("args")));
        }
        return out;
    }

    Q_INVOKABLE int count(const QString &name) const { return int(argsOf(name).size()); }

    Q_INVOKABLE void clear() { entries.clear(); }

private:
    QVariantList entries;
};
