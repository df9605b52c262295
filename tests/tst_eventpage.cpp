#include "EventRecords.h"
#include "EventStore.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "ModelSnapshot.h"
#include "PresetImage.h"
#include "TopLevels.h"
#include "Typing.h"
#include "VirtualUnit.h"
#include "WindowDriver.h"
#include "detailsitems.h"
#include "eventItems.h"
#include "hexEdit.h"
#include "sysexEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

// The rules of the event page: the slot list above the editor, in the real
// window. A whole list built, saved and reopened is in tst_editing.
class tst_eventpage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        VirtualUnit::instance().setPlugged(false);
    }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void slotList();
    void showAndCopyEveryKind();
    void serialText();
    void fullPoolRefusal();
    void runMacroInMacroLists();
    void buttonStates();
    void storeFromUnchangedEditor();
    void outOfRangeRecords_data();
    void outOfRangeRecords();
};

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

QByteArray record(const PresetImage &image, PresetImage::Region pool, int entry, int length)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(static_cast<char>(image.value(pool, entry, i)));
    return bytes;
}

void putRecord(PresetImage &image, PresetImage::Region pool, int entry, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i)
        image.setValue(pool, entry, i, static_cast<unsigned char>(bytes.at(i)));
}

// A radio button or check box reacts only to clicks on its indicator or text.
void clickButton(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// The event page inside the real window, its lists chosen through the tree.
struct EventPage
{
    MainWindow window{{"cuesmith"}};
    PresetImage &image = window.preset();
    eventItems *items = window.findChild<eventItems *>();
    detailsitems *details = window.findChild<detailsitems *>();

    EventPage()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // Shows the list afresh from the image, as after any change of preset.
    void reload() { window.requestRedraw(); }
    void select(int kind, int list)
    {
        const char *group = kind == InputTrigger  ? "Input Triggers"
                            : kind == UnitControl ? "Switches"
                                                  : "Macros";
        treeOf(window)->setCurrentItem(treeItem(window, group)->child(list));
        QCOMPARE(window.selectedList(), list);
        reload();
    }

    QTreeWidget *tree() const { return items->findChild<QTreeWidget *>("slotTree"); }
    QPushButton *storeButton() const { return items->findChild<QPushButton *>("storeButton"); }
    QPushButton *clearButton() const { return items->findChild<QPushButton *>("clearButton"); }
    template <typename T> T *field(const char *name) const
    {
        T *w = details->findChild<T *>(name);
        if (!w)
            qFatal("no field %s", name);
        return w;
    }
    // Which of the store and clear buttons are enabled, as "sc", "s-", "--".
    QString buttons() const
    {
        return QString(storeButton()->isEnabled() ? "s" : "-") +
               (clearButton()->isEnabled() ? "c" : "-");
    }

    void clickSlot(int row)
    {
        QTreeWidgetItem *item = tree()->topLevelItem(row);
        QVERIFY(item);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(item).center());
        QCOMPARE(window.selectedSlot(), row);
    }
    void chooseKind(EventKind kind) { clickButton(details->kindButton(kind)); }
    void typeInto(QWidget *target, const QString &text)
    {
        target->setFocus(Qt::MouseFocusReason);
        typeText(target, text);
    }
    void store() { QTest::mouseClick(storeButton(), Qt::LeftButton); }
    void clear() { QTest::mouseClick(clearButton(), Qt::LeftButton); }

    int code(int slot) const
    {
        return EventStore::slotCode(image, window.selectedKind(), window.selectedList(), slot);
    }
    QString description(int row) const { return tree()->topLevelItem(row)->text(1); }
    QString text(const char *combo) const { return field<QComboBox>(combo)->currentText(); }
    // The checked kind (-1 for none), provided that only its group is
    // enabled; otherwise 1000 plus a bit for each enabled group.
    int shownKind() const
    {
        const int kind = details->checkedKind();
        int groups = 0;
        for (int k = 1; k <= 6; ++k)
            groups |= details->kindGroup(static_cast<EventKind>(k))->isEnabled() ? 1 << k : 0;
        return groups == (kind > 0 ? 1 << kind : 0) ? kind : 1000 + groups;
    }
};

} // namespace

