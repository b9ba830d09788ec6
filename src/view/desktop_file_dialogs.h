#pragma once
// The platform's standard file dialogs for import and export, starting in the user's desktop folder, no
// filter preselected and no dialog options.

#include "file_dialogs.h"

class DesktopFileDialogs final : public FileDialogs
{
    Q_OBJECT

public:
    using FileDialogs::FileDialogs;

    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) override;
};
