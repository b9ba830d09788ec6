// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_state.h"

bool deviceConnected = false;
