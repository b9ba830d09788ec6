#pragma once
// Names that become part of a file name (macro names, language codes) must name a file inside their own
// folder and nothing else.

#include <QString>
#include <QStringView>

// The longest file name (in UTF-8 bytes) the common file systems accept.
inline constexpr int kMaxFileNameBytes = 255;

// True when `baseName` followed by `extension` is one plain file name: not empty, no path separator
// (slash or backslash, on every platform, so that files stay portable), no "..", not ".", no control
// characters, and at most kMaxFileNameBytes bytes long.
bool isSafeFileName(const QString &baseName, QStringView extension);

class QVariant;

// A macro name handed over by the interface, when it is a safe file name; otherwise an empty text, and a
// debug message naming the refused `operation`. Every macro operation goes through it, so that no file
// outside the macro folder is ever created, renamed or deleted.
QString checkedMacroName(const QVariant &name, const char *operation);
