#include "core/preset/RoutingMatrix.h"
#include "gui/pages/RoutingGrid.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

class tst_keyboard : public QObject
{
    Q_OBJECT
private slots:
    void gridKeys();
};

void tst_keyboard::gridKeys()
{
    RoutingGrid grid(nullptr);
    grid.setCellValue(0, 1, RoutingMatrix::Unroutable);
    grid.setCellValue(0, 2, RoutingMatrix::Unroutable);
    grid.setCellValue(0, 7, RoutingMatrix::Unroutable);
    grid.setCellValue(1, 0, RoutingMatrix::Unroutable);
    grid.show();
    grid.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    QSignalSpy toggled(&grid, &RoutingGrid::cellToggled);
    // Each key, and the focus cell after it.
    const QList<std::tuple<Qt::Key, int, int>> walk{
        {Qt::Key_Right, 0, 3}, {Qt::Key_Left, 0, 0}, {Qt::Key_Left, 0, 0},
        {Qt::Key_End, 0, 6},   {Qt::Key_Home, 0, 0}, {Qt::Key_Down, 2, 0},
        {Qt::Key_Up, 0, 0},    {Qt::Key_Down, 2, 0}, {Qt::Key_Space, 2, 0}};
    for (auto [key, row, column] : walk) {
        QTest::keyClick(&grid, key);
        QCOMPARE(grid.focusRow() * 10 + grid.focusColumn(), row * 10 + column);
    }
    QCOMPARE(toggled.size(), 1);
    QCOMPARE(toggled.at(0), QVariantList({2, 0}));
    QCOMPARE(grid.cellValue(2, 0), 1);

    // The same grid through the table interface.
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&grid);
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->tableInterface()->rowCount(), RoutingMatrix::Rows);
    QCOMPARE(table->tableInterface()->columnCount(), RoutingMatrix::Columns);
    QAccessibleInterface *cell = table->tableInterface()->cellAt(2, 0);
    QCOMPARE(cell->text(QAccessible::Name), QString("USB A to MIDI OUT A"));
    QVERIFY(cell->state().checkable && cell->state().checked && cell->state().focused);
    QCOMPARE(table->child(2 * RoutingMatrix::Columns), cell);
    QCOMPARE(table->indexOfChild(cell), 2 * RoutingMatrix::Columns);
    QCOMPARE(cell->tableCellInterface()->rowIndex() * 10 +
                 cell->tableCellInterface()->columnIndex(),
             20);
    QTest::keyClick(&grid, Qt::Key_Space);
    QVERIFY(!cell->state().checked);
    QAccessibleInterface *blocked = table->tableInterface()->cellAt(0, 7);
    QVERIFY(blocked->text(QAccessible::Name).contains("not routable"));
    QVERIFY(blocked->state().disabled && !blocked->state().checked);
    QCOMPARE(table->tableInterface()->columnDescription(7), grid.columnLabel(7));
}

QTEST_MAIN(tst_keyboard)
#include "tst_keyboard.moc"
