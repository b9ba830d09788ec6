// SPDX-License-Identifier: GPL-3.0-or-later
#include "notice_boxes.h"

#include <QDebug>
#include <QWidget>

QString cappedNoticeText(const QString &text)
{
    qsizetype end = qMin(text.size(), qsizetype(kMaxNoticeChars));
    qsizetype lines = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (text.at(i) == u'\n' && ++lines == kMaxNoticeLines) {
            end = i;
            break;
        }
    }
    if (end == text.size())
        return text;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end) + QChar(0x2026);
}

NoticeBoxes &NoticeBoxes::of(QWidget &owner)
{
    if (auto *boxes = owner.findChild<NoticeBoxes *>(QString(), Qt::FindDirectChildrenOnly))
        return *boxes;
    return *new NoticeBoxes(&owner);   // owned by `owner`
}

NoticeBoxes::NoticeBoxes(QObject *parent)
    : QObject(parent)
{
}

NoticeBoxes::~NoticeBoxes() = default;

void NoticeBoxes::warn(const QString &caption, const QString &text)
{
    const Notice notice{caption, cappedNoticeText(text)};
    if (!box) {
        open(notice);
        return;
    }
    if (queue.size() < kMaxWaiting) {
        queue.enqueue(notice);
        return;
    }
    ++droppedCount;
    if (!droppingTold) {
        droppingTold = true;
        qDebug() << "warning boxes: more than" << kMaxWaiting << "wait; later ones are dropped";
    }
}

void NoticeBoxes::open(const Notice &notice)
{
    box = std::make_unique<QMessageBox>(QMessageBox::Warning, notice.caption, notice.text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::NonModal);
    connect(box.get(), &QMessageBox::finished, this, &NoticeBoxes::closed);
    box->show();
    emit shown(notice.caption, notice.text);
}

void NoticeBoxes::closed()
{
    // The box is still in its own signal: it goes once that has returned.
    box.release()->deleteLater();
    if (queue.isEmpty()) {
        droppingTold = false;
        return;
    }
    open(queue.dequeue());
}
