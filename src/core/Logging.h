#pragma once

#include <QLoggingCategory>

// The program's diagnostics, by layer. They change nothing and stay silent
// unless enabled, e.g. QT_LOGGING_RULES="cuesmith.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcCore)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
Q_DECLARE_LOGGING_CATEGORY(lcGui)
