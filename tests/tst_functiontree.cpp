#include "functionTree.h"

#include <QApplication>
#include <QLayout>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct Entry
{
    int level;
    QString text;
    QString icon;
};

// The tree as a user sees it, written out in full.
QList<Entry> expectedEntries()
{
    QList<Entry> entries = {
        {0, "RSX-4", ":/res/ValdaneLogo-2.png"},
        {1, "Unit Config", ":/res/configure-3.png"},
        {2, "General", ":/res/settings-2.png"},
        {2, "GPIO Config", ":/res/connect-3.ico"},
        {2, "MIDI Config", ":/res/midicontrol2-2.png"},
        {1, "Input Triggers", ":/res/connect-3.ico"},
        {2, "GPI 1", ":/res/connect-3.ico"},
        {2, "GPI 2", ":/res/connect-3.ico"},
        {2, "GPI 3", ":/res/connect-3.ico"},
        {2, "GPI 4", ":/res/connect-3.ico"},
        {2, "GPI 5", ":/res/connect-3.ico"},
        {2, "GPI 6", ":/res/connect-3.ico"},
        {2, "GPI 7", ":/res/connect-3.ico"},
        {2, "GPI 8", ":/res/connect-3.ico"},
        {2, "XLR 1 (GPI 9)", ":/res/record-3.png"},
        {2, "XLR 2 (GPI 10)", ":/res/record-3.png"},
        {2, "XLR 3 (GPI 11)", ":/res/record-3.png"},
        {1, "Switches", ":/res/stop-5.png"},
        {2, "Front Switch A", ":/res/stop-5.png"},
        {2, "Front Switch B", ":/res/stop-5.png"},
        {2, "Remote Switch A", ":/res/stop-5.png"},
        {2, "Remote Switch B", ":/res/stop-5.png"},
        {1, "Macros", ":/res/numbering-2.ico"},
        {2, "Macro 1", ":/res/numbering-2.ico"},
        {2, "Macro 2", ":/res/numbering-2.ico"},
        {2, "Macro 3", ":/res/numbering-2.ico"},
        {2, "Macro 4", ":/res/numbering-2.ico"},
        {2, "Macro 5", ":/res/numbering-2.ico"},
        {2, "Macro 6", ":/res/numbering-2.ico"},
        {2, "Macro 7", ":/res/numbering-2.ico"},
        {2, "Macro 8", ":/res/numbering-2.ico"},
        {2, "Macro 9", ":/res/numbering-2.ico"},
        {2, "Macro 10", ":/res/numbering-2.ico"},
        {2, "Macro 11", ":/res/numbering-2.ico"},
        {2, "Macro 12", ":/res/numbering-2.ico"},
    };
    return entries;
}

int levelOf(QTreeWidgetItem *item)
{
    int level = 0;
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text)
{
    const auto items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.size() == 1 ? items.first() : nullptr;
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_functionTree : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void shape();
    void selectionSignals();
    void arrowKeys();
};

void tst_functionTree::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
}

void tst_functionTree::shape()
{
    functionTree widget;
    auto *tree = widget.findChild<QTreeWidget *>();
    QVERIFY(tree);
    QVERIFY(tree->isHeaderHidden());
    QCOMPARE(tree->columnCount(), 1);
    QCOMPARE(tree->lineWidth(), 1);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(widget.layout()->contentsMargins(), QMargins());

    const QList<Entry> expected = expectedEntries();
    QList<QTreeWidgetItem *> items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items << *it;
    QCOMPARE(items.size(), expected.size());
    for (int i = 0; i < items.size(); ++i) {
        QTreeWidgetItem *item = items[i];
        QCOMPARE(item->text(0), expected[i].text);
        QCOMPARE(levelOf(item), expected[i].level);
        if (item->childCount() > 0)
            QVERIFY2(item->isExpanded(), qPrintable(item->text(0)));
        const QImage shown = iconImage(item->icon(0));
        QVERIFY2(!shown.isNull(), qPrintable(expected[i].icon));
        QCOMPARE(shown, iconImage(QIcon(expected[i].icon)));
    }
    // Distinct pictures really are told apart by the comparison above.
    QVERIFY(iconImage(QIcon(":/res/stop-5.png")) != iconImage(QIcon(":/res/record-3.png")));
}

void tst_functionTree::selectionSignals()
{
    functionTree widget;
    QSignalSpy spy(&widget, &functionTree::functionSelectionChanged);
    widget.resize(300, 900);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(spy.count(), 0);

    auto *tree = widget.findChild<QTreeWidget *>();
    QStringList clicked;
    for (const QString &text : QStringList{"XLR 2 (GPI 10)", "Switches", "General", "RSX-4",
                                           "Macro 12", "Remote Switch B", "Input Triggers"}) {
        QTreeWidgetItem *item = findItem(tree, text);
        QVERIFY(item);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
        clicked << text;
    }
    QStringList emitted;
    for (const QList<QVariant> &args : spy)
        emitted << args.at(0).toString();
    QCOMPARE(emitted, clicked);

    // Clicking the selected entry again is no change.
    QTreeWidgetItem *same = findItem(tree, "Input Triggers");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(same).center());
    QCOMPARE(spy.count(), clicked.size());

    // A cleared selection without a current entry says nothing.
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    QCOMPARE(spy.count(), clicked.size());
    widget.hide();
}

void tst_functionTree::arrowKeys()
{
    functionTree widget;
    auto *tree = widget.findChild<QTreeWidget *>();
    QSignalSpy spy(&widget, &functionTree::functionSelectionChanged);
    tree->setCurrentItem(findItem(tree, "GPI 7"));
    QCOMPARE(spy.count(), 1);

    const QStringList down = {"GPI 8",          "XLR 1 (GPI 9)", "XLR 2 (GPI 10)",
                              "XLR 3 (GPI 11)", "Switches",      "Front Switch A"};
    for (int i = 0; i < down.size(); ++i) {
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(spy.count(), 2 + i);
        QCOMPARE(spy.last().at(0).toString(), down[i]);
    }
    QTest::keyClick(tree, Qt::Key_Up);
    QCOMPARE(spy.count(), 2 + down.size());
    QCOMPARE(spy.last().at(0).toString(), QString("Switches"));

    // At the top there is nowhere to go, so nothing is announced.
    tree->setCurrentItem(findItem(tree, "RSX-4"));
    const int count = spy.count();
    QTest::keyClick(tree, Qt::Key_Up);
    QCOMPARE(spy.count(), count);
}

QTEST_MAIN(tst_functionTree)
#include "tst_functiontree.moc"
