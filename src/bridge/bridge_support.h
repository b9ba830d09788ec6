#pragma once
// What the device-facing slots of the view share: the command family, the device object, the device's
// default key matrix from the current profile, and the upload of 560 profile blocks.

#include "command_family.h"
#include "key_matrix.h"

#include <initializer_list>
#include <memory>

class Hid_Thread;
class PointerSettings;
class myQQuickView;

namespace bridge {

CommandFamily family(const myQQuickView &view);

// The view's device object, or null (with a debug message naming the slot) before the host window has
// set one.
Hid_Thread *device(const myQQuickView &view, const char *slot);

// The device's default key matrix: "mouseFwKeyMatrix/0" to "/15" of the current profile, each a list of
// four numbers already in device form. Missing numbers count as 0 (with a debug message).
keymatrix::Matrix defaultKeyMatrix(myQQuickView &view);

// Reads profile block `n` of a 560-family device into the view and records whether it arrived whole.
bool readBlock(myQQuickView &view, Hid_Thread &hid, int n);

// How often a block that was not read whole is read again before a change that needs it is refused.
inline constexpr int kBlockReadTries = 3;

// Makes sure each of `blocks` holds the device's own bytes before `slot` changes and sends them: a block
// that was not read whole (a failed or short piece of the download at connect) is read again, up to
// kBlockReadTries times. False when one still cannot be read; the slot must then change and send nothing
// (the device keeps what it has), and the user is told so in a box.
bool haveDeviceBlocks(myQQuickView &view, Hid_Thread &hid, std::initializer_list<int> blocks, const char *slot);

// Sends profile blocks of the view to a 560-family device, each as the profile of its own number, in the
// order given. A block that does not hold the device's own bytes is never sent (the slots make sure of
// them first with haveDeviceBlocks): its zeros would replace the device's settings.
void sendBlocks(myQQuickView &view, Hid_Thread &hid, std::initializer_list<int> blocks);

}  // namespace bridge

// Makes the pointer slots use `settings` instead of the system's (tests use a recording stand-in).
void setPointerSettings(myQQuickView &view, std::shared_ptr<PointerSettings> settings);
