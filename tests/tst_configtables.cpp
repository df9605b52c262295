#include "GpioPage.h"
#include "PresetImage.h"
#include "VisibleWindows.h"
#include "comboDelegate.h"
#include "gpiConfigWidget.h"
#include "relayConfigWidget.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

Q_DECLARE_METATYPE(PresetImage::Region)

namespace {
QString cell(comboTableWidget *table, int row, int column)
{
    return table->tableModel()->index(row, column).data().toString();
}

QStringList columnTexts(comboTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->tableModel()->rowCount(); ++row)
        texts << cell(table, row, column);
    return texts;
}

QStringList repeated(const QString &text, int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << text;
    return texts;
}

QStringList headers(comboTableWidget *table)
{
    QStringList texts;
    for (int column = 0; column < table->tableModel()->columnCount(); ++column)
        texts << table->tableModel()->headerData(column, Qt::Horizontal).toString();
    return texts;
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
    void initTestCase();
    void cleanup();
    void newPreset();
    void pageFrame();
    void editCommitsAtOnce_data();
    void editCommitsAtOnce();
    void loadingRaisesNothing();
    void nameColumnNotEditable();
    void valuesOutsideTheLists();
    void emptyEditorWritesNothing();
};

void tst_configtables::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void tst_configtables::cleanup()
{
    QCOMPARE(visibleTopLevelWidgets(), QStringList());
}

void tst_configtables::newPreset()
{
    PresetImage image;
    GpioPage page(image);
    comboTableWidget *gpi = page.gpiTable();
    QCOMPARE(headers(gpi), QStringList({"GPI Channel", "Debounce Time", "Switch Polarity"}));
    QCOMPARE(columnTexts(gpi, 0), QStringList({"GPI 1", "GPI 2", "GPI 3", "GPI 4", "GPI 5", "GPI 6",
                                               "GPI 7", "GPI 8", "XLR 1", "XLR 2", "XLR 3"}));
    QCOMPARE(columnTexts(gpi, 1), repeated("100ms", 11));
    QCOMPARE(columnTexts(gpi, 2), repeated("On Press", 11));

    comboTableWidget *relay = page.relayTable();
    QCOMPARE(headers(relay), QStringList({"Relay Num", "Pulse Duration", "Boot-up State"}));
    QCOMPARE(columnTexts(relay, 0), QStringList({"Relay 1", "Relay 2", "Relay 3", "Relay 4"}));
    QCOMPARE(columnTexts(relay, 1), repeated("500ms", 4));
    QCOMPARE(columnTexts(relay, 2), repeated("Relay OFF", 4));

    QTreeView *view = gpi->tableView();
    QVERIFY(!view->rootIsDecorated());
    QVERIFY(!view->header()->stretchLastSection());
}

void tst_configtables::pageFrame()
{
    PresetImage image;
    GpioPage page(image);
    auto *box = qobject_cast<QVBoxLayout *>(page.layout());
    QVERIFY(box);
    QCOMPARE(box->count(), 3);
    auto *gpiGroup = qobject_cast<QGroupBox *>(box->itemAt(0)->widget());
    auto *relayGroup = qobject_cast<QGroupBox *>(box->itemAt(1)->widget());
    QVERIFY(gpiGroup && relayGroup);
    QCOMPARE(gpiGroup->title(), QString("GPI Configuration"));
    QCOMPARE(relayGroup->title(), QString("Relay Configuration"));
    QVERIFY(gpiGroup->isAncestorOf(page.gpiTable()));
    QVERIFY(relayGroup->isAncestorOf(page.relayTable()));
    QCOMPARE(box->stretch(0), 3);
    QCOMPARE(box->stretch(1), 2);
    QVERIFY(box->itemAt(2)->spacerItem());
    QCOMPARE(box->stretch(2), 1);
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

void tst_configtables::loadingRaisesNothing()
{
    PresetImage image;
    gpiConfigWidget gpi(image);
    relayConfigWidget relay(image);
    QSignalSpy gpiChanges(&gpi, &gpiConfigWidget::tableChanged);
    QSignalSpy relayChanges(&relay, &relayConfigWidget::tableChanged);

    image.setValue(PresetImage::GpiDebounce, 4, 200);
    image.setValue(PresetImage::GpiPolarity, 10, 1);
    image.setValue(PresetImage::RelayPulse, 2, 5);
    image.setValue(PresetImage::RelayBootState, 3, 1);
    gpi.loadFromImage(image);
    relay.loadFromImage(image);
    QCOMPARE(gpiChanges.count(), 0);
    QCOMPARE(relayChanges.count(), 0);
    QCOMPARE(cell(&gpi, 4, 1), QString("2.0s"));
    QCOMPARE(cell(&gpi, 10, 2), QString("On Release"));
    QCOMPARE(cell(&relay, 2, 1), QString("50ms"));
    QCOMPARE(cell(&relay, 3, 2), QString("Relay ON"));

    // A later edit of a cell is a change again.
    gpi.tableModel()->setData(gpi.tableModel()->index(0, 1), "1.0s");
    QCOMPARE(gpiChanges.count(), 1);
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
    image.buildImage();
    QCOMPARE(image.imageByte(64 + 3), 77);
    QCOMPARE(image.imageByte(76 + 9), 2);
    QCOMPARE(image.imageByte(88 + 1), 0);
    QCOMPARE(image.imageByte(92 + 2), 255);
}

void tst_configtables::emptyEditorWritesNothing()
{
    PresetImage image;
    image.setValue(PresetImage::GpiDebounce, 5, 33);
    gpiConfigWidget gpi(image);
    QSignalSpy changes(&gpi, &gpiConfigWidget::tableChanged);
    gpi.show();
    QTreeView *view = gpi.tableView();
    const QModelIndex index = gpi.tableModel()->index(5, 1);
    view->edit(index);
    auto *editor = qobject_cast<QComboBox *>(view->indexWidget(index));
    QVERIFY(editor);
    QCOMPARE(editor->currentIndex(), -1);
    QCOMPARE(editor->count(), 7);

    // Leaving the editor without a choice commits it; nothing may change.
    auto *delegate = qobject_cast<comboDelegate *>(view->itemDelegateForColumn(1));
    QVERIFY(delegate);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(cell(&gpi, 5, 1), QString());
    gpi.applyToImage(image);
    QCOMPARE(image.value(PresetImage::GpiDebounce, 5), 33);
}

QTEST_MAIN(tst_configtables)
#include "tst_configtables.moc"
