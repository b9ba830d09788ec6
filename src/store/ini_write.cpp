// SPDX-License-Identifier: GPL-3.0-or-later
// Writing INI text: groups and keys in name order, values escaped and quoted as the settings library's
// writer does, so that files stay the same bytes whichever of the two wrote them.

#include "ini_text.h"

#include <QDataStream>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringEncoder>

namespace {

#ifdef Q_OS_WIN
constexpr char kEndOfLine[] = "\r\n";
#else
constexpr char kEndOfLine[] = "\n";
#endif

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isPlainKeyCharacter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.';
}

char upperHex(uint digit)
{
    return "0123456789ABCDEF"[digit & 0xF];
}

QString streamedText(const QVariant &value)
{
    const bool dateTime = value.userType() == QMetaType::QDateTime;
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
        stream << value;
    }
    return QLatin1String(dateTime ? "@DateTime(" : "@Variant(") + QLatin1String(bytes) + u')';
}

// One value as a text: plain texts and numbers as they are ('@' doubled at the start), the types the
// format names in "@Type(...)", anything else streamed.
QString variantText(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QLatin1String("@ByteArray(") + QLatin1String(value.toByteArray()) + u')';
    case QMetaType::QKeySequence:
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        QString text = value.toString();
        if (text.contains(QChar::Null))
            return QLatin1String("@String(") + text + u')';
        if (text.startsWith(u'@'))
            text.prepend(u'@');
        return text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        return streamedText(value);
    }
}

// A text as the file spells it. Streamed and byte-array values keep their bytes as Latin-1 with
// everything from 0x7F escaped; other texts are UTF-8. A hex digit right after a \x or \0 escape is
// escaped too, so that it cannot be read as part of it.
void appendEscaped(const QString &text, QByteArray &out)
{
    const bool utf8 = !(text.startsWith(QLatin1String("@ByteArray(")) || text.startsWith(QLatin1String("@Variant(")) ||
                        text.startsWith(QLatin1String("@DateTime(")));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeHexDigit = false;
    QStringEncoder toUtf8(QStringEncoder::Utf8);

    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeHexDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
        case '\0': out += "\\0"; escapeHexDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && !utf8)) {
                out += "\\x" + QByteArray::number(uint(c), 16);
                escapeHexDigit = true;
            } else if (utf8) {
                out += toUtf8(QStringView(&qc, 1));
            } else {
                out += char(c);
            }
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

}  // namespace

namespace ini {

QByteArray escapedKey(const QString &key)
{
    QByteArray out;
    out.reserve(key.size());
    for (const QChar qc : key) {
        const uint c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if (isPlainKeyCharacter(char16_t(c))) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += upperHex(c >> 4);
            out += upperHex(c);
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += upperHex(c >> shift);
        }
    }
    return out;
}

QByteArray valueText(const QVariant &value)
{
    QByteArray out;
    // A list of one value is not written as a list: it is a value of its own kind (a list of one text
    // is that text).
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList || (type == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList items = value.toList();
        if (items.isEmpty())
            return QByteArrayLiteral("@Invalid()");
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i != 0)
                out += ", ";
            appendEscaped(variantText(items.at(i)), out);
        }
        return out;
    }
    appendEscaped(variantText(value), out);
    return out;
}

QByteArray write(const Values &values)
{
    // Group ("" for keys without one) -> name -> value; both in name order.
    QMap<QString, QMap<QString, QVariant>> groups;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0)
            groups[QString()].insert(it.key(), it.value());
        else
            groups[it.key().left(slash)].insert(it.key().sliced(slash + 1), it.value());
    }

    QByteArray out;
    for (auto group = groups.cbegin(); group != groups.cend(); ++group) {
        if (group != groups.cbegin())
            out += kEndOfLine;
        const QByteArray name = escapedKey(group.key());
        if (name.isEmpty())
            out += "[General]";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            out += "[%General]";
        else
            out += '[' + name + ']';
        out += kEndOfLine;
        for (auto key = group->cbegin(); key != group->cend(); ++key)
            out += escapedKey(key.key()) + '=' + valueText(key.value()) + kEndOfLine;
    }
    return out;
}

}  // namespace ini
