// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QWindow>

namespace {

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// Shows a dialog as a window of its own, modal over the window of `parent`, and returns the chosen file.
QString runDialog(QWidget *parent, const QString &caption, const QString &filter, QFileDialog::AcceptMode mode,
                  const QString &suggestedName)
{
    QFileDialog dialog(nullptr, caption, desktopFolder(), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    if (!suggestedName.isEmpty())
        dialog.selectFile(suggestedName);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (QWidget *window = parent ? parent->window() : nullptr) {
        dialog.winId();   // the dialog's window exists from here on, so it can be tied to the program's
        if (dialog.windowHandle() && window->windowHandle())
            dialog.windowHandle()->setTransientParent(window->windowHandle());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString DesktopFileDialogs::openFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return runDialog(parent, caption, filter, QFileDialog::AcceptOpen, QString());
}

QString DesktopFileDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                         const QString &suggestedName)
{
    return runDialog(parent, caption, filter, QFileDialog::AcceptSave, suggestedName);
}
