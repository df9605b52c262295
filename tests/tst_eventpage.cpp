#include "EventRecords.h"
#include "EventStore.h"
#include "ModalAnswerer.h"
#include "PresetImage.h"
#include "TopLevels.h"
#include "Typing.h"
#include "detailsitems.h"
#include "eventItems.h"
#include "hexEdit.h"
#include "sysexEdit.h"

#include "ModelSnapshot.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QtTest>

// The event page as the main window runs it: the slot list above the editor,
// with the main window's store, clear and selection steps replayed here.
class tst_eventpage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void slotListShowsSlots();
    void editorStartsWithNoKind();
    void storeAndShowEveryKind();
    void latin1SerialRoundTrip();
    void replacingFreesOldRecord();
    void fullPoolRefused();
    void runMacroInMacroLists();
    void buttonStates();
    void storeFromUnchangedEditor();
    void outOfRangeRecords_data();
    void outOfRangeRecords();
    void survivesSaveAndReopen();
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

struct EventPage
{
    PresetImage image;
    QWidget window;
    eventItems *items = new eventItems(&window);
    detailsitems *details = new detailsitems(&window);
    int currentKind = NoSelection;
    int currentList = 0;
    int currentSlot = -1;
    QList<EventStore::StoreResult> results;

    EventPage()
    {
        window.setObjectName("eventPage");
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(items);
        layout->addWidget(details);

        QObject::connect(items, &eventItems::itemSlotChanged, items, [this](int slot) {
            currentSlot = slot;
            details->showSlot(image, currentKind, currentList, currentSlot);
        });
        QObject::connect(items, &eventItems::requestSlotClear, items, [this] {
            EventStore::clearSlot(image, currentKind, currentList, currentSlot);
            reload();
        });
        QObject::connect(items, &eventItems::requestSlotStore, items, [this] {
            const auto result = details->storeEvent(image, currentKind, currentList, currentSlot);
            results << result;
            if (result == EventStore::StoreResult::PoolFull)
                details->showPoolFullWarning(image);
            if (result == EventStore::StoreResult::Stored ||
                result == EventStore::StoreResult::NoEvent)
                reload();
        });
        QObject::connect(details, &detailsitems::itemHasData, items, &eventItems::enableButtonDel);
        QObject::connect(details, &detailsitems::itemHasNoData, items,
                         &eventItems::disableButtonDel);

        window.resize(900, 600);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void reload()
    {
        items->showSlotList(image, currentKind, currentList);
        details->resetEditor(currentKind);
    }

    void select(int kind, int list)
    {
        currentKind = kind;
        currentList = list;
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

    void clickSlot(int row)
    {
        QTreeWidgetItem *item = tree()->topLevelItem(row);
        QVERIFY(item);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(item).center());
        QCOMPARE(currentSlot, row);
    }

    void chooseKind(EventKind kind) { clickButton(details->kindButton(kind)); }
    void choose(const char *combo, const QString &text)
    {
        auto *box = field<QComboBox>(combo);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
    }
    void typeInto(QWidget *target, const QString &text)
    {
        target->setFocus(Qt::MouseFocusReason);
        typeText(target, text);
    }
    void store() { QTest::mouseClick(storeButton(), Qt::LeftButton); }
    void clear() { QTest::mouseClick(clearButton(), Qt::LeftButton); }

    int code(int slot) const { return EventStore::slotCode(image, currentKind, currentList, slot); }
    QString description(int row) const { return tree()->topLevelItem(row)->text(1); }
    int enabledGroups() const
    {
        int mask = 0;
        for (int kind = 1; kind <= 6; ++kind) {
            if (details->kindGroup(static_cast<EventKind>(kind))->isEnabled())
                mask |= 1 << kind;
        }
        return mask;
    }
};

} // namespace

void tst_eventpage::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void tst_eventpage::cleanup()
{
    const QStringList open = visibleTopLevels();
    QVERIFY2(open.isEmpty(), qPrintable(open.join(", ") + " left open"));
}

