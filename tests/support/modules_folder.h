// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh copy of the shipped modules/ folder in a temporary folder, made the current directory while the
// object lives (the program finds everything under ./modules/).

#include <QString>
#include <QTemporaryDir>

class ModulesFolder
{
public:
    ModulesFolder();
    ~ModulesFolder();

    // A file by its path relative to the temporary folder ("modules/setting/apConfig.bin").
    QString path(const QString &relative) const { return dir.filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const;
    QString root() const { return dir.path(); }

private:
    QTemporaryDir dir;
    QString previousDir;
};