void tst_eventpage::slotList()
{
    EventPage page;
    const struct
    {
        int kind, list, rows;
    } lists[] = {{InputTrigger, 10, 8}, {UnitControl, 3, 8}, {MacroList, 11, 12}};
    for (const auto &l : lists) {
        page.select(l.kind, l.list);
        QCOMPARE(page.tree()->topLevelItemCount(), l.rows);
        for (int row = 0; row < l.rows; ++row) {
            QCOMPARE(page.tree()->topLevelItem(row)->text(0), QString::number(row + 1));
            QCOMPARE(page.description(row), QString("empty slot"));
        }
    }

    // Descriptions come from the image, in slot order; a code in no range is empty.
    page.image.setValue(PresetImage::SwitchSlots, 1, 0, 217);
    page.image.setValue(PresetImage::SwitchSlots, 1, 2, 170);
    page.image.setValue(PresetImage::SwitchSlots, 1, 7, 133);
    page.select(UnitControl, 1);
    QCOMPARE(page.description(0), QString("SYSTEM: Toggle USB"));
    QCOMPARE(page.description(2), QString("empty slot"));
    QCOMPARE(page.description(7), QString("MACRO: Macro 5"));
}

void tst_eventpage::showAndCopyEveryKind()
{
    // One event of each kind as loaded from a file, serial in both modes. Shown
    // and then stored into the empty slot 7, each gives the same record back:
    // showing set every field, and the store read every field.
    const struct
    {
        int code;
        const char *record;
    } events[] = {{1, "0599247f"},
                  {65, "0208f0437e7f0601f7"},
                  {145, "070000010d0a1b"},
                  {146, "0601010048e9"},
                  {97, "0302"},
                  {230, ""},
                  {143, ""}};
    EventPage page;
    for (int slot = 0; slot < 7; ++slot) {
        const int code = events[slot].code;
        const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
        if (pool >= 0)
            putRecord(page.image, PresetImage::Region(pool),
                      EventRecords::poolEntryOfCode(page.image, code), hex(events[slot].record));
        page.image.setValue(PresetImage::TriggerSlots, 0, slot, code);
    }
    page.select(InputTrigger, 0);
    QCOMPARE(page.shownKind(), -1);

    for (int slot = 0; slot < 7; ++slot) {
        page.clickSlot(slot);
        const int code = page.code(slot);
        const EventKind kind = EventRecords::kindOfCode(code);
        QCOMPARE(page.shownKind(), int(kind));
        if (code == 146)
            QCOMPARE(page.field<hexEdit>("serialField")->text(), QString::fromUtf8("H\u00e9"));
        if (code == 143)
            QCOMPARE(page.text("macroAction"), QString("Toggle Pair 5-6"));
        if (code == 230)
            QCOMPARE(page.text("systemEvent"), QString("Suspend 500ms"));
        page.clickSlot(7);
        page.store();
        const int pool = EventRecords::poolRegion(kind);
        if (pool < 0) {
            QCOMPARE(page.code(7), code);
        } else {
            const auto region = PresetImage::Region(pool);
            const int size = page.image.columns(region);
            QCOMPARE(
                record(page.image, region, EventRecords::poolEntryOfCode(page.image, page.code(7)),
                       size),
                record(page.image, region, EventRecords::poolEntryOfCode(page.image, code), size));
        }
        page.clickSlot(7);
        page.clear();
    }
}

void tst_eventpage::serialText()
{
    EventPage page;
    page.select(UnitControl, 2);
    auto *field = page.field<hexEdit>("serialField");

    // 40 characters of text keep the first 28 bytes.
    page.clickSlot(1);
    page.chooseKind(EventKind::Serial);
    clickButton(page.field<QRadioButton>("serialAscii"));
    QVERIFY(!field->hexMode());
    page.typeInto(field, QString(40, 'z'));
    page.store();
    QCOMPARE(record(page.image, PresetImage::SerialEventPool, 0, 5), hex("200100007a"));

    // The Hex radio switches the field back (what a switch does to the text
    // is in tst_hexedit).
    page.clickSlot(2);
    page.chooseKind(EventKind::Serial);
    QVERIFY(!field->hexMode());
    clickButton(page.field<QRadioButton>("serialHex"));
    QVERIFY(field->hexMode());
}