void tst_eventpage::slotListShowsSlots()
{
    EventPage page;
    QTreeWidget *tree = page.tree();
    QCOMPARE(tree->columnCount(), 2);
    QCOMPARE(tree->headerItem()->text(0), QString("Event Slot"));
    QCOMPARE(tree->headerItem()->text(1), QString("Slot Description"));
    QVERIFY(!tree->rootIsDecorated());
    QCOMPARE(page.storeButton()->text(), QString(" Store Selected Event "));
    QCOMPARE(page.clearButton()->text(), QString(" Clear Selected Event "));

    const struct
    {
        int kind;
        int list;
        int rows;
    } lists[] = {{InputTrigger, 10, 8}, {UnitControl, 3, 8}, {MacroList, 11, 12}};
    for (const auto &l : lists) {
        page.select(l.kind, l.list);
        QCOMPARE(page.items->listKind(), l.kind);
        QCOMPARE(page.items->listIndex(), l.list);
        QCOMPARE(tree->topLevelItemCount(), l.rows);
        for (int row = 0; row < l.rows; ++row) {
            QCOMPARE(tree->topLevelItem(row)->text(0), QString::number(row + 1));
            QCOMPARE(page.description(row), QString("empty slot"));
        }
    }

    // Descriptions come from the image, in slot order; a code in no range is empty.
    page.image.setValue(PresetImage::SwitchSlots, 1, 0, 217);
    page.image.setValue(PresetImage::SwitchSlots, 1, 2, 170);
    page.image.setValue(PresetImage::SwitchSlots, 1, 7, 133);
    page.select(UnitControl, 1);
    QCOMPARE(page.description(0), QString("SYSTEM: Toggle USB"));
    QCOMPARE(page.description(1), QString("empty slot"));
    QCOMPARE(page.description(2), QString("empty slot"));
    QCOMPARE(page.description(7), QString("MACRO: Macro 5"));

    // Another kind keeps the rows but still disables both buttons.
    page.clickSlot(0);
    QVERIFY(page.storeButton()->isEnabled());
    QVERIFY(page.clearButton()->isEnabled());
    page.items->showSlotList(page.image, ConfigPage, 0);
    QCOMPARE(tree->topLevelItemCount(), 8);
    QCOMPARE(page.description(0), QString("SYSTEM: Toggle USB"));
    QVERIFY(!page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());
}

void tst_eventpage::editorStartsWithNoKind()
{
    detailsitems editor;
    QCOMPARE(editor.checkedKind(), -1);
    QCOMPARE(editor.styleSheet(), QString("QGroupBox{padding-top:15px; margin-top:-15px}"));
    const QStringList titles = {"Send MIDI Event", "Send MIDI SysEx", "Relay Event",
                                "System Event",    "Run Macro",       "Send Serial Event"};
    for (int kind = 1; kind <= 6; ++kind) {
        QCOMPARE(editor.kindButton(static_cast<EventKind>(kind))->text(), titles.at(kind - 1));
        QVERIFY(editor.kindButton(static_cast<EventKind>(kind))->isEnabled());
        QVERIFY(!editor.kindGroup(static_cast<EventKind>(kind))->isEnabled());
    }

    // Screen order puts serial third.
    const auto radios = editor.findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
    QStringList order;
    for (auto *r : radios)
        order << r->text();
    QCOMPARE(order, QStringList({"Send MIDI Event", "Send MIDI SysEx", "Send Serial Event",
                                 "Relay Event", "System Event", "Run Macro"}));

    auto *channel = editor.findChild<QSpinBox *>("midiChannel");
    QCOMPARE(channel->minimum(), 1);
    QCOMPARE(channel->maximum(), 16);
    for (const char *name : {"midiData1", "midiData2"}) {
        QCOMPARE(editor.findChild<QSpinBox *>(name)->minimum(), 0);
        QCOMPARE(editor.findChild<QSpinBox *>(name)->maximum(), 127);
    }
    const struct
    {
        const char *name;
        int count;
    } combos[] = {{"midiPort", 9},    {"midiType", 7},     {"sysexPort", 9},   {"relayNumber", 4},
                  {"relayAction", 4}, {"systemEvent", 38}, {"macroAction", 16}};
    for (const auto &c : combos) {
        auto *box = editor.findChild<QComboBox *>(c.name);
        QCOMPARE(box->count(), c.count);
        QCOMPARE(box->currentIndex(), 0);
    }
    QVERIFY(editor.findChild<QRadioButton *>("serialHex")->isChecked());
    QVERIFY(editor.findChild<hexEdit *>("serialField")->hexMode());
}

