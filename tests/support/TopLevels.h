#pragma once

#include <QStringList>

// Names (object name, else class name) of the top-level widgets still visible;
// a test's cleanup() checks that it is empty.
QStringList visibleTopLevels();
