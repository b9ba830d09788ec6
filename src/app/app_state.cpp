#include "app_state.h"

bool deviceConnected = false;
