#include "desktop_file_dialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace {

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

}  // namespace

QString DesktopFileDialogs::openFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, desktopFolder(), filter);
}

QString DesktopFileDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, desktopFolder(), filter);
}
