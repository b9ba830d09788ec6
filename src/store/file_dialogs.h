// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file dialogs of import and export, behind a small interface so that tests can answer them. The
// desktop's own dialogs are the view's (desktop_file_dialogs.h).

#include <QObject>
#include <QString>

class QWidget;

class FileDialogs : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The chosen file, or an empty text when the user cancelled. Both are modal over `parent`'s window;
    // the save dialog offers `suggestedName` as the file name.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                 const QString &suggestedName) = 0;
};

// The file name an export suggests: `name` with `extension`, with characters that cannot be in a file
// name replaced by "_"; `fallback` when `name` has nothing else.
QString exportFileName(const QString &name, const QString &extension, const QString &fallback);