void tst_eventpage::storeAndShowEveryKind()
{
    EventPage page;
    page.select(InputTrigger, 0);

    page.clickSlot(0);
    page.chooseKind(EventKind::Midi);
    QCOMPARE(page.enabledGroups(), 1 << 1);
    page.choose("midiPort", "USB A");
    page.choose("midiType", "Note On");
    page.field<QSpinBox>("midiChannel")->setValue(10);
    page.field<QSpinBox>("midiData1")->setValue(36);
    page.field<QSpinBox>("midiData2")->setValue(127);
    page.store();
    QCOMPARE(page.code(0), 1);
    QCOMPARE(record(page.image, PresetImage::MidiEventPool, 0, 4), hex("0599247f"));
    QCOMPARE(page.description(0), QString("MIDI: Note On 36, Vel 127, Chan 10 [USB A]"));

    page.clickSlot(1);
    page.chooseKind(EventKind::SysEx);
    page.choose("sysexPort", "MIDI Group 2");
    page.typeInto(page.field<sysexEdit>("sysexField"), "437e7f0601");
    page.store();
    QCOMPARE(page.code(1), 65);
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 10), hex("0208f0437e7f0601f700"));
    QCOMPARE(page.description(1), QString("MIDI SYSEX: 7 Bytes [MIDI Group 2]"));

    page.clickSlot(2);
    page.chooseKind(EventKind::Serial);
    clickButton(page.field<QCheckBox>("serialLf"));
    page.typeInto(page.field<hexEdit>("serialField"), "0d0a1b");
    page.store();
    QCOMPARE(page.code(2), 145);
    QCOMPARE(record(page.image, PresetImage::SerialEventPool, 0, 8), hex("070000010d0a1b00"));
    QCOMPARE(page.description(2), QString("SERIAL: 3 Bytes"));

    page.clickSlot(3);
    page.chooseKind(EventKind::Relay);
    page.choose("relayNumber", "3");
    page.choose("relayAction", "Pulse ON");
    page.store();
    QCOMPARE(page.code(3), 97);
    QCOMPARE(record(page.image, PresetImage::RelayEventPool, 0, 2), hex("0302"));
    QCOMPARE(page.description(3), QString("RELAY: Relay 3 Pulse ON"));

    const QVector<int> before = modelSnapshot(page.image);
    page.clickSlot(4);
    page.chooseKind(EventKind::System);
    page.choose("systemEvent", "Suspend 500ms");
    page.store();
    QCOMPARE(page.code(4), 230);
    QCOMPARE(page.description(4), QString("SYSTEM: Suspend 500ms"));

    page.clickSlot(5);
    page.chooseKind(EventKind::Macro);
    page.choose("macroAction", "Toggle Pair 5-6");
    page.store();
    QCOMPARE(page.code(5), 143);
    QCOMPARE(page.description(5), QString("MACRO: Toggle Macro Pair 5-6"));
    // Neither took a pool entry: only the two slots changed.
    PresetImage after = page.image;
    after.setValue(PresetImage::TriggerSlots, 0, 4, 0);
    after.setValue(PresetImage::TriggerSlots, 0, 5, 0);
    QCOMPARE(modelSnapshot(after), before);

    // Scramble every field, then show each slot: the stored event comes back.
    page.chooseKind(EventKind::Midi);
    page.choose("midiPort", "MIDI Group 1");
    page.choose("midiType", "Pitch Bend");
    page.field<QSpinBox>("midiChannel")->setValue(1);
    page.field<QSpinBox>("midiData1")->setValue(0);
    page.field<QSpinBox>("midiData2")->setValue(0);
    page.field<sysexEdit>("sysexField")->setBytes(hex("f0f7"));
    page.choose("relayNumber", "1");
    page.choose("systemEvent", "Toggle USB");
    page.choose("macroAction", "Macro 1");

    page.clickSlot(0);
    QCOMPARE(page.details->checkedKind(), 1);
    QCOMPARE(page.enabledGroups(), 1 << 1);
    QCOMPARE(page.field<QComboBox>("midiPort")->currentText(), QString("USB A"));
    QCOMPARE(page.field<QComboBox>("midiType")->currentText(), QString("Note On"));
    QCOMPARE(page.field<QSpinBox>("midiChannel")->value(), 10);
    QCOMPARE(page.field<QSpinBox>("midiData1")->value(), 36);
    QCOMPARE(page.field<QSpinBox>("midiData2")->value(), 127);

    page.clickSlot(1);
    QCOMPARE(page.details->checkedKind(), 2);
    QCOMPARE(page.enabledGroups(), 1 << 2);
    QCOMPARE(page.field<QComboBox>("sysexPort")->currentText(), QString("MIDI Group 2"));
    QCOMPARE(page.field<sysexEdit>("sysexField")->text(), QString("F0 43 7E 7F 06 01 F7"));

    page.clickSlot(2);
    QCOMPARE(page.details->checkedKind(), 6);
    QCOMPARE(page.enabledGroups(), 1 << 6);
    QVERIFY(page.field<QRadioButton>("serialHex")->isChecked());
    QVERIFY(!page.field<QCheckBox>("serialCr")->isChecked());
    QVERIFY(page.field<QCheckBox>("serialLf")->isChecked());
    QCOMPARE(page.field<hexEdit>("serialField")->text(), QString("0D 0A 1B"));

    page.clickSlot(3);
    QCOMPARE(page.details->checkedKind(), 3);
    QCOMPARE(page.field<QComboBox>("relayNumber")->currentText(), QString("3"));
    QCOMPARE(page.field<QComboBox>("relayAction")->currentText(), QString("Pulse ON"));

    page.clickSlot(4);
    QCOMPARE(page.details->checkedKind(), 4);
    QCOMPARE(page.field<QComboBox>("systemEvent")->currentText(), QString("Suspend 500ms"));

    page.clickSlot(5);
    QCOMPARE(page.details->checkedKind(), 5);
    QCOMPARE(page.enabledGroups(), 1 << 5);
    QCOMPARE(page.field<QComboBox>("macroAction")->currentText(), QString("Toggle Pair 5-6"));
}

