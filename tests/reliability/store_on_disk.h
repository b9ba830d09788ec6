// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view's store on a copy of the shipped files under a folder of the test's choosing (a small disk of
// its own, or a temporary folder), made the current directory while it lives. Files the folder already
// holds are kept.

#include "file_dialogs.h"
#include "my_quick_view.h"

#include <QMap>
#include <QStringList>

#include <memory>

class StoreOnDisk
{
public:
    explicit StoreOnDisk(const QString &root);
    ~StoreOnDisk();
    StoreOnDisk(const StoreOnDisk &) = delete;
    StoreOnDisk &operator=(const StoreOnDisk &) = delete;

    myQQuickView &view() { return *built; }
    // Syncs every long-lived settings object of the view.
    void flush();
    // Every file under modules/, by relative path.
    QMap<QString, QByteArray> files() const;
    QByteArray read(const QString &relative) const;
    QString path(const QString &relative) const { return root + QLatin1Char('/') + relative; }
    // The next answers of the view's file dialogs (an empty answer cancels).
    QStringList &dialogAnswers();

private:
    QString root;
    QString previousDir;
    std::unique_ptr<myQQuickView> built;
    class Dialogs;
    Dialogs *dialogs = nullptr;
};
