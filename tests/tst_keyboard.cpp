#include "core/events/EventRecords.h"
#include "core/events/EventStore.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/RoutingMatrix.h"
#include "gui/device/DeviceLinkPanel.h"
#include "gui/pages/RoutingGrid.h"
#include "gui/window/MainWindow.h"
#include "support/ModalAnswerer.h"
#include "support/WindowDriver.h"

#include <QAccessible>
#include <QAction>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Presses `key` until `target` has the focus; false if it never gets it.
bool pressUntilFocused(QWidget *window, Qt::Key key, QWidget *target,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(window, key, modifiers);
    return QApplication::focusWidget() == target;
}

// Picks a tree entry by typing its name, as a new search.
void typeEntry(QWidget *tree, const QString &name)
{
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(tree, name);
}

// Presses each key on whatever has the focus; returns what has it then.
QWidget *keys(const QList<Qt::Key> &sequence, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (Qt::Key key : sequence)
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    return QApplication::focusWidget();
}

} // namespace

class tst_keyboard : public QObject
{
    Q_OBJECT
private slots:
    void wholeJob();
    void gridKeys();
};

void tst_keyboard::wholeJob()
{
    MainWindow window({"cuesmith"});
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    PresetImage expected = window.preset();
    auto *tree = window.findChild<QTreeWidget *>("functionTree");
    auto *slotList = window.findChild<QTreeWidget *>("slotTree");
    auto *kind = window.findChild<QWidget *>("kindButton1");
    auto *store = window.findChild<QWidget *>("storeButton");
    auto *grid = window.findChild<RoutingGrid *>();
    QVERIFY(tree && slotList && kind && store && grid);

    // Into the tree by areas, round the three areas both ways, then to the
    // input by its name.
    QVERIFY(pressUntilFocused(&window, Qt::Key_F6, tree));
    QVERIFY(
        window.findChild<DeviceLinkPanel *>()->isAncestorOf(keys({Qt::Key_F6}, Qt::ShiftModifier)));
    QCOMPARE(keys({Qt::Key_F6}), tree);
    typeEntry(tree, "GPI 1");
    QCOMPARE(window.selectedKind(), InputTrigger);
    QCOMPARE(window.selectedList(), 0);

    // The first slot, a MIDI event on port 2, channel 3, bytes 64 and 100.
    QCOMPARE(keys({Qt::Key_F6}), slotList);
    QTest::keyClick(slotList, Qt::Key_Down);
    QVERIFY(pressUntilFocused(&window, Qt::Key_Tab, kind));
    QTest::keyClick(kind, Qt::Key_Space);
    QTest::keyClick(kind, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // port
    for (const char *value : {"3", "", "64", "100"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), value);
    }
    QVERIFY(pressUntilFocused(&window, Qt::Key_Tab, store, Qt::ShiftModifier));
    QTest::keyClick(store, Qt::Key_Space);
    EventData event;
    event.kind = EventKind::Midi;
    event.midi.port = 2;
    event.midi.status = EventRecords::statusByte(0, 3);
    event.midi.data1 = 64;
    event.midi.data2 = 100;
    QCOMPARE(EventStore::storeEvent(expected, InputTrigger, 0, 0, event),
             EventStore::StoreResult::Stored);

    // GPI 1's debounce, the first value cell of the GPIO page: its next item.
    QCOMPARE(keys({Qt::Key_F6}, Qt::ShiftModifier), tree);
    typeEntry(tree, "GPIO");
    QVERIFY(qobject_cast<QTreeView *>(keys({Qt::Key_F6, Qt::Key_Right, Qt::Key_F2, Qt::Key_Down})));
    const PresetSetting debounce = PresetSettings::gpiTable().at(0);
    debounce.setItem(expected, debounce.itemOf(expected) + 1);

    // Patch A: USB A (third row) to the sixth destination, past the unroutable fifth.
    QCOMPARE(keys({Qt::Key_F6}, Qt::ShiftModifier), tree);
    typeEntry(tree, "MIDI Config");
    QCOMPARE(keys({Qt::Key_F6})->objectName(), QString("portAIn"));
    QVERIFY(pressUntilFocused(&window, Qt::Key_Tab, grid));
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
          Qt::Key_Space});
    QVERIFY(action(window, "Undo Change MIDI Routing"));
    RoutingMatrix patch;
    for (int cell = 0; cell < RoutingMatrix::Rows * RoutingMatrix::Columns; ++cell)
        patch.setValue(cell / 8, cell % 8,
                       expected.value(PresetImage::RoutingPatchA, cell / 8, cell % 8));
    QVERIFY(patch.toggle(2, 5));
    for (int cell = 0; cell < RoutingMatrix::Rows * RoutingMatrix::Columns; ++cell)
        expected.setValue(PresetImage::RoutingPatchA, cell / 8, cell % 8,
                          patch.value(cell / 8, cell % 8));

    QTemporaryDir dir;
    const QString path = dir.filePath("job.rsx4pre");
    ModalAnswerer answerer;
    answerer.setAnswer([path](QWidget *w) {
        if (qobject_cast<QFileDialog *>(w))
            QTimer::singleShot(0, w, [w, path] { ModalAnswerer::acceptFileDialog(w, path); });
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    expected.buildImage();
    QByteArray bytes;
    for (int value : expected.image())
        bytes.append(char(value));
    QCOMPARE(saved.readAll().mid(6).toHex(), bytes.toHex());
}

void tst_keyboard::gridKeys()
{
    RoutingGrid grid(nullptr);
    for (int cell : {1, 2, 7, 8})
        grid.setCellValue(cell / 8, cell % 8, RoutingMatrix::Unroutable);
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
    QCOMPARE(blocked->text(QAccessible::Name), QString("MIDI IN 1 to MERGE IN 2, not routable"));
    QVERIFY(blocked->state().disabled && !blocked->state().checked);
    QCOMPARE(table->tableInterface()->columnDescription(7), grid.columnLabel(7));
}

QTEST_MAIN(tst_keyboard)
#include "tst_keyboard.moc"
