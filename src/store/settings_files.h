// SPDX-License-Identifier: GPL-3.0-or-later
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

// What a program killed while it saved leaves beside the store's files, removed from `folders` at start
// (only one instance of the program runs, so such files can only be left-overs):
// - Empty lock files. The settings library guards each write of a settings file with a lock file beside
//   it; killed while creating one, it leaves it empty, and the library then takes an empty lock file for a
//   live one until it is 30 seconds old: every save of that file would wait that long.
// - Temporary files of a save, named after the file and six random letters or digits ("p1.bin.Ab3xYz"),
//   written whole or in part but never renamed. A name whose six characters are one word of one letter
//   case ("p1.bin.backup"), or a file older than the one it is named after, may be the user's own copy
//   and is kept.
void removeAbandonedFiles(const QStringList &folders);
