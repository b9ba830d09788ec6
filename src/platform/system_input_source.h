// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input sources of the running system for InputCapture: the global one (Linux: XInput 2 raw events on
// the X display; Windows: the low-level hooks), and the one of the program's own window.

#include "input_source.h"

#include <memory>

class QObject;

namespace capture {

std::unique_ptr<InputSource> createInputSource(InputCapture &capture);

// The source of the key and button events that reach `window` alone, for sessions whose global source is
// unavailable; null where the platform has none (its global source always works).
std::unique_ptr<InputSource> createWindowInputSource(InputCapture &capture, QObject *window);

}  // namespace capture
