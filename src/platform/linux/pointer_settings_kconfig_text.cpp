// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointer_settings_kconfig_text.h"

#include <QList>

namespace kconfig {

namespace {

bool isGroupLine(const QByteArray &trimmed)
{
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

// "[A][B][$i]" -> name "A][B" (as KConfig's nested group names are compared here), locked.
QByteArray groupName(const QByteArray &trimmed, bool &locked)
{
    QByteArray name = trimmed.mid(1, trimmed.size() - 2);
    locked = false;
    if (name.endsWith("][$i")) {
        locked = true;
        name.chop(4);
    }
    return name;
}

struct EntryLine
{
    bool isEntry = false;
    bool localised = false;   // "Key[de]=": a translation, another entry
    bool locked = false;
    QByteArray key;
};

EntryLine parseEntry(const QByteArray &trimmed)
{
    EntryLine entry;
    if (trimmed.isEmpty() || trimmed.startsWith('#'))
        return entry;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0)
        return entry;
    QByteArray left = trimmed.left(equals).trimmed();
    const qsizetype bracket = left.indexOf('[');
    if (bracket >= 0) {
        const QByteArray options = left.mid(bracket);
        left = left.left(bracket).trimmed();
        // Options look like "[$e]", "[$i]", "[$ie]"; anything else in brackets is a locale.
        for (qsizetype at = 0; at < options.size();) {
            const qsizetype close = options.indexOf(']', at);
            if (close < 0)
                break;
            const QByteArray part = options.mid(at + 1, close - at - 1);
            if (part.startsWith('$'))
                entry.locked = entry.locked || part.contains('i');
            else
                entry.localised = true;
            at = close + 1;
        }
    }
    entry.isEntry = true;
    entry.key = left;
    return entry;
}

}  // namespace

std::optional<QByteArray> withEntry(const QByteArray &text, QByteArrayView group, QByteArrayView key,
                                    QByteArrayView value)
{
    QList<QByteArray> lines = text.split('\n');
    const bool endsWithNewline = text.isEmpty() || text.endsWith('\n');
    if (endsWithNewline)
        lines.removeLast();   // the empty piece after the last newline

    const QByteArray entryLine = key.toByteArray() + '=' + value.toByteArray();
    QByteArray current = "<default>";
    bool inGroup = group == QByteArrayView("<default>");
    bool groupSeen = inGroup;
    qsizetype lastOfGroup = -1;     // the last non-empty line of the target group so far
    qsizetype replaced = -1;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (isGroupLine(trimmed)) {
            bool locked = false;
            current = groupName(trimmed, locked);
            inGroup = current == group;
            if (inGroup) {
                if (locked)
                    return std::nullopt;
                groupSeen = true;
                lastOfGroup = i;
            }
            continue;
        }
        if (!inGroup)
            continue;
        if (!trimmed.isEmpty())
            lastOfGroup = i;
        const EntryLine entry = parseEntry(trimmed);
        if (!entry.isEntry || entry.localised || entry.key != key)
            continue;
        if (entry.locked)
            return std::nullopt;
        if (replaced < 0) {
            lines[i] = entryLine;
            replaced = i;
        } else {
            // A repeated entry would override ours when read: it goes.
            lines.removeAt(i);
            --i;
        }
    }

    if (replaced < 0) {
        if (groupSeen && lastOfGroup >= 0) {
            lines.insert(lastOfGroup + 1, entryLine);
        } else if (groupSeen) {
            lines.prepend(entryLine);   // the default group, in a file without entries before its groups
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines.append(QByteArray());
            lines.append('[' + group.toByteArray() + ']');
            lines.append(entryLine);
        }
    }
    QByteArray out = lines.join('\n');
    out.append('\n');
    return out;
}

}  // namespace kconfig
