#include "support/WindowDriver.h"

#include "gui/window/FunctionTree.h"
#include "gui/window/MainWindow.h"

#include <QAction>
#include <QTreeWidget>
#include <QtTest>

QAction *action(MainWindow &window, const QString &text)
{
    for (QAction *a : window.findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

void selectEntry(MainWindow &window, const QString &text)
{
    auto *tree = window.findChild<FunctionTree *>()->findChild<QTreeWidget *>();
    QTreeWidgetItem *item = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    if (!window.isVisible())
        return tree->setCurrentItem(item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}
