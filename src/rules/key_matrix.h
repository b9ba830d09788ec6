// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Button assignments and the device's key matrices.
//
// An assignment is four numbers (keyCode0 names the function, the other three its parameters); a set is
// 16 of them, button k at positions 4k..4k+3. The device keeps one 4-byte key entry per slot (a function
// code and three parameter bytes); 16 entries are a 64-byte key matrix. Matrix 1 is the primary matrix
// with the user's assignments, matrices 2, 3 and 4 are the gun matrices that take over while a gun key is
// active. These functions turn a set of assignments into the matrices; the slots in
// key_assignment_slots.cpp store and send them.

#include "command_family.h"

#include <QtGlobal>

#include <array>
#include <optional>

namespace keymatrix {

inline constexpr int kSlots = 16;
inline constexpr int kEntryBytes = 4;
inline constexpr int kMatrixBytes = kSlots * kEntryBytes;   // 64

using Entry = std::array<uchar, kEntryBytes>;
using Matrix = std::array<uchar, kMatrixBytes>;

// Assignment functions (keyCode0).
namespace fn {
inline constexpr uchar MouseButton = 0;      // also the double click, (0, 0xF0, 0x1E, 0x02)
inline constexpr uchar Fire = 1;
inline constexpr uchar KeyCombination = 2;
inline constexpr uchar Media = 3;
inline constexpr uchar Macro = 4;
inline constexpr uchar Dpi = 5;
inline constexpr uchar WindowsFunction = 6;
inline constexpr uchar Shortcut = 7;
inline constexpr uchar Gun = 8;
inline constexpr uchar ButtonDefault = 0xFF; // the defaults of buttons 14 and 15
}  // namespace fn

inline constexpr uchar kDpiSniper = 4;       // keyCode2 of a DPI assignment

// Device function codes of the key entries the program produces.
namespace device {
inline constexpr uchar Keys = 0;             // key combination, Windows function, shortcut
inline constexpr uchar MouseButton = 1;
inline constexpr uchar Media = 3;
inline constexpr uchar ButtonDefault = 4;
inline constexpr uchar FixedSlot6 = 5;       // device meaning not documented; sent as it stands
inline constexpr uchar Dpi = 7;
inline constexpr uchar Gun = 8;
inline constexpr uchar Macro = 9;
inline constexpr uchar Repeat = 10;          // fire and the double click
inline constexpr uchar Special = 11;         // 560 sniper; the fire entry of each gun matrix
inline constexpr uchar FixedSlots8And9 = 13;
inline constexpr uchar FixedSlot12 = 14;
}  // namespace device

// Where the assignments of a set reach the device: slots 5, 6, 8, 9 and 12 hold fixed entries; the
// assignment of button 5 goes to slot 7; the assignments of buttons 6 to 9 and 12 are never sent.
inline constexpr int kSlotOfButton5 = 7;

Entry entryAt(const Matrix &matrix, int slot);
void setEntry(Matrix &matrix, int slot, const Entry &entry);

// One assignment (its four numbers cut to bytes) as a device key entry.
Entry deviceEntry(const Entry &assignment, CommandFamily family);

// The primary key matrix of a set of assignments (each number cut to its low byte): every entry
// converted, then the fixed slots written.
Matrix primaryMatrix(const Matrix &assignments, CommandFamily family);

// True when a slot of the primary matrix holds a gun key.
bool hasGun(const Matrix &primary);

// Everything a set with gun keys sends: the primary matrix with its gun entries adjusted, the three gun
// matrices (built from the device's default matrix), and for the 560 family the gun mode byte of profile
// block 0 when the gun count sets one.
struct GunMatrices
{
    Matrix primary{};
    std::array<Matrix, 3> gun{};          // matrices 2, 3 and 4
    std::optional<uchar> gunMode;
};

// `firePeriods` are the fire periods of the guns chosen for gun keys 1, 2 and 3 (low bytes).
GunMatrices gunMatrices(const Matrix &primary, const Matrix &defaultMatrix, const std::array<uchar, 3> &firePeriods,
                        CommandFamily family);

// The 560 gun mode byte for one, two or three guns.
std::optional<uchar> gunModeFor(uchar gunCount);

}  // namespace keymatrix
