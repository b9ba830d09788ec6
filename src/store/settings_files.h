#pragma once
// Whole-file operations of the store: the copies behind reset, copy, import and export.

#include <QString>

// Copies the file `source` over `target` in one step: the copy is written beside the target and moved over
// it only once it is complete, so a missing source, a full disk or a read-only folder leave the target
// exactly as it was. Settings objects cache a file's content by its size and modification time; the new
// file's time is made to differ from the old one's so that they read the new content even when the size
// is the same and both were written within one millisecond. Returns whether the target now holds the copy.
bool copyFileOver(const QString &source, const QString &target);

// Settings objects share one cache per file, kept while the file's size and time stay the same. For a file
// that is about to appear where another was removed (a renamed or imported macro), this drops what the
// cache still holds for `path`; `path` must not exist.
void forgetCachedSettings(const QString &path);
