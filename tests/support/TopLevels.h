#pragma once

#include <QStringList>

// The top-level widgets still visible (object name, else class name); each
// test's cleanup() checks that none is left.
QStringList visibleTopLevels();
