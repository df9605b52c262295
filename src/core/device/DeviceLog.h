#pragma once

#include <QLoggingCategory>

// The device link's diagnostics ("Close device", "Block Address: ..."); they
// change nothing. Silence them with the rule "cuesmith.device.debug=false".
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