void tst_eventpage::latin1SerialRoundTrip()
{
    EventPage page;
    page.select(UnitControl, 2);
    page.clickSlot(0);
    page.chooseKind(EventKind::Serial);
    clickButton(page.field<QRadioButton>("serialAscii"));
    QVERIFY(!page.field<hexEdit>("serialField")->hexMode());
    clickButton(page.field<QCheckBox>("serialCr"));
    const QString text = QString::fromUtf8("Gr\u00fc\u00dfe \u00a9");
    page.typeInto(page.field<hexEdit>("serialField"), text);
    page.store();
    QCOMPARE(page.code(0), 145);
    const QByteArray stored = record(page.image, PresetImage::SerialEventPool, 0, 32);
    QCOMPARE(stored.left(12), hex("0b0101004772fcdf6520a900"));
    QCOMPARE(page.description(0), QString("SERIAL: 7 Bytes"));

    // Shown back as the same text, and stored again as the same bytes.
    page.field<hexEdit>("serialField")->clear();
    page.clickSlot(0);
    QVERIFY(page.field<QRadioButton>("serialAscii")->isChecked());
    QVERIFY(!page.field<hexEdit>("serialField")->hexMode());
    QCOMPARE(page.field<hexEdit>("serialField")->text(), text);
    page.store();
    QCOMPARE(page.code(0), 145);
    QCOMPARE(record(page.image, PresetImage::SerialEventPool, 0, 32), stored);

    // 40 characters keep the first 28 bytes.
    page.clickSlot(1);
    page.chooseKind(EventKind::Serial);
    page.field<hexEdit>("serialField")->clear();
    page.typeInto(page.field<hexEdit>("serialField"), QString(40, 'z'));
    page.store();
    QCOMPARE(page.code(1), 146);
    QCOMPARE(page.image.value(PresetImage::SerialEventPool, 1, 0), 32);
    QCOMPARE(page.description(1), QString("SERIAL: 28 Bytes"));

    // The mode radios re-read the text under the new mode, without translating it.
    page.clickSlot(2);
    page.chooseKind(EventKind::Serial);
    auto *field = page.field<hexEdit>("serialField");
    clickButton(page.field<QRadioButton>("serialHex"));
    QVERIFY(field->hexMode());
    field->clear();
    page.typeInto(field, "41 42");
    clickButton(page.field<QRadioButton>("serialAscii"));
    QVERIFY(!field->hexMode());
    QCOMPARE(field->text(), QString("41 42"));
    field->clear();
    page.typeInto(field, "ABC");
    clickButton(page.field<QRadioButton>("serialHex"));
    QCOMPARE(field->text(), QString("AB 0C"));
    page.store();
    QCOMPARE(page.code(2), 147);
    QCOMPARE(record(page.image, PresetImage::SerialEventPool, 2, 6), hex("06000100ab0c"));
}

