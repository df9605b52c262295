#pragma once

#include <QStringList>

// Class names of the top-level widgets still visible: a test's cleanup()
// expects none, so no test leaves a window behind for the next.
QStringList visibleTopLevelWidgets();
