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

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

// The entries' texts and the page each one opens are checked through the
// main window in tst_mainwindow; here: order, nesting, icons and signals.
class tst_functionTree : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void shape();
    void selectionSignals();
};

void tst_functionTree::shape()
{
    // Level, text and icon of every entry, top to bottom.
    QStringList expected{"0 RSX-4 ValdaneLogo-2.png",        "1 Unit Config configure-3.png",
                         "2 General settings-2.png",         "2 GPIO Config connect-3.ico",
                         "2 MIDI Config midicontrol2-2.png", "1 Input Triggers connect-3.ico"};
    for (int i = 1; i <= 8; ++i)
        expected << QString("2 GPI %1 connect-3.ico").arg(i);
    for (int i = 1; i <= 3; ++i)
        expected << QString("2 XLR %1 (GPI %2) record-3.png").arg(i).arg(i + 8);
    expected << "1 Switches stop-5.png";
    for (const char *name :
         {"Front Switch A", "Front Switch B", "Remote Switch A", "Remote Switch B"})
        expected << QString("2 %1 stop-5.png").arg(name);
    expected << "1 Macros numbering-2.ico";
    for (int i = 1; i <= 12; ++i)
        expected << QString("2 Macro %1 numbering-2.ico").arg(i);

    functionTree widget;
    auto *tree = widget.findChild<QTreeWidget *>();
    QStringList shown;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        QTreeWidgetItem *item = *it;
        int level = 0;
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            ++level;
        QVERIFY2(item->childCount() == 0 || item->isExpanded(), qPrintable(item->text(0)));
        const QString icon = expected.value(shown.size()).section(' ', -1);
        QVERIFY2(iconImage(item->icon(0)) == iconImage(QIcon(":/res/" + icon)),
                 qPrintable(item->text(0)));
        shown << QString("%1 %2 %3").arg(level).arg(item->text(0), icon);
    }
    QCOMPARE(shown, expected);
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
