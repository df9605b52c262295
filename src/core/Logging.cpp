#include "core/Logging.h"

Q_LOGGING_CATEGORY(lcCore, "cuesmith.core", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "cuesmith.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcGui, "cuesmith.gui", QtInfoMsg)
