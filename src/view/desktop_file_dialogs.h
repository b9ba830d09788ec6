// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's standard dialogs for import and export, starting in the user's desktop folder, no filter
// preselected and no dialog options: the desktop's own (its portal) where it offers them, Qt's otherwise. A
// dialog is a window of its own, tied to the program's window but not its child, so that Qt's dialog does
// not take on the transparent style of the frameless window (it would be painted black).

#include "file_dialogs.h"

class DesktopFileDialogs final : public FileDialogs
{
    Q_OBJECT

public:
    using FileDialogs::FileDialogs;

    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &suggestedName) override;
};
