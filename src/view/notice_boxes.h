// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Warning boxes that never hold the program up. At most one is open at a time and it is not modal: the
// event loop, the device, the tray and the session bus are served while it is open. Messages that arrive
// meanwhile wait behind it, at most kMaxWaiting of them; further ones are dropped (said once per flood in
// the debug output). Every text is shown as plain text (never as markup that could load files) and cut to
// kMaxNoticeChars characters and kMaxNoticeLines lines, ending in an ellipsis: no text, however long, can
// keep the interface busy laying it out.

#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QString>

#include <memory>

class QWidget;

inline constexpr int kMaxNoticeChars = 2000;
inline constexpr int kMaxNoticeLines = 30;

// `text` as a box shows it: unchanged when it is short enough, else cut (never inside a character) with an
// ellipsis ("…") at the end.
QString cappedNoticeText(const QString &text);

class NoticeBoxes : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxWaiting = 8;

    // The boxes of `owner` (made on first use, a child of `owner`).
    static NoticeBoxes &of(QWidget &owner);

    explicit NoticeBoxes(QObject *parent = nullptr);
    ~NoticeBoxes() override;

    // Shows a warning box now, or after the ones before it are closed.
    void warn(const QString &caption, const QString &text);

    // The open box, or null.
    QMessageBox *current() const { return box.get(); }
    int waiting() const { return int(queue.size()); }
    int dropped() const { return droppedCount; }

signals:
    // Each box as it opens, with the text it shows.
    void shown(const QString &caption, const QString &text);

private:
    struct Notice
    {
        QString caption;
        QString text;
    };
    void open(const Notice &notice);
    void closed();

    std::unique_ptr<QMessageBox> box;
    QQueue<Notice> queue;
    int droppedCount = 0;
    bool droppingTold = false;
};