void tst_eventpage::replacingFreesOldRecord()
{
    EventPage page;
    for (int entry = 0; entry < 3; ++entry) {
        EventRecords::writeMidi(page.image, entry, {1, 0x90, 60 + entry, 100});
        page.image.setValue(PresetImage::TriggerSlots, 0, entry, 1 + entry);
    }
    page.select(InputTrigger, 0);

    // A MIDI event replacing a MIDI event takes its old entry back.
    page.clickSlot(0);
    page.field<QSpinBox>("midiData1")->setValue(72);
    page.store();
    QCOMPARE(page.code(0), 1);
    QCOMPARE(record(page.image, PresetImage::MidiEventPool, 0, 4), hex("01904864"));

    // A system event in its place frees the MIDI entry for the next store.
    page.clickSlot(0);
    page.chooseKind(EventKind::System);
    page.choose("systemEvent", "Toggle USB");
    page.store();
    QCOMPARE(page.code(0), 217);
    QCOMPARE(page.image.value(PresetImage::MidiEventPool, 0, 0), 0);
    page.clickSlot(6);
    page.chooseKind(EventKind::Midi);
    page.store();
    QCOMPARE(page.code(6), 1);

    // The lowest free entry wins.
    EventRecords::writeRelay(page.image, 0, {1, 0});
    EventRecords::writeRelay(page.image, 2, {2, 1});
    page.clickSlot(7);
    page.chooseKind(EventKind::Relay);
    page.store();
    QCOMPARE(page.code(7), 98);

    // Clearing releases the record and empties the slot.
    page.clickSlot(7);
    page.clear();
    QCOMPARE(page.code(7), 0);
    QCOMPARE(page.image.value(PresetImage::RelayEventPool, 1, 0), 0);
    QCOMPARE(page.description(7), QString("empty slot"));
}

