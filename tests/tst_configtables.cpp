#include "GpioPage.h"
#include "PresetImage.h"
#include "TopLevels.h"
#include "comboDelegate.h"
#include "gpiConfigWidget.h"
#include "relayConfigWidget.h"

#include <QComboBox>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

Q_DECLARE_METATYPE(PresetImage::Region)

namespace {
QString cell(comboTableWidget *table, int row, int column)
{
    return table->tableModel()->index(row, column).data().toString();
}

QVector<int> regionValues(const PresetImage &image, PresetImage::Region region, int count)
{
    QVector<int> values;
    for (int i = 0; i < count; ++i)
        values << image.value(region, i);
    return values;
}

// The main window's wiring: every table change goes straight into the model.
void applyOnChange(comboTableWidget *table, PresetImage &image)
{
    QObject::connect(table, &comboTableWidget::tableChanged, table,
                     [table, &image] { table->applyToImage(image); });
}
} // namespace

class tst_configtables : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void loadingRaisesNothing();
    void editCommitsAtOnce_data();
    void editCommitsAtOnce();
    void nameColumnNotEditable();
    void valuesOutsideTheLists();
};

void tst_configtables::loadingRaisesNothing()
{
    PresetImage image;
    gpiConfigWidget gpi(image);
    relayConfigWidget relay(image);
    for (int row = 0; row < 11; ++row)
        QCOMPARE(cell(&gpi, row, 1) + ", " + cell(&gpi, row, 2), QString("100ms, On Press"));
    for (int row = 0; row < 4; ++row)
        QCOMPARE(cell(&relay, row, 1) + ", " + cell(&relay, row, 2), QString("500ms, Relay OFF"));

    QSignalSpy gpiChanges(&gpi, &gpiConfigWidget::tableChanged);
    QSignalSpy relayChanges(&relay, &relayConfigWidget::tableChanged);
    image.setValue(PresetImage::GpiDebounce, 4, 200);
    image.setValue(PresetImage::GpiPolarity, 10, 1);
    image.setValue(PresetImage::RelayPulse, 2, 5);
    image.setValue(PresetImage::RelayBootState, 3, 1);
    gpi.loadFromImage(image);
    relay.loadFromImage(image);
    QCOMPARE(gpiChanges.count() + relayChanges.count(), 0);
    QCOMPARE(cell(&gpi, 4, 1), QString("2.0s"));
    QCOMPARE(cell(&gpi, 10, 2), QString("On Release"));
    QCOMPARE(cell(&relay, 2, 1), QString("50ms"));
    QCOMPARE(cell(&relay, 3, 2), QString("Relay ON"));

    // A later edit of a cell is a change again.
    gpi.tableModel()->setData(gpi.tableModel()->index(0, 1), "1.0s");
    QCOMPARE(gpiChanges.count(), 1);
}

void tst_configtables::editCommitsAtOnce_data()
{
    QTest::addColumn<bool>("relay");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("item");
    QTest::addColumn<PresetImage::Region>("region");
    QTest::addColumn<int>("stored");

    QTest::newRow("XLR 2 1.5s") << false << 9 << 1 << "1.5s" << PresetImage::GpiDebounce << 150;
    QTest::newRow("GPI 1 50ms") << false << 0 << 1 << "50ms" << PresetImage::GpiDebounce << 5;
    QTest::newRow("GPI 3 On Release")
        << false << 2 << 2 << "On Release" << PresetImage::GpiPolarity << 1;
    QTest::newRow("Relay 4 2.0s") << true << 3 << 1 << "2.0s" << PresetImage::RelayPulse << 200;
    QTest::newRow("Relay 2 200ms") << true << 1 << 1 << "200ms" << PresetImage::RelayPulse << 20;
    QTest::newRow("Relay 1 ON") << true << 0 << 2 << "Relay ON" << PresetImage::RelayBootState << 1;
}

