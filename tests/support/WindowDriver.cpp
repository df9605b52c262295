#include "WindowDriver.h"

#include "MainWindow.h"
#include "functionTree.h"

#include <QAction>
#include <QTreeWidget>

QAction *action(MainWindow &window, const QString &text)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

QTreeWidget *treeOf(MainWindow &window)
{
    return window.findChild<functionTree *>()->findChild<QTreeWidget *>();
}

QTreeWidgetItem *treeItem(MainWindow &window, const QString &text)
{
    const auto items = treeOf(window)->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.size() == 1 ? items.first() : nullptr;
}

void selectEntry(MainWindow &window, const QString &text)
{
    treeOf(window)->setCurrentItem(treeItem(window, text));
}
