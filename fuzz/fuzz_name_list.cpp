// SPDX-License-Identifier: GPL-3.0-or-later
// The name lists of name.bin: any list of names, stored as the store stores it (a one-name list with the
// sentinel appended) and read back as the pages read it (a two-name list ending in the sentinel is one
// name), is the same list; the only list that cannot survive is two names of which the second is the
// sentinel itself, which the pages refuse to create.

#include "fuzz_support.h"
#include "ini_text.h"
#include "name_list_rules.h"
#include "stored_values.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// What the pages do with a list read back.
QStringList asThePagesRead(const QVariantList &stored)
{
    QStringList names;
    for (const QVariant &v : stored)
        names << v.toString();
    if (names.size() == 2 && names.at(1) == kNameListSentinel)
        names.removeLast();
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int type = input.ConsumeIntegralInRange<int>(-1, 5);
    QStringList names;
    while (input.remaining_bytes() > 0 && names.size() < 64) {
        const std::string bytes = input.ConsumeRandomLengthString(32);
        names << QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    }
    const QString key = nameListKey(type);
    FUZZ_ASSERT(key.isEmpty() == (type < 0 || type > 3));
    if (key.isEmpty())
        return 0;

    const QStringList stored = withSentinel(names);
    FUZZ_ASSERT(stored.size() == (names.size() == 1 ? 2 : names.size()));
    ini::Values file{{QStringLiteral("profile/profileName"), QStringLiteral("Standard0")}};
    if (!stored.isEmpty())
        file.insert(key, stored);
    const ini::Values back = ini::parse(ini::write(file));
    FUZZ_ASSERT(back.value(QStringLiteral("profile/profileName")) == QVariant(QStringLiteral("Standard0")) ||
                key == QLatin1String("profile/profileName"));

    for (const QString &n : names)
        if (n.contains(QChar(0xFEFF)))
            return 0;
    const QVariantList read = storedList(back.value(key, 0));
    if (names.size() == 2 && names.at(1) == kNameListSentinel)
        FUZZ_ASSERT(asThePagesRead(read) == names.mid(0, 1));
    else
        FUZZ_ASSERT(asThePagesRead(read) == names);
    return 0;
}