void tst_configtables::editCommitsAtOnce()
{
    QFETCH(bool, relay);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, item);
    QFETCH(PresetImage::Region, region);
    QFETCH(int, stored);

    PresetImage image;
    GpioPage page(image);
    comboTableWidget *table = relay ? static_cast<comboTableWidget *>(page.relayTable())
                                    : static_cast<comboTableWidget *>(page.gpiTable());
    applyOnChange(table, image);
    QSignalSpy changes(table, &comboTableWidget::tableChanged);
    const int count = table->tableModel()->rowCount();
    QVector<int> expected = regionValues(image, region, count);
    expected[row] = stored;
    const QString before = cell(table, row, column);

    page.show();
    QTreeView *view = table->tableView();
    const QModelIndex index = table->tableModel()->index(row, column);
    view->edit(index);
    auto *editor = qobject_cast<QComboBox *>(view->indexWidget(index));
    QVERIFY(editor);
    // Opening the editor selects the cell's item and commits nothing.
    QCOMPARE(editor->currentText(), before);
    QCOMPARE(changes.count(), 0);

    editor->setCurrentIndex(editor->findText(item));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(cell(table, row, column), item);
    QCOMPARE(regionValues(image, region, count), expected);
    QTRY_VERIFY(!view->indexWidget(index));
    QCOMPARE(changes.count(), 1);
}

void tst_configtables::nameColumnNotEditable()
{
    PresetImage image;
    GpioPage page(image);
    page.show();
    for (comboTableWidget *table : {static_cast<comboTableWidget *>(page.gpiTable()),
                                    static_cast<comboTableWidget *>(page.relayTable())}) {
        for (int row = 0; row < table->tableModel()->rowCount(); ++row) {
            const QModelIndex name = table->tableModel()->index(row, 0);
            QVERIFY(!(name.flags() & Qt::ItemIsEditable));
            QVERIFY(table->tableModel()->index(row, 1).flags() & Qt::ItemIsEditable);
            table->tableView()->edit(name);
            QVERIFY(!table->tableView()->indexWidget(name));
        }
    }
}

void tst_configtables::valuesOutsideTheLists()
{
    PresetImage image;
    image.setValue(PresetImage::GpiDebounce, 3, 77);
    image.setValue(PresetImage::GpiPolarity, 9, 2);
    image.setValue(PresetImage::RelayPulse, 1, 0);
    image.setValue(PresetImage::RelayBootState, 2, 255);
    GpioPage page(image);
    comboTableWidget *gpi = page.gpiTable();
    comboTableWidget *relay = page.relayTable();
    QCOMPARE(cell(gpi, 3, 1), QString());
    QCOMPARE(cell(gpi, 9, 2), QString());
    QCOMPARE(cell(relay, 1, 1), QString());
    QCOMPARE(cell(relay, 2, 2), QString());

    // An edit elsewhere rewrites the table but keeps the values it cannot show.
    applyOnChange(gpi, image);
    applyOnChange(relay, image);
    gpi->tableModel()->setData(gpi->tableModel()->index(0, 1), "2.0s");
    relay->tableModel()->setData(relay->tableModel()->index(0, 2), "Relay ON");
    QCOMPARE(image.value(PresetImage::GpiDebounce, 0), 200);
    QCOMPARE(image.value(PresetImage::RelayBootState, 0), 1);
    QCOMPARE(image.value(PresetImage::GpiDebounce, 3), 77);
    QCOMPARE(image.value(PresetImage::GpiPolarity, 9), 2);
    QCOMPARE(image.value(PresetImage::RelayPulse, 1), 0);
    QCOMPARE(image.value(PresetImage::RelayBootState, 2), 255);

    // Leaving an empty cell's editor without a choice commits nothing.
    page.show();
    QSignalSpy changes(gpi, &comboTableWidget::tableChanged);
    const QModelIndex index = gpi->tableModel()->index(3, 1);
    gpi->tableView()->edit(index);
    auto *editor = qobject_cast<QComboBox *>(gpi->tableView()->indexWidget(index));
    QVERIFY(editor);
    QCOMPARE(editor->currentIndex(), -1);
    auto *delegate = qobject_cast<comboDelegate *>(gpi->tableView()->itemDelegateForColumn(1));
    QVERIFY(delegate);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(cell(gpi, 3, 1), QString());
    gpi->applyToImage(image);
    QCOMPARE(image.value(PresetImage::GpiDebounce, 3), 77);
}

QTEST_MAIN(tst_configtables)
#include "tst_configtables.moc"
