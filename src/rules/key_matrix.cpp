// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_matrix.h"

namespace keymatrix {

namespace {

constexpr uchar kDoubleClickKey = 0x1E;     // bytes 2 and 3 of the double click
constexpr uchar kDoubleClickCount = 0x02;

constexpr Entry kSniper553{device::Dpi, 0, kDpiSniper, 2};
constexpr Entry kSniper560{device::Special, 0, 1, 1};

bool validGunCount(uchar n)
{
    return n >= 1 && n <= 3;
}

}  // namespace

Entry entryAt(const Matrix &matrix, int slot)
{
    const int at = slot * kEntryBytes;
    return {matrix[at], matrix[at + 1], matrix[at + 2], matrix[at + 3]};
}

void setEntry(Matrix &matrix, int slot, const Entry &entry)
{
    for (int i = 0; i < kEntryBytes; ++i)
        matrix[slot * kEntryBytes + i] = entry[i];
}

Entry deviceEntry(const Entry &assignment, CommandFamily family)
{
    Entry entry = assignment;
    switch (assignment[0]) {
    case fn::MouseButton:
        entry[0] = (entry[2] == kDoubleClickKey && entry[3] == kDoubleClickCount) ? device::Repeat
                                                                                    : device::MouseButton;
        break;
    case fn::Fire:
        entry[0] = device::Repeat;
        break;
    case fn::KeyCombination:
    case fn::WindowsFunction:
    case fn::Shortcut:
        entry[0] = device::Keys;
        break;
    case fn::Media:
    case fn::Gun:
        break;
    case fn::Macro:
        // The device numbers macros from 1: the macro of slot s is macro s + 1.
        entry[0] = device::Macro;
        entry[2] = uchar(entry[2] + 1);
        break;
    case fn::Dpi:
        if (entry[2] == kDpiSniper)
            return family == CommandFamily::F560 ? kSniper560 : kSniper553;
        entry[0] = device::Dpi;
        break;
    case fn::ButtonDefault:
        entry[0] = device::ButtonDefault;
        break;
    default:
        // Codes the interface never produces travel as they stand.
        break;
    }
    return entry;
}

Matrix primaryMatrix(const Matrix &assignments, CommandFamily family)
{
    Matrix matrix{};
    for (int slot = 0; slot < kSlots; ++slot)
        setEntry(matrix, slot, deviceEntry(entryAt(assignments, slot), family));
    // The fixed slots, in this order: button 5 moves to slot 7 before slot 5 is overwritten.
    setEntry(matrix, kSlotOfButton5, entryAt(matrix, 5));
    setEntry(matrix, 5, {device::Dpi, 0, 3, 0});
    setEntry(matrix, 6, {device::FixedSlot6, 0, 3, 0});
    setEntry(matrix, 8, {device::FixedSlots8And9, 0, 0, 0});
    setEntry(matrix, 9, {device::FixedSlots8And9, 1, 0, 0});
    setEntry(matrix, 12, {device::FixedSlot12, 0, 0, 0});
    return matrix;
}

bool hasGun(const Matrix &primary)
{
    for (int slot = 0; slot < kSlots; ++slot)
        if (primary[slot * kEntryBytes] == device::Gun)
            return true;
    return false;
}

std::optional<uchar> gunModeFor(uchar gunCount)
{
    switch (gunCount) {
    case 1: return 0x07;
    case 2: return 0x0F;
    case 3: return 0x1F;
    default: return std::nullopt;
    }
}

GunMatrices gunMatrices(const Matrix &primary, const Matrix &defaultMatrix, const std::array<uchar, 3> &firePeriods,
                        CommandFamily family)
{
    GunMatrices out;
    out.primary = primary;
    out.gun = {defaultMatrix, defaultMatrix, defaultMatrix};
    Matrix &p = out.primary;
    auto &[g2, g3, g4] = out.gun;

    for (int slot = 0; slot < kSlots; ++slot) {
        const int at = slot * kEntryBytes;
        if (p[at] != device::Gun)
            continue;
        const uchar n = p[at + 2];   // the number of guns on this key
        for (Matrix &g : out.gun)
            g[at] = device::Gun;
        if (family == CommandFamily::F553) {
            // Bytes 1 and 2 become 0 and 1; byte 3 says which gun the matrix fires (0: none), and keeps
            // its value when the gun count is not 1 to 3.
            auto set = [&](Matrix &m, uchar gunOfMatrix) {
                m[at + 1] = 0;
                m[at + 2] = 1;
                if (validGunCount(n))
                    m[at + 3] = gunOfMatrix;
            };
            set(p, 1);
            set(g2, n >= 2 ? 2 : 0);
            set(g3, n == 3 ? 3 : 0);
            set(g4, 0);
        } else if (validGunCount(n)) {
            // Only byte 2 changes; an unknown gun count changes nothing beyond the function bytes.
            p[at + 2] = 1;
            g2[at + 2] = n >= 2 ? 3 : 0;
            g3[at + 2] = n == 3 ? 3 : 0;
            g4[at + 2] = 0;
            out.gunMode = gunModeFor(n);   // a later gun key wins
        }
    }
    // Slot 0 (the left button) of gun matrix i fires gun i with its period.
    for (int i = 0; i < 3; ++i)
        setEntry(out.gun[size_t(i)], 0, {device::Special, uchar(i), firePeriods[size_t(i)], 0});
    return out;
}

}  // namespace keymatrix
