// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program writes a file: the new content goes whole into a temporary file beside the
// target, every write and the final flush are checked and the data forced to the disk, and only then is
// the temporary file renamed over the target. On any error the temporary file is removed, the old file is
// untouched and the caller is told why.
//
// Why not simply QSaveFile::commit(): on Qt 6.4 a buffered QSaveFile (and so QSettings::sync(), which
// writes through one) reports success when the flush of its last buffered bytes fails, as it does on a
// full disk. The rename then replaces a complete file by a truncated one. Here nothing is left in a
// buffer that commit() would flush: every byte is written, checked and synced before the rename.
//
// Settings files are written by the settings library, which makes its own temporary file and renames it;
// their text goes through writeAll() on the library's file, so the same checks decide whether the library
// may rename it.

#include <QByteArrayView>
#include <QString>

class QFileDevice;
class QIODevice;

namespace durable {

// Writes all of `bytes` to `file`, which is open for writing, then flushes it and forces it to the disk.
// False (with `reason`, when given) if any of that failed: the file must then not replace anything.
bool writeAll(QFileDevice &file, QByteArrayView bytes, QString *reason = nullptr);

// Replaces the file at `path` with everything `source` yields (read in pieces, so a large file is never
// held whole). `size` >= 0 is the number of bytes `source` claims: a source that yields another number
// (cut short or changed while it was read) replaces nothing. A link at `path` is followed: its target is
// replaced. True when `path` now holds the new content.
bool replaceFile(const QString &path, QIODevice &source, qint64 size, QString *reason = nullptr);

// The same for content in memory.
bool replaceFile(const QString &path, QByteArrayView bytes, QString *reason = nullptr);

}  // namespace durable
