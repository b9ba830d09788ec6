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

    // The chosen file, or an empty text when the user cancelled. Both are modal over `parent`.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
};
