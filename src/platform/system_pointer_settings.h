// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pointer settings of the running system (Linux: chosen by the desktop; Windows: the user profile's).

#include "pointer_settings.h"

#include <memory>

std::unique_ptr<PointerSettings> systemPointerSettings();
