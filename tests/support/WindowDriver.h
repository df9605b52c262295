#pragma once

#include <QString>

class MainWindow;
class QAction;
class QTreeWidget;
class QTreeWidgetItem;

// Reaches the main window's controls the way a user would find them: actions
// by their text, tree entries by their label.
QAction *action(MainWindow &window, const QString &text);
QTreeWidget *treeOf(MainWindow &window);
QTreeWidgetItem *treeItem(MainWindow &window, const QString &text);
// Selects the tree entry, as a click would.
void selectEntry(MainWindow &window, const QString &text);