void tst_eventpage::fullPoolRefused()
{
    ModalAnswerer answerer;
    EventPage page;
    for (int entry = 0; entry < 16; ++entry)
        putRecord(page.image, PresetImage::SysexEventPool, entry, hex("0103f0f7"));
    page.image.setValue(PresetImage::TriggerSlots, 0, 0, 65);
    for (int entry = 0; entry < 64; ++entry)
        EventRecords::writeMidi(page.image, entry, {2, 0xB0, 7, entry});
    page.image.setValue(PresetImage::TriggerSlots, 1, 0, 1);

    page.select(InputTrigger, 1);
    page.clickSlot(1);
    page.chooseKind(EventKind::SysEx);
    page.typeInto(page.field<sysexEdit>("sysexField"), "01 02");
    const QVector<int> before = modelSnapshot(page.image);
    page.store();

    QCOMPARE(page.results.last(), EventStore::StoreResult::PoolFull);
    QCOMPARE(answerer.titles(), QStringList({"Store Event"}));
    QVERIFY(answerer.texts().first().contains("SysEx"));
    QVERIFY(answerer.texts().first().contains("16"));
    QCOMPARE(modelSnapshot(page.image), before);
    // Editor and list as they were: the user can change the event and retry.
    QCOMPARE(page.details->checkedKind(), 2);
    QCOMPARE(page.field<sysexEdit>("sysexField")->text(), QString("F0 01 02 F7"));
    QCOMPARE(page.tree()->currentIndex().row(), 1);
    QVERIFY(page.storeButton()->isEnabled());

    // Refused before the slot is cleared: its MIDI event stays when the relay pool is full.
    for (int entry = 0; entry < 32; ++entry)
        EventRecords::writeRelay(page.image, entry, {1, 0});
    page.clickSlot(0);
    QCOMPARE(page.details->checkedKind(), 1);
    page.chooseKind(EventKind::Relay);
    answerer.clear();
    const QVector<int> beforeRelay = modelSnapshot(page.image);
    page.store();
    QCOMPARE(page.results.last(), EventStore::StoreResult::PoolFull);
    QCOMPARE(answerer.titles(), QStringList({"Store Event"}));
    QVERIFY(answerer.texts().first().contains("32"));
    QCOMPARE(modelSnapshot(page.image), beforeRelay);
    QCOMPARE(page.code(0), 1);

    // With the MIDI pool full, a MIDI event still replaces a MIDI event.
    page.chooseKind(EventKind::Midi);
    page.field<QSpinBox>("midiData1")->setValue(99);
    page.store();
    QCOMPARE(page.results.last(), EventStore::StoreResult::Stored);
    QCOMPARE(page.code(0), 1);
    QCOMPARE(page.image.value(PresetImage::MidiEventPool, 0, 2), 99);

    // So does a SysEx event in the slot that names the only SysEx entry it frees.
    page.select(InputTrigger, 0);
    page.clickSlot(0);
    page.field<sysexEdit>("sysexField")->selectAll();
    page.typeInto(page.field<sysexEdit>("sysexField"), "55");
    page.store();
    QCOMPARE(page.results.last(), EventStore::StoreResult::Stored);
    QCOMPARE(page.code(0), 65);
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 5), hex("0104f055f7"));
    QCOMPARE(answerer.titles().size(), 1);
}

void tst_eventpage::runMacroInMacroLists()
{
    EventPage page;
    QAbstractButton *runMacro = page.details->kindButton(EventKind::Macro);
    page.select(MacroList, 0);
    QVERIFY(!runMacro->isEnabled());
    page.select(InputTrigger, 0);
    QVERIFY(runMacro->isEnabled());
    page.select(MacroList, 3);
    QVERIFY(!runMacro->isEnabled());
    page.select(UnitControl, 0);
    QVERIFY(runMacro->isEnabled());

    // A macro action in a macro's own list (loaded data) sets the combo only.
    page.image.setValue(PresetImage::MacroSlots, 2, 0, 133);
    page.select(MacroList, 2);
    page.clickSlot(0);
    QCOMPARE(page.field<QComboBox>("macroAction")->currentText(), QString("Macro 5"));
    QCOMPARE(page.details->checkedKind(), -1);
    QCOMPARE(page.enabledGroups(), 0);
    QVERIFY(page.clearButton()->isEnabled());

    // Nor can the user choose it there.
    clickButton(runMacro);
    QCOMPARE(page.details->checkedKind(), -1);
    QCOMPARE(page.enabledGroups(), 0);
}