void tst_eventpage::fullPoolRefusal()
{
    // The refusal itself is in tst_eventstore and tst_editing; here what the
    // user is left with: the composed event, the slot still selected, so a
    // change of kind and a second press store it.
    ModalAnswerer answerer;
    EventPage page;
    for (int entry = 0; entry < 32; ++entry)
        EventRecords::writeRelay(page.image, entry, {1, 0});
    EventRecords::writeMidi(page.image, 0, {1, 0x90, 60, 100});
    page.image.setValue(PresetImage::TriggerSlots, 0, 1, 1);
    page.select(InputTrigger, 0);
    page.clickSlot(1);
    page.chooseKind(EventKind::Relay);
    const QVector<int> before = modelSnapshot(page.image);
    page.store();
    QCOMPARE(answerer.titles(), QStringList({"Store Event"}));
    QVERIFY(answerer.texts().first().contains("32"));
    QCOMPARE(modelSnapshot(page.image), before);
    QCOMPARE(page.shownKind(), 3);
    QCOMPARE(page.tree()->currentIndex().row(), 1);
    QCOMPARE(page.buttons(), QString("sc"));

    // The MIDI event replacing it takes back the entry it frees.
    page.chooseKind(EventKind::Midi);
    page.field<QSpinBox>("midiData1")->setValue(72);
    page.store();
    QCOMPARE(page.code(1), 1);
    QCOMPARE(record(page.image, PresetImage::MidiEventPool, 0, 4), hex("01904864"));
    QCOMPARE(answerer.titles().size(), 1);
}

void tst_eventpage::runMacroInMacroLists()
{
    EventPage page;
    QAbstractButton *runMacro = page.details->kindButton(EventKind::Macro);
    const QList<QPair<int, bool>> lists{
        {MacroList, false}, {InputTrigger, true}, {MacroList, false}, {UnitControl, true}};
    for (const auto &l : lists) {
        page.select(l.first, 3);
        QCOMPARE(runMacro->isEnabled(), l.second);
    }

    // A macro action in a macro's own list (loaded data) sets the combo only.
    page.image.setValue(PresetImage::MacroSlots, 2, 0, 133);
    page.select(MacroList, 2);
    page.clickSlot(0);
    QCOMPARE(page.text("macroAction"), QString("Macro 5"));
    QCOMPARE(page.shownKind(), -1);
    QCOMPARE(page.buttons(), QString("sc"));
    // Nor can the user choose it there.
    clickButton(runMacro);
    QCOMPARE(page.shownKind(), -1);
}

void tst_eventpage::buttonStates()
{
    EventPage page;
    page.image.setValue(PresetImage::TriggerSlots, 4, 2, 201);
    page.select(InputTrigger, 4);
    QCOMPARE(page.buttons(), QString("--"));

    QSignalSpy stores(page.items, &eventItems::requestSlotStore);
    QSignalSpy clears(page.items, &eventItems::requestSlotClear);
    page.store();
    page.clear();
    QCOMPARE(stores.count() + clears.count(), 0);

    page.clickSlot(1);
    QCOMPARE(page.buttons(), QString("s-"));
    page.clickSlot(2);
    QCOMPARE(page.buttons(), QString("sc"));
    QCOMPARE(page.shownKind(), 4);
    // An empty slot keeps what the editor shows.
    page.clickSlot(5);
    QCOMPARE(page.buttons(), QString("s-"));
    QCOMPARE(page.shownKind(), 4);

    page.store();
    QCOMPARE(page.code(5), 201);
    QVERIFY(!page.tree()->currentIndex().isValid());
    QCOMPARE(page.buttons(), QString("--"));
    QCOMPARE(page.shownKind(), -1);

    page.clickSlot(2);
    page.clear();
    QCOMPARE(page.code(2), 0);
    QCOMPARE(page.code(5), 201);
    QVERIFY(!page.tree()->currentIndex().isValid());
    QCOMPARE(page.buttons(), QString("--"));

    // With no current row the list reports -1 and offers no store.
    QSignalSpy selected(page.items, &eventItems::itemSlotChanged);
    page.items->onItemSlotChanged();
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.last().at(0).toInt(), -1);
    QCOMPARE(page.buttons(), QString("--"));

    // Slot -1 in the editor drops the chosen kind without a signal.
    page.clickSlot(5);
    QSignalSpy hasData(page.details, &detailsitems::itemHasData);
    QSignalSpy noData(page.details, &detailsitems::itemHasNoData);
    page.details->showSlot(page.image, InputTrigger, 4, -1);
    QCOMPARE(page.shownKind(), -1);
    QCOMPARE(hasData.count() + noData.count(), 0);
}

