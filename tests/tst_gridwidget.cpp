#include "VisibleWindows.h"
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
    void cleanup();
    void geometry();
    void hitTest_data();
    void hitTest();
    void routeReplaceAndClear();
    void columnTakesOneSource();
    void clicksThatChangeNothing_data();
    void clicksThatChangeNothing();
    void rowsFollowHeight();
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

void tst_gridwidget::cleanup()
{
    QCOMPARE(visibleTopLevelWidgets(), QStringList());
}

void tst_gridwidget::geometry()
{
    gridWidget grid(&paletteSource);
    QCOMPARE(grid.minimumWidth(), 280);
    QCOMPARE(grid.maximumWidth(), 280);
    QCOMPARE(grid.minimumHeight(), 224);
    QVERIFY(grid.hasMouseTracking());
    grid.resize(500, 100);
    QCOMPARE(grid.size(), QSize(280, 224));
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c)
            QCOMPARE(grid.cellValue(r, c), 0);
    }
}

void tst_gridwidget::hitTest_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("hit");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("first pixel") << QPoint(79, 79) << true << 0 << 0;
    QTest::newRow("last pixel of cell 0,0") << QPoint(103, 102) << true << 0 << 0;
    QTest::newRow("first pixel of cell 1,1") << QPoint(104, 103) << true << 1 << 1;
    QTest::newRow("last cell") << QPoint(278, 222) << true << 5 << 7;
    QTest::newRow("left band") << QPoint(78, 150) << false << 0 << 0;
    QTest::newRow("top band") << QPoint(150, 78) << false << 0 << 0;
    QTest::newRow("corner") << QPoint(10, 10) << false << 0 << 0;
    QTest::newRow("below the last row") << QPoint(150, 223) << false << 0 << 0;
    QTest::newRow("right of the last column") << QPoint(279, 150) << false << 0 << 0;
}

void tst_gridwidget::hitTest()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, hit);
    QFETCH(int, row);
    QFETCH(int, column);
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    int r = -1;
    int c = -1;
    QCOMPARE(grid.hitTest(pos, r, c), hit);
    if (hit) {
        QCOMPARE(r, row);
        QCOMPARE(c, column);
    }
}

void tst_gridwidget::routeReplaceAndClear()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);

    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(0, 0));
    QCOMPARE(grid.cellValue(0, 0), 1);

    QTest::mouseClick(&grid, Qt::RightButton, {}, centre(1, 0));
    QCOMPARE(grid.cellValue(1, 0), 1);
    QCOMPARE(grid.cellValue(0, 0), 0);

    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(1, 0));
    for (int r = 0; r < 6; ++r)
        QCOMPARE(grid.cellValue(r, 0), 0);

    // Other destinations keep their sources.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(0, 2));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(0, 5));
    QCOMPARE(grid.cellValue(0, 2), 1);
    QCOMPARE(grid.cellValue(0, 5), 1);
}

void tst_gridwidget::columnTakesOneSource()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);
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

void tst_gridwidget::clicksThatChangeNothing_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("unroutable USB A") << centre(2, 4);
    QTest::newRow("unroutable MERGE IN 2") << centre(4, 7);
    QTest::newRow("left band") << QPoint(78, 90);
    QTest::newRow("top band") << QPoint(90, 78);
    QTest::newRow("row below the last, y = 223") << QPoint(90, 223);
    QTest::newRow("column right of the last, x = 279") << QPoint(279, 90);
}

void tst_gridwidget::clicksThatChangeNothing()
{
    QFETCH(QPoint, pos);
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);
    grid.setCellValue(0, 4, 1);
    grid.setCellValue(5, 7, 1);
    grid.setCellValue(5, 0, 1);
    const QVector<int> before = allCells(grid);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, pos);
    QCOMPARE(allCells(grid), before);
}

void tst_gridwidget::rowsFollowHeight()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 400); // rows of (400 - 79) / 6 = 53 pixels
    int r = -1;
    int c = -1;
    QVERIFY(grid.hitTest(QPoint(80, 79 + 2 * 53), r, c));
    QCOMPARE(r, 2);
    QVERIFY(grid.hitTest(QPoint(80, 79 + 2 * 53 - 1), r, c));
    QCOMPARE(r, 1);
    QVERIFY(!grid.hitTest(QPoint(80, 79 + 6 * 53), r, c));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(80, 79 + 5 * 53 + 10));
    QCOMPARE(grid.cellValue(5, 0), 1);
}

void tst_gridwidget::painting()
{
    gridWidget grid(&paletteSource);
    grid.resize(280, 224);
    setUnroutable(grid);
    grid.setCellValue(0, 0, 1);
    const QImage shot = grid.grab().toImage();
    QCOMPARE(shot.size(), QSize(280, 224));

    // Empty cell: the base colour and nothing else inside its lines.
    const QPoint empty = centre(1, 1);
    QCOMPARE(shot.pixelColor(empty), Base);
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
