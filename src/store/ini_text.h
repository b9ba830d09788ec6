// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The INI text of the settings files, as plain functions: text in, keys and values out, and back.
//
// The files are the ones the settings library has always written in its INI format, and other programs
// (and older versions of this one) read and write them too. So both directions follow that format to the
// byte: keys are "group/name" (a key without a group lives in [General]); a value is a text, a list of
// texts joined by ", ", or a typed value in "@Type(...)" form; texts are quoted when they hold ';', ',' or
// '=' or have outer blanks, and escaped with C-like backslash sequences; non-ASCII text is UTF-8; key
// characters other than letters, digits, '_', '-' and '.' are written as %XX or %UXXXX. Groups are written
// in the order of their names, keys in the order of their names, with a blank line between groups; how a
// file was laid out by hand is not kept.
//
// Reading is forgiving like the library's reader: lines that are not "key=value", "[group]" or ";comment"
// are skipped, a later key replaces an earlier one, and everything readable is read.

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ini {

using Values = QMap<QString, QVariant>;

// Every key of `text` with its value.
Values parse(QByteArrayView text);

// The text of a file holding exactly `values`.
QByteArray write(const Values &values);

// The pieces, for tests and for the few callers that need one of them.

// A key or group name as the file spells it, and back ("\" in a file is "/" in a key).
QByteArray escapedKey(const QString &key);
QString unescapedKey(QByteArrayView text);

// One value as the file spells it: quoted and escaped as needed, lists joined with ", ".
QByteArray valueText(const QVariant &value);
// The value a file's text after "=" stands for: a text, a list of texts, or a typed value.
QVariant valueOf(QByteArrayView text);

}  // namespace ini
