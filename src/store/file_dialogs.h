#pragma once
// The file dialogs of import and export, behind a small interface so that tests can answer them.

#include <QObject>
#include <QString>

class QWidget;
class myQQuickView;

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

// The platform's standard dialogs, starting in the user's desktop folder, no filter preselected and no
// dialog options: the desktop's own (its portal) where it offers them, Qt's otherwise. A dialog is a window
// of its own, tied to the program's window but not its child, so that Qt's dialog does not take on the
// transparent style of the frameless window (it would be painted black).
class DesktopFileDialogs final : public FileDialogs
{
    Q_OBJECT

public:
    using FileDialogs::FileDialogs;

    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &suggestedName) override;
};

// The file name an export suggests: `name` with `extension`, with characters that cannot be in a file
// name replaced by "_"; `fallback` when `name` has nothing else.
QString exportFileName(const QString &name, const QString &extension, const QString &fallback);

// Makes `dialogs` answer the view's file dialogs (null: back to the desktop dialogs). The caller keeps
// ownership; a dialogs object parented to the view is freed with it.
void setFileDialogs(myQQuickView &view, FileDialogs *dialogs);