void tst_eventpage::buttonStates()
{
    EventPage page;
    page.image.setValue(PresetImage::TriggerSlots, 4, 2, 201);
    page.select(InputTrigger, 4);
    QVERIFY(!page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());

    QSignalSpy stores(page.items, &eventItems::requestSlotStore);
    QSignalSpy clears(page.items, &eventItems::requestSlotClear);
    QSignalSpy selected(page.items, &eventItems::itemSlotChanged);
    QSignalSpy hasData(page.details, &detailsitems::itemHasData);
    QSignalSpy noData(page.details, &detailsitems::itemHasNoData);
    page.store();
    page.clear();
    QCOMPARE(stores.count(), 0);
    QCOMPARE(clears.count(), 0);

    page.clickSlot(1);
    QCOMPARE(selected.last().at(0).toInt(), 1);
    QCOMPARE(noData.count() > 0, true);
    QCOMPARE(hasData.count(), 0);
    QVERIFY(page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());

    page.clickSlot(2);
    QCOMPARE(selected.last().at(0).toInt(), 2);
    QVERIFY(hasData.count() > 0);
    QVERIFY(page.storeButton()->isEnabled());
    QVERIFY(page.clearButton()->isEnabled());
    QCOMPARE(page.details->checkedKind(), 4);

    page.clickSlot(5);
    QVERIFY(page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());
    // An empty slot keeps what the editor shows.
    QCOMPARE(page.details->checkedKind(), 4);

    page.store();
    QCOMPARE(stores.count(), 1);
    QCOMPARE(page.code(5), 201);
    QVERIFY(!page.tree()->currentIndex().isValid());
    QVERIFY(!page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());
    QCOMPARE(page.details->checkedKind(), -1);
    QCOMPARE(page.enabledGroups(), 0);
    QCOMPARE(page.currentSlot, -1);

    page.clickSlot(2);
    page.clear();
    QCOMPARE(clears.count(), 1);
    QCOMPARE(page.code(2), 0);
    QCOMPARE(page.code(5), 201);
    QVERIFY(!page.tree()->currentIndex().isValid());
    QVERIFY(!page.storeButton()->isEnabled());
    QVERIFY(!page.clearButton()->isEnabled());

    // With no current row the list reports -1 and offers no store.
    selected.clear();
    page.items->onItemSlotChanged();
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.last().at(0).toInt(), -1);
    QVERIFY(!page.storeButton()->isEnabled());

    // Slot -1 in the editor drops the chosen kind without a signal.
    page.clickSlot(5);
    QCOMPARE(page.details->checkedKind(), 4);
    hasData.clear();
    noData.clear();
    page.details->showSlot(page.image, InputTrigger, 4, -1);
    QCOMPARE(page.details->checkedKind(), -1);
    QCOMPARE(page.enabledGroups(), 0);
    QCOMPARE(hasData.count() + noData.count(), 0);
}

