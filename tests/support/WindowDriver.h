#pragma once

#include <QString>

class MainWindow;
class QAction;

// Works the main window the way a user does: actions by their text, tree
// entries by their label.
QAction *action(MainWindow &window, const QString &text);
// Clicks the tree entry (selects it, while the window is hidden).
void selectEntry(MainWindow &window, const QString &text);
