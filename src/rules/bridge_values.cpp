// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge_values.h"

#include <cmath>

namespace bridge {

qint64 integerValue(const QVariant &value)
{
    const int type = value.metaType().id();
    bool ok = false;
    double number = 0;
    if (type == QMetaType::Double || type == QMetaType::Float) {
        number = value.toDouble(&ok);
    } else {
        const qint64 integer = value.toLongLong(&ok);
        if (ok)
            return integer;
        // Texts such as "30.0".
        number = value.toDouble(&ok);
    }
    // Fractions are cut off; what no integer can hold counts as 0.
    if (!ok || !std::isfinite(number) || std::fabs(number) >= 9.0e18)
        return 0;
    return qint64(number);
}

uchar lowByte(const QVariant &value)
{
    return lowByteOf(integerValue(value));
}

std::vector<uchar> lowBytes(const QVariantList &values, std::size_t count)
{
    std::vector<uchar> bytes(count, 0);
    for (std::size_t i = 0; i < count && i < std::size_t(values.size()); ++i)
        bytes[i] = lowByte(values[qsizetype(i)]);
    return bytes;
}

std::vector<qint64> integerValues(const QVariantList &values, std::size_t count)
{
    std::vector<qint64> integers(count, 0);
    for (std::size_t i = 0; i < count && i < std::size_t(values.size()); ++i)
        integers[i] = integerValue(values[qsizetype(i)]);
    return integers;
}

}  // namespace bridge