void tst_eventpage::storeFromUnchangedEditor()
{
    EventPage page;
    page.select(InputTrigger, 3);

    // No kind chosen: an empty slot stays empty.
    page.clickSlot(0);
    page.store();
    QCOMPARE(page.results.last(), EventStore::StoreResult::NoEvent);
    QCOMPARE(page.code(0), 0);

    // An empty SysEx field gives a record with no message bytes.
    page.clickSlot(0);
    page.chooseKind(EventKind::SysEx);
    page.choose("sysexPort", "Active USB");
    page.store();
    QCOMPARE(page.code(0), 65);
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 3), hex("080100"));
    QCOMPARE(page.description(0), QString("MIDI SYSEX: 0 Bytes [Active USB]"));

    // Shown, then stored again untouched: the same bytes, loaded ones unframed too.
    putRecord(page.image, PresetImage::SysexEventPool, 0, hex("0505f07e0102"));
    page.reload();
    page.clickSlot(0);
    const QByteArray sysex = record(page.image, PresetImage::SysexEventPool, 0, 32);
    page.store();
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 0, 32), sysex);

    // Shown, then copied into an empty slot: a record of its own.
    page.clickSlot(0);
    page.clickSlot(4);
    page.store();
    QCOMPARE(page.code(4), 66);
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 1, 32), sysex);
    QCOMPARE(page.code(0), 65);

    // Typed into and stored without leaving the field: the text is read first.
    page.clickSlot(4);
    auto *field = page.field<sysexEdit>("sysexField");
    field->selectAll();
    page.typeInto(field, "7e");
    page.storeButton()->click();
    QCOMPARE(record(page.image, PresetImage::SysexEventPool, 1, 5), hex("0504f07ef7"));
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
    QTest::newRow("code 96 names no entry") << 96 << QByteArray() << -1 << QByteArray();
    QTest::newRow("code 170") << 170 << QByteArray() << -1 << QByteArray();
    QTest::newRow("code 240") << 240 << QByteArray() << -1 << QByteArray();
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
    QCOMPARE(page.details->checkedKind(), shownKind);
    QCOMPARE(page.enabledGroups(), shownKind > 0 ? 1 << shownKind : 0);
    QVERIFY(page.clearButton()->isEnabled());
    QCOMPARE(modelSnapshot(page.image), before);

    page.store();
    if (shownKind < 0) {
        // Nothing to store: the store empties the slot and touches no pool.
        QCOMPARE(page.code(3), 0);
        PresetImage after = page.image;
        after.setValue(PresetImage::TriggerSlots, 6, 3, code);
        QCOMPARE(modelSnapshot(after), before);
        return;
    }
    QCOMPARE(page.code(3), code);
    QCOMPARE(record(page.image, pool, entry, stored.size()), stored);
}

void tst_eventpage::survivesSaveAndReopen()
{
    EventPage page;
    page.select(InputTrigger, 2);
    page.clickSlot(2);
    page.chooseKind(EventKind::Midi);
    page.choose("midiType", "Program Change");
    page.field<QSpinBox>("midiData1")->setValue(7);
    page.field<QSpinBox>("midiChannel")->setValue(4);
    page.choose("midiPort", "USB A");
    page.store();
    page.clickSlot(5);
    page.chooseKind(EventKind::Serial);
    clickButton(page.field<QRadioButton>("serialAscii"));
    page.typeInto(page.field<hexEdit>("serialField"), QString::fromUtf8("Caf\u00e9"));
    page.store();
    page.clickSlot(7);
    page.chooseKind(EventKind::System);
    page.choose("systemEvent", "Recall MIDI Patch B");
    page.store();
    const QStringList described = {page.description(2), page.description(5), page.description(7)};
    const QList<int> codes = {page.code(2), page.code(5), page.code(7)};

    page.image.buildImage();
    const QVector<int> bytes = page.image.image();
    PresetImage reopened;
    for (int i = 0; i < reopened.imageSize(); ++i)
        reopened.setImageByte(i, bytes.at(i));
    reopened.parseImage();
    page.image = reopened;
    page.reload();

    // Packing moved the events to the front, codes unchanged.
    QCOMPARE((QList<int>{page.code(0), page.code(1), page.code(2)}), codes);
    QCOMPARE((QStringList{page.description(0), page.description(1), page.description(2)}),
             described);
    for (int row = 3; row < 8; ++row)
        QCOMPARE(page.description(row), QString("empty slot"));

    page.clickSlot(1);
    QCOMPARE(page.details->checkedKind(), 6);
    QVERIFY(page.field<QRadioButton>("serialAscii")->isChecked());
    QCOMPARE(page.field<hexEdit>("serialField")->text(), QString::fromUtf8("Caf\u00e9"));
    page.clickSlot(0);
    QCOMPARE(page.field<QComboBox>("midiType")->currentText(), QString("Program Change"));
    QCOMPARE(page.field<QSpinBox>("midiChannel")->value(), 4);
    QCOMPARE(page.description(0), QString("MIDI: Program Change 7, Chan 4 [USB A]"));
}

QTEST_MAIN(tst_eventpage)
#include "tst_eventpage.moc"
