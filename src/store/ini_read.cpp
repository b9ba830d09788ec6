// SPDX-License-Identifier: GPL-3.0-or-later
// Reading INI text: lines, groups, keys and values, as the settings library's reader takes them.

#include "ini_text.h"

#include <QDataStream>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringDecoder>

#include <array>
#include <utility>
#include <vector>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Characters that end a run of ordinary text within a line.
bool isLineSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

int hexDigit(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octalDigit(char16_t c)
{
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;   // the first '=' outside quotes, as an offset into the data
};

// The next logical line from `pos`: leading blanks and comment lines are skipped, a quoted part may span
// line breaks, a backslash takes the next character (a CR LF or LF CR pair as one) along, and an unquoted
// ';' ends the line. False when nothing is left.
bool nextLine(QByteArrayView data, qsizetype &pos, Line &line)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < size && isBlank(data[line.start]))
        ++line.start;

    qsizetype i = line.start;
    while (i < size) {
        const char c = data[i++];
        if (!isLineSpecial(c))
            continue;
        if (c == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else {  // ';'
            if (i == line.start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && isBlank(data[i]))
                    ++i;
                line.start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

void chopTrailingBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size() - 1;
    while (n >= limit && (text[n] == u' ' || text[n] == u'\t'))
        text.truncate(n--);
}

// The text after '=': one text, or a list when an unquoted comma occurs. Blanks around unquoted parts are
// dropped, quotes group, backslash sequences are C-like (\xHH.., \ooo, and a backslash before a line break
// continues the line).
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView text) : in(text) {}

    QVariant read();

private:
    enum class Next { Blanks, Normal, End };
    Next normal();
    Next numericEscape(int base);
    void skipBlanks();

    QByteArrayView in;
    qsizetype i = 0;
    QString current;
    QStringList list;
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    QStringDecoder utf8{QStringDecoder::Utf8};
};

void ValueReader::skipBlanks()
{
    while (i < in.size() && (in[i] == ' ' || in[i] == '\t'))
        ++i;
}

ValueReader::Next ValueReader::numericEscape(int base)
{
    char16_t value = 0;
    for (;;) {
        if (i >= in.size()) {
            current += QChar(value);
            return Next::End;
        }
        const int digit = base == 16 ? hexDigit(char16_t(uchar(in[i]))) : octalDigit(char16_t(uchar(in[i])));
        if (digit < 0) {
            current += QChar(value);
            return Next::Normal;
        }
        value = char16_t(value * base + digit);
        ++i;
    }
}

ValueReader::Next ValueReader::normal()
{
    static constexpr std::array<std::pair<char, char>, 11> kEscapes{{{'a', '\a'}, {'b', '\b'}, {'f', '\f'},
                                                                      {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                                                      {'v', '\v'}, {'"', '"'}, {'?', '?'},
                                                                      {'\'', '\''}, {'\\', '\\'}}};
    qsizetype chopLimit = current.size();
    while (i < in.size()) {
        const char c = in[i];
        if (c == '\\') {
            if (++i >= in.size())
                return Next::End;
            const char escaped = in[i++];
            for (const auto &[code, meaning] : kEscapes) {
                if (escaped == code) {
                    current += QLatin1Char(meaning);
                    return Next::Normal;
                }
            }
            if (escaped == 'x') {
                if (i >= in.size())
                    return Next::End;
                if (hexDigit(char16_t(uchar(in[i]))) >= 0)
                    return numericEscape(16);
            } else if (octalDigit(char16_t(uchar(escaped))) >= 0) {
                --i;
                return numericEscape(8);
            } else if (escaped == '\n' || escaped == '\r') {
                if (i < in.size() && (in[i] == '\n' || in[i] == '\r') && in[i] != escaped)
                    ++i;
            }
            // Any other escaped character is dropped.
            chopLimit = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                return Next::Blanks;
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingBlanks(current, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(current);
            current.clear();
            quoted = false;
            ++i;
            return Next::Blanks;
        } else {
            qsizetype j = i + 1;
            while (j < in.size() && in[j] != '\\' && in[j] != '"' && in[j] != ',')
                ++j;
            current += utf8(in.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted)
        chopTrailingBlanks(current, chopLimit);
    return Next::End;
}

QVariant textToVariant(const QString &text);

QVariant listToVariant(const QStringList &texts)
{
    // Texts beginning with a single '@' are typed values: then the whole list is read as values.
    QStringList plain = texts;
    for (QString &text : plain) {
        if (!text.startsWith(u'@'))
            continue;
        if (text.size() < 2 || text[1] != u'@') {
            QVariantList values;
            values.reserve(texts.size());
            for (const QString &t : texts)
                values.append(textToVariant(t));
            return values;
        }
        text.remove(0, 1);
    }
    return plain;
}

QVariant ValueReader::read()
{
    Next next = Next::Blanks;
    while (next != Next::End) {
        if (next == Next::Blanks)
            skipBlanks();
        next = normal();
    }
    if (isList) {
        list.append(current);
        return listToVariant(list);
    }
    return textToVariant(current);
}

// The arguments of "@Rect(1 2 3 4)" and its kind, from the '(' at `open`: split at blanks, each ')' ends
// an argument.
QStringList typedArguments(const QString &text, qsizetype open)
{
    QStringList args;
    QString item;
    for (qsizetype k = open + 1; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == u')') {
            args.append(item);
        } else if (c == u' ') {
            args.append(item);
            item.clear();
        } else {
            item.append(c);
        }
    }
    return args;
}

QVariant streamed(const QString &text, qsizetype offset, QDataStream::Version version)
{
    QByteArray bytes = QStringView(text).sliced(offset).toLatin1();
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    stream.setVersion(version);
    QVariant value;
    stream >> value;
    return value;
}

QVariant textToVariant(const QString &text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.endsWith(u')')) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return QStringView(text).sliced(11).chopped(1).toLatin1();
        if (text.startsWith(QLatin1String("@String(")))
            return QStringView(text).sliced(8).chopped(1).toString();
        if (text.startsWith(QLatin1String("@Variant(")))
            return streamed(text, 9, QDataStream::Qt_4_0);
        if (text.startsWith(QLatin1String("@DateTime(")))
            return streamed(text, 10, QDataStream::Qt_5_6);
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QStringList a = typedArguments(text, 5);
            if (a.size() == 4)
                return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QStringList a = typedArguments(text, 5);
            if (a.size() == 2)
                return QSize(a[0].toInt(), a[1].toInt());
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QStringList a = typedArguments(text, 6);
            if (a.size() == 2)
                return QPoint(a[0].toInt(), a[1].toInt());
        } else if (text == QLatin1String("@Invalid()")) {
            return QVariant();
        }
    }
    if (text.startsWith(QLatin1String("@@")))
        return text.sliced(1);
    return text;
}