void tst_eventpage::storeFromUnchangedEditor()
{
    EventPage page;
    page.select(InputTrigger, 3);

    // No kind chosen: an empty slot stays empty.
    page.clickSlot(0);
    page.store();
    QCOMPARE(page.code(0), 0);

    // An empty SysEx field gives a record with no message bytes.
    page.clickSlot(0);
    page.chooseKind(EventKind::SysEx);
    page.field<QComboBox>("sysexPort")->setCurrentText("Active USB");
    page.store();
    QCOMPARE(page.code(0), 65);
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 3), hex("080100"));

    // Shown, then stored again untouched: the same bytes, loaded ones unframed too.
    putRecord(page.image, PresetImage::SysexEventPool, 0, hex("0505f07e0102"));
    page.reload();
    page.clickSlot(0);
    const QByteArray sysex = record(page.image, PresetImage::SysexEventPool, 0, 32);
    page.store();
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 32), sysex);

    // Typed into and stored without leaving the field: the text is read first.
    page.clickSlot(0);
    auto *field = page.field<sysexEdit>("sysexField");
    field->selectAll();
    page.typeInto(field, "7e");
    page.storeButton()->click();
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 5), hex("0504f07ef7"));
}

void tst_eventpage::outOfRangeRecords_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<int>("shownKind");
    QTest::addColumn<QByteArray>("stored"); // the record written by a store of the unchanged editor

    QTest::newRow("midi port 0") << 1 << hex("0099247f") << 1 << hex("0199247f");
    QTest::newRow("midi port 12, status 0x40, data 200")
        << 1 << hex("1240c8ff") << 1 << hex("01807f7f");
    QTest::newRow("midi status 0xF5") << 1 << hex("09f50102") << 1 << hex("09800102");
    QTest::newRow("relay 0, action 9") << 97 << hex("0009") << 3 << hex("0100");
    QTest::newRow("relay 7, action 3") << 97 << hex("0703") << 3 << hex("0103");
    QTest::newRow("sysex port 0, length 0") << 65 << hex("0000") << 2 << hex("0101");
    QByteArray longSysex = hex("0ac8");
    QByteArray keptSysex = hex("011f");
    for (int i = 0; i < 30; ++i) {
        longSysex.append(static_cast<char>(0x10 + i));
        keptSysex.append(static_cast<char>(0x10 + i));
    }
    QTest::newRow("sysex port 10, length 200") << 65 << longSysex << 2 << keptSysex;
    QTest::newRow("serial length 2, flag 7") << 145 << hex("02070100") << 6 << hex("04000100");
    QTest::newRow("serial length 250, ascii") << 145 << hex("fa010001") + QByteArray(28, 'A') << 6
                                              << hex("20010001") + QByteArray(28, 'A');
    QTest::newRow("code 81 names no entry") << 81 << QByteArray() << -1 << QByteArray();
    QTest::newRow("code 170") << 170 << QByteArray() << -1 << QByteArray();
}

void tst_eventpage::outOfRangeRecords()
{
    QFETCH(int, code);
    QFETCH(QByteArray, loaded);
    QFETCH(int, shownKind);
    QFETCH(QByteArray, stored);

    EventPage page;
    const EventKind kind = EventRecords::kindOfCode(code);
    const auto pool = static_cast<PresetImage::Region>(EventRecords::poolRegion(kind));
    const int entry = EventRecords::poolEntryOfCode(page.image, code);
    if (entry >= 0)
        putRecord(page.image, pool, entry, loaded);
    page.image.setValue(PresetImage::TriggerSlots, 6, 3, code);
    const QVector<int> before = modelSnapshot(page.image);

    page.select(InputTrigger, 6);
    page.clickSlot(3);
    QCOMPARE(page.shownKind(), shownKind);
    QCOMPARE(page.buttons(), QString("sc"));
    QCOMPARE(modelSnapshot(page.image), before);

    page.store();
    if (shownKind < 0) {
        // Nothing to store: the store empties the slot and touches no pool.
        PresetImage after = page.image;
        after.setValue(PresetImage::TriggerSlots, 6, 3, code);
        QCOMPARE(page.code(3), 0);
        QCOMPARE(modelSnapshot(after), before);
        return;
    }
    QCOMPARE(page.code(3), code);
    QCOMPARE(record(page.image, pool, entry, stored.size()), stored);
}

QTEST_MAIN(tst_eventpage)
#include "tst_eventpage.moc"
