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

    // The chosen file, or an empty text when the user cancelled. Both are modal over `parent`.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
};

// The platform's standard dialogs, starting in the user's desktop folder, no filter preselected and no
// dialog options.
class DesktopFileDialogs final : public FileDialogs
{
    Q_OBJECT

public:
    using FileDialogs::FileDialogs;

    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) override;
};

// Makes `dialogs` answer the view's file dialogs (null: back to the desktop dialogs). The caller keeps
// ownership; a dialogs object parented to the view is freed with it.
void setFileDialogs(myQQuickView &view, FileDialogs *dialogs);
