#pragma once
// Whole-file operations of the store: the copies behind reset, copy, import and export.

#include <QString>
#include <QStringList>

class QIODevice;

// Copies the file `source` over `target` in one step: the copy is written beside the target and moved over
// it only once it is complete, so a missing source, a full disk or a read-only folder leave the target
// exactly as it was. Settings objects cache a file's content by its size and modification time; the new
// file's time is made to differ from the old one's so that they read the new content even when the size
// is the same and both were written within one millisecond. Returns whether the target now holds the copy.
// A source that changes while it is read (cut short or pulled away by another program, a removed stick) is
// not copied: only the whole file as it was when opened counts.
bool copyFileOver(const QString &source, const QString &target);

// The same for an open `source` that claims `size` bytes (-1: unknown, for pipes and other streams): the
// copy replaces `target` only when it is complete and exactly that long.
bool copyOver(QIODevice &source, qint64 size, const QString &target);

// Settings objects share one cache per file, kept while the file's size and time stay the same. For a file
// that is about to appear where another was removed (a renamed or imported macro), this drops what the
// cache still holds for `path`; `path` must not exist.
void forgetCachedSettings(const QString &path);

// The settings library guards each write of a settings file with a lock file beside it. A program killed
// while it was creating one leaves it empty, and the library then takes an empty lock file for a live one
// until it is 30 seconds old: every save of that file would wait that long. Only one instance of the
// program runs, so at its start such files can only be left-overs: they are removed from `folders`.
void removeAbandonedLockFiles(const QStringList &folders);