// A group's lines, collected in file order; groups of the same name are one group.
struct KeyLine
{
    QByteArrayView key;
    QByteArrayView value;
};

// Lines that are neither a key nor a group are skipped, as damaged lines are.
void addKeyLine(std::vector<KeyLine> &group, QByteArrayView data, const Line &line)
{
    if (line.equals < 0)
        return;
    const QByteArrayView content = data.sliced(line.start, line.length);
    const qsizetype equals = line.equals - line.start;
    group.push_back({content.first(equals).trimmed(), content.sliced(equals + 1)});
}

QString groupOf(QByteArrayView header)
{
    qsizetype close = header.indexOf(']');
    if (close < 0)
        close = header.size();
    const QByteArrayView name = header.first(close).sliced(1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QLatin1String(name.sliced(1)) + u'/';
    return ini::unescapedKey(name) + u'/';
}

}  // namespace

namespace ini {

QString unescapedKey(QByteArrayView text)
{
    const QString decoded = QString::fromUtf8(text);
    const qsizetype size = decoded.size();
    QString key;
    key.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == size - 1) {
            key += c;
            ++i;
            continue;
        }
        // %XX or %UXXXX; anything else keeps the '%' as it is.
        const bool wide = decoded[i + 1] == u'U';
        const qsizetype first = wide ? i + 2 : i + 1;
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = first + digits <= size ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += u'%';
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

QVariant valueOf(QByteArrayView text)
{
    return ValueReader(text).read();
}

Values parse(QByteArrayView text)
{
    // A UTF-8 byte order mark is skipped while the file is searched for groups; the lines before the first
    // group are then read from the very start, mark included (so a key on the first line keeps it, as the
    // library's reader has it).
    const qsizetype start = text.startsWith("\xef\xbb\xbf") ? 3 : 0;

    QMap<QString, std::vector<KeyLine>> groups;
    std::vector<KeyLine> *group = nullptr;
    qsizetype firstGroup = -1;
    qsizetype pos = start;
    Line line;
    while (nextLine(text, pos, line)) {
        const QByteArrayView content = text.sliced(line.start, line.length);
        if (content.startsWith('[')) {
            if (firstGroup < 0)
                firstGroup = line.start;
            group = &groups[groupOf(content)];
        } else if (group) {
            addKeyLine(*group, text, line);
        }
    }
    const QByteArrayView top = firstGroup < 0 ? text : text.first(firstGroup);
    std::vector<KeyLine> &general = groups[QString()];
    std::vector<KeyLine> topLines;
    pos = 0;
    while (nextLine(top, pos, line))
        addKeyLine(topLines, top, line);
    general.insert(general.begin(), topLines.begin(), topLines.end());

    // Groups in the order of their names, keys in file order: a later key replaces an earlier one.
    Values values;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        for (const KeyLine &keyLine : it.value())
            values.insert(it.key() + unescapedKey(keyLine.key), valueOf(keyLine.value));
    }
    return values;
}

}  // namespace ini
