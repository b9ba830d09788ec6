// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The format every settings file of the program is opened with.
//
// It writes the same INI text as the settings library's own INI format (see ini_text.h), with one
// difference that matters: the whole text reaches the file before the library is told that the write
// succeeded. The library's INI writer leaves the last part of the text in a buffer that is flushed only
// while the file is committed, and a failure of that flush (a full disk) goes unnoticed: a truncated file
// would replace the complete one. Here a failed write or flush fails the save, the library then keeps the
// old file and the unsaved values stay in memory for the next save (see durable_file.h).
//
// A settings file that is a symbolic link out of its folder is neither read (it reads as empty) nor
// written (the save fails): see linkOutOfFolder() in safe_names.h.

#include <QSettings>

QSettings::Format settingsFormat();
