#include "TopLevels.h"
#include "gridWidget.h"

#include <QImage>
#include <QMouseEvent>
#include <QtTest>

namespace {
// A 280 x 224 grid has 25-pixel columns and 24-pixel rows after the 79-pixel bands.
constexpr int Band = 79;
constexpr int ColW = 25;
constexpr int RowH = 24;

const QColor Base(10, 20, 30);
const QColor Text(220, 220, 220);
const QColor Hover(88, 138, 204);

QPoint centre(int row, int column)
{
    return QPoint(Band + column * ColW + ColW / 2, Band + row * RowH + RowH / 2);
}

void setUnroutable(gridWidget &grid)
{
    grid.setCellValue(2, 4, -1);
    grid.setCellValue(3, 5, -1);
    grid.setCellValue(4, 6, -1);
    grid.setCellValue(4, 7, -1);
}

QVector<int> allCells(const gridWidget &grid)
{
    QVector<int> cells;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c)
            cells << grid.cellValue(r, c);
    }
    return cells;
}

void moveTo(gridWidget &grid, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, grid.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&grid, &move);
}
} // namespace

class tst_gridwidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void hitTest_data();
    void hitTest();
    void routing();
    void painting();
    void hoverOutline();

private:
    QWidget paletteSource;
};

void tst_gridwidget::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QPalette colours = paletteSource.palette();
    colours.setColor(QPalette::Base, Base);
    colours.setColor(QPalette::Text, Text);
    paletteSource.setPalette(colours);
}

void tst_gridwidget::hitTest_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("row"); // the cell a click there routes, -1 for none
    QTest::addColumn<int>("column");
    QTest::newRow("first pixel") << 224 << QPoint(79, 79) << 0 << 0;
    QTest::newRow("last pixel of cell 0,0") << 224 << QPoint(103, 102) << 0 << 0;
    QTest::newRow("first pixel of cell 1,1") << 224 << QPoint(104, 103) << 1 << 1;
    QTest::newRow("last cell") << 224 << QPoint(278, 222) << 5 << 7;
    QTest::newRow("left band") << 224 << QPoint(78, 150) << -1 << -1;
    QTest::newRow("top band") << 224 << QPoint(150, 78) << -1 << -1;
    QTest::newRow("corner") << 224 << QPoint(10, 10) << -1 << -1;
    QTest::newRow("below the last row, y = 223") << 224 << QPoint(150, 223) << -1 << -1;
    QTest::newRow("right of the last column, x = 279") << 224 << QPoint(279, 150) << -1 << -1;
    QTest::newRow("unroutable USB A") << 224 << centre(2, 4) << -1 << -1;
    QTest::newRow("unroutable MERGE IN 2") << 224 << centre(4, 7) << -1 << -1;
    // Taller, the rows grow: (400 - 79) / 6 = 53 pixels each.
    QTest::newRow("tall: first pixel of row 2") << 400 << QPoint(80, 79 + 2 * 53) << 2 << 0;
    QTest::newRow("tall: last pixel of row 1") << 400 << QPoint(80, 79 + 2 * 53 - 1) << 1 << 0;
    QTest::newRow("tall: below the last row") << 400 << QPoint(80, 79 + 6 * 53) << -1 << -1;
}

void tst_gridwidget::hitTest()
{
    QFETCH(int, height);
    QFETCH(QPoint, pos);
    QFETCH(int, row);
    QFETCH(int, column);
    gridWidget grid(&paletteSource);
    grid.resize(280, height);
    setUnroutable(grid);
    QVector<int> expected = allCells(grid);
    if (row >= 0)
        expected[row * 8 + column] = 1;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, pos);
    QCOMPARE(allCells(grid), expected);
}

void tst_gridwidget::routing()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);

    // One source per destination: a click routes, replaces or clears.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(0, 0));
    QCOMPARE(grid.cellValue(0, 0), 1);
    QTest::mouseClick(&grid, Qt::RightButton, {}, centre(1, 0));
    QCOMPARE(grid.cellValue(1, 0), 1);
    QCOMPARE(grid.cellValue(0, 0), 0);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(1, 0));
    for (int r = 0; r < 6; ++r)
        QCOMPARE(grid.cellValue(r, 0), 0);

    // "MERGE OUT" to "USB B" clears the column's other sources, keeps the
    // unroutable cell and leaves other destinations alone.
    for (int r : {0, 1, 2, 5})
        grid.setCellValue(r, 5, 1);
    grid.setCellValue(0, 4, 1);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(4, 5));
    QCOMPARE(grid.cellValue(4, 5), 1);
    for (int r : {0, 1, 2, 5})
        QCOMPARE(grid.cellValue(r, 5), 0);
    QCOMPARE(grid.cellValue(3, 5), -1);
    QCOMPARE(grid.cellValue(0, 4), 1);
}

void tst_gridwidget::painting()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);
    grid.setCellValue(0, 0, 1);
    const QImage shot = grid.grab().toImage();

    // Empty cell: the base colour and nothing else inside its lines.
    QCOMPARE(shot.pixelColor(centre(1, 1)), Base);
    QCOMPARE(shot.pixelColor(Band + ColW + 2, Band + RowH + 2), Base);

    // Unroutable cell: a gray square reaching into its corners.
    QCOMPARE(shot.pixelColor(centre(2, 4)), QColor(Qt::gray));
    QCOMPARE(shot.pixelColor(Band + 4 * ColW + 2, Band + 2 * RowH + 2), QColor(Qt::gray));

    // Routed cell: a ball, light at its upper left, dark at its lower right,
    // with the base colour left in the cell's corners.
    const QColor ball = shot.pixelColor(centre(0, 0));
    QVERIFY(ball != Base && ball != QColor(Qt::gray));
    QCOMPARE(shot.pixelColor(Band + 2, Band + 2), Base);
    const QColor light = shot.pixelColor(Band + 9, Band + 9);
    const QColor dark = shot.pixelColor(Band + 17, Band + 16);
    QVERIFY2(light.lightness() > dark.lightness() + 40,
             qPrintable(QString("%1 vs %2").arg(light.name(), dark.name())));

    // Grid lines in the text colour; the source palette, not the grid's own.
    QCOMPARE(shot.pixelColor(Band + ColW, centre(3, 3).y()), Text);
    QCOMPARE(shot.pixelColor(centre(3, 3).x(), Band + 3 * RowH), Text);
    QCOMPARE(shot.pixelColor(279, centre(3, 3).y()), Text);
    QCOMPARE(shot.pixelColor(centre(3, 3).x(), 223), Text);
}

void tst_gridwidget::hoverOutline()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);
    grid.setCellValue(0, 0, 1);
    auto outlined = [&grid](int row, int column) {
        const QImage shot = grid.grab().toImage();
        return shot.pixelColor(Band + 1 + column * ColW, centre(row, column).y()) == Hover;
    };

    QVERIFY(!outlined(1, 1));
    moveTo(grid, centre(1, 1));
    QVERIFY(outlined(1, 1));
    // Any later repaint not caused by a movement over a cell drops it.
    QVERIFY(!outlined(1, 1));

    // Drawn over a routed cell's ball, and after a click.
    moveTo(grid, centre(0, 0));
    QVERIFY(outlined(0, 0));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(3, 2));
    QVERIFY(outlined(3, 2));

    // Never on an unroutable cell.
    moveTo(grid, centre(2, 4));
    QVERIFY(!outlined(2, 4));
    QCOMPARE(grid.grab().toImage().pixelColor(centre(2, 4)), QColor(Qt::gray));
}

QTEST_MAIN(tst_gridwidget)
#include "tst_gridwidget.moc"
