#pragma once
// The global input source of the running system (Linux: XInput 2 raw events on the X display; Windows:
// the low-level hooks), for InputCapture.

#include "input_source.h"

#include <memory>

namespace capture {

std::unique_ptr<InputSource> createInputSource(InputCapture &capture);

}  // namespace capture
