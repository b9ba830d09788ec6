// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the device-facing operations work on and share: the device object, the device's kind from the
// global file, the five 560 profile blocks and the settings where button assignments are kept (all of it
// held by the view, which hands it over as a DeviceSide); the command family, the device's default key
// matrix from the current profile, and the upload of 560 profile blocks.

#include "command_family.h"
#include "key_matrix.h"
#include "profile_block.h"
#include "settings_objects.h"

#include <QString>

#include <functional>
#include <initializer_list>

class Hid_Thread;

namespace bridge {

using ProfileBlocks = uchar[block::kCount][block::kSize];

struct DeviceSide
{
    Hid_Thread *hid;               // null before the host window has set one
    const QString &icType;         // the family selector of the global file
    bool isColorful;
    bool isGun;
    bool is55328;
    ProfileBlocks &profileBlocks;  // the 560 family's blocks, as last read from the device or changed since
    bool (&profileBlockWhole)[block::kCount];  // whether each block holds the device's own bytes, read whole
    SettingsObjects settings;      // the profiles, where button assignments are kept
    // Tells the user why a change was not made (a warning box of the view's window).
    std::function<void(const QString &text)> tellUser;
};

CommandFamily family(const DeviceSide &side);

// The device object, or null (with a debug message naming the slot) before the host window has set one.
Hid_Thread *device(const DeviceSide &side, const char *slot);

// The device's default key matrix: "mouseFwKeyMatrix/0" to "/15" of the current profile, each a list of
// four numbers already in device form. Missing numbers count as 0 (with a debug message).
keymatrix::Matrix defaultKeyMatrix(const DeviceSide &side);

// Reads profile block `n` of a 560-family device and records whether it arrived whole.
bool readBlock(const DeviceSide &side, Hid_Thread &hid, int n);

// How often a block that was not read whole is read again before a change that needs it is refused.
inline constexpr int kBlockReadTries = 3;

// Makes sure each of `blocks` holds the device's own bytes before `slot` changes and sends them: a block
// that was not read whole (a failed or short piece of the download at connect) is read again, up to
// kBlockReadTries times. False when one still cannot be read; the slot must then change and send nothing
// (the device keeps what it has), and the user is told so (DeviceSide::tellUser).
bool haveDeviceBlocks(const DeviceSide &side, Hid_Thread &hid, std::initializer_list<int> blocks, const char *slot);

// Sends profile blocks to a 560-family device, each as the profile of its own number, in the order given.
// A block that does not hold the device's own bytes is never sent (the slots make sure of them first with
// haveDeviceBlocks): its zeros would replace the device's settings.
void sendBlocks(const DeviceSide &side, Hid_Thread &hid, std::initializer_list<int> blocks);

}  // namespace bridge
