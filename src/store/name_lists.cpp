// SPDX-License-Identifier: GPL-3.0-or-later
// The name lists of name.bin (macro, gun and profile names), each stored and read as a whole.

#include "name_lists.h"

#include "name_list_rules.h"
#include "settings_format.h"
#include "store_paths.h"
#include "stored_values.h"

#include <QSettings>

namespace store {

QVariant updataNameList(const QVariant &type, const QStringList &nameList)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return true;
    QSettings names(kNameListPath, settingsFormat());
    const QStringList stored = withSentinel(nameList);
    if (stored.isEmpty())
        names.remove(key);
    else
        names.setValue(key, stored);
    return true;
}

QVariantList getNameList(const QVariant &type)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return {};
    const QSettings names(kNameListPath, settingsFormat());
    return storedList(names.value(key, 0));
}

}  // namespace store
