#include "TopLevels.h"
#include "functionTree.h"

#include <QApplication>
#include <QTreeWidget>
#include <QtTest>

namespace {

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text)
{
    const auto items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.size() == 1 ? items.first() : nullptr;
}

} // namespace

// The entries' texts and the page each one opens are checked through the
// main window in tst_mainwindow; here: what the tree announces.
class tst_functionTree : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void selectionSignals();
};

void tst_functionTree::selectionSignals()
{
    functionTree widget;
    QSignalSpy spy(&widget, &functionTree::functionSelectionChanged);
    widget.resize(300, 900);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(spy.count(), 0);

    // One signal per click on a new entry, category entries included.
    auto *tree = widget.findChild<QTreeWidget *>();
    const QStringList clicked{"XLR 2 (GPI 10)", "Switches",       "General",       "RSX-4",
                              "Macro 12",       "Input Triggers", "Input Triggers"};
    for (const QString &text : clicked) {
        QTreeWidgetItem *item = findItem(tree, text);
        QVERIFY(item);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    }
    QStringList emitted;
    for (const QList<QVariant> &args : spy)
        emitted << args.at(0).toString();
    QCOMPARE(emitted, clicked.mid(0, clicked.size() - 1));

    // One per arrow key step; none at the top, nor for a cleared selection.
    tree->setCurrentItem(findItem(tree, "XLR 3 (GPI 11)"));
    spy.clear();
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Up);
    emitted.clear();
    for (const QList<QVariant> &args : spy)
        emitted << args.at(0).toString();
    QCOMPARE(emitted, QStringList({"Switches", "Front Switch A", "Switches"}));
    tree->setCurrentItem(findItem(tree, "RSX-4"));
    spy.clear();
    QTest::keyClick(tree, Qt::Key_Up);
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    QCOMPARE(spy.count(), 0);
    widget.hide();
}

QTEST_MAIN(tst_functionTree)
#include "tst_functiontree.moc"
