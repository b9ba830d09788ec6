#include "wire_log.h"

Q_LOGGING_CATEGORY(lcWire, "zephra.wire", QtInfoMsg)
