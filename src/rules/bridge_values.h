// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as the interface hands them over: script numbers, or the texts a settings file gives back
// ("240", "-5"). The device takes the low 8 bits of each.

#include <QVariant>
#include <QVariantList>
#include <QtGlobal>

#include <cstddef>
#include <vector>

namespace bridge {

// The low 8 bits of an integer, negative ones in two's complement.
inline uchar lowByteOf(qint64 value)
{
    return uchar(quint64(value) & 0xFF);
}

// The integer value of a number or of a text holding one; anything else counts as 0.
qint64 integerValue(const QVariant &value);

// The low 8 bits of the integer value. Reading a value as signed or unsigned gives the same low byte, so
// this one rule serves both ("-5" and 251 both give 0xFB).
uchar lowByte(const QVariant &value);

// The low bytes of the first `count` values; positions the list does not reach are 0.
std::vector<uchar> lowBytes(const QVariantList &values, std::size_t count);

// The integer values of the first `count` values; positions the list does not reach are 0.
std::vector<qint64> integerValues(const QVariantList &values, std::size_t count);

}  // namespace bridge
