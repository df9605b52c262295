#include "EventStore.h"

#include "ModelSnapshot.h"

#include <QtTest>

namespace {

EventData midiEvent(int port = 5, int data1 = 36)
{
    EventData e;
    e.kind = EventKind::Midi;
    e.midi.port = port;
    e.midi.status = EventRecords::statusByte(1, 10);
    e.midi.data1 = data1;
    e.midi.data2 = 127;
    return e;
}

EventData kindOnly(EventKind kind)
{
    EventData e;
    e.kind = kind;
    e.sysex.message = QByteArray::fromHex("F07EF7");
    e.serial.data = "hi";
    return e;
}

int code(const PresetImage &p, int kind, int list, int slot)
{
    return EventStore::slotCode(p, kind, list, slot);
}

} // namespace

class tst_eventstore : public QObject
{
    Q_OBJECT
private slots:
    void findFreeEntry();
    void storeEveryKind_data();
    void storeEveryKind();
    void replaceTakesFreedEntry();
    void clearing();
    void fullPools_data();
    void fullPools();
    void sharedCodes();
    void namedRecordsAreNotFree_data();
    void namedRecordsAreNotFree();
    void codesNamingNoEntry();
    void invalidSlotsAndValues();
};

void tst_eventstore::findFreeEntry()
{
    PresetImage p;
    QCOMPARE(EventStore::findFreeEntry(p, 1), 0);
    p.setValue(PresetImage::RelayEventPool, 0, 0, 1);
    p.setValue(PresetImage::RelayEventPool, 2, 0, 3);
    QCOMPARE(EventStore::findFreeEntry(p, 3), 1);
    // Only byte 0 marks use.
    p.setValue(PresetImage::RelayEventPool, 1, 1, 3);
    QCOMPARE(EventStore::findFreeEntry(p, 3), 1);
    for (int kind : {0, 4, 5, 7, -1})
        QCOMPARE(EventStore::findFreeEntry(p, kind), -1);

    // With entries 0 and 2 in use, the next relay store takes entry 1: code 98.
    EventData relay = kindOnly(EventKind::Relay);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, relay), EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 0), 98);
}

void tst_eventstore::storeEveryKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("expectedCode");
    QTest::addColumn<QVector<int>>("record");

    QTest::newRow("midi") << int(EventKind::Midi) << 1 << QVector<int>{5, 0x99, 36, 127};
    QTest::newRow("sysex") << int(EventKind::SysEx) << 65 << QVector<int>{2, 4, 0xF0, 0x7E, 0xF7};
    QTest::newRow("relay") << int(EventKind::Relay) << 97 << QVector<int>{4, 2};
    QTest::newRow("serial") << int(EventKind::Serial) << 145 << QVector<int>{6, 1, 0, 1, 'h', 'i'};
    QTest::newRow("system") << int(EventKind::System) << 230 << QVector<int>{};
    QTest::newRow("macro") << int(EventKind::Macro) << 143 << QVector<int>{};
}

void tst_eventstore::storeEveryKind()
{
    QFETCH(int, kind);
    QFETCH(int, expectedCode);
    QFETCH(QVector<int>, record);

    PresetImage p;
    EventData e = kind == int(EventKind::Midi) ? midiEvent() : kindOnly(EventKind(kind));
    e.sysex.port = 2;
    e.relay = {4, 2};
    e.serial.ascii = true;
    e.serial.lf = true;
    e.systemIndex = 37; // "Suspend 500ms"
    e.macroIndex = 14;  // "Toggle Pair 5-6"
    const QVector<int> before = modelSnapshot(p);

    QCOMPARE(EventStore::storeEvent(p, UnitControl, 2, 7, e), EventStore::StoreResult::Stored);
    QCOMPARE(code(p, UnitControl, 2, 7), expectedCode);
    const int pool = EventRecords::poolRegion(EventKind(kind));
    if (pool >= 0) {
        for (int i = 0; i < record.size(); ++i)
            QCOMPARE(p.value(PresetImage::Region(pool), 0, i), record.at(i));
    } else {
        // No record: only the slot changed.
        p.setValue(PresetImage::SwitchSlots, 2, 7, 0);
        QCOMPARE(modelSnapshot(p), before);
    }
}

void tst_eventstore::replaceTakesFreedEntry()
{
    // MIDI entries 0-2 in use, entry 0 by the selected slot.
    PresetImage p;
    for (int i = 0; i < 3; ++i)
        QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, i, midiEvent(1 + i)),
                 EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 0), 1);

    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, midiEvent(9, 99)),
             EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 0), 1);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 9);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 2), 99);

    // A system event frees entry 0; the next MIDI store anywhere takes it.
    EventData system = kindOnly(EventKind::System);
    system.systemIndex = 4;
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, system),
             EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 0), 197);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 0);
    QCOMPARE(EventStore::storeEvent(p, MacroList, 11, 11, midiEvent()),
             EventStore::StoreResult::Stored);
    QCOMPARE(code(p, MacroList, 11, 11), 1);

    // No kind chosen: the slot is emptied and its record freed.
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 1, EventData()),
             EventStore::StoreResult::NoEvent);
    QCOMPARE(code(p, InputTrigger, 0, 1), 0);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 1, 0), 0);
}

void tst_eventstore::clearing()
{
    PresetImage p;
    QVector<int> before = modelSnapshot(p);
    EventStore::clearSlot(p, InputTrigger, 3, 3); // empty slot
    QCOMPARE(modelSnapshot(p), before);

    EventStore::storeEvent(p, InputTrigger, 3, 3, midiEvent());
    EventData macro = kindOnly(EventKind::Macro);
    EventStore::storeEvent(p, UnitControl, 0, 0, macro);
    EventData system = kindOnly(EventKind::System);
    EventStore::storeEvent(p, MacroList, 0, 0, system);
    before = modelSnapshot(p);

    EventStore::clearSlot(p, InputTrigger, 3, -1);
    QCOMPARE(modelSnapshot(p), before);
    EventStore::clearSlot(p, ConfigPage, 0, 0);
    QCOMPARE(modelSnapshot(p), before);

    // Macro and system codes: the slot empties, no pool changes.
    EventStore::clearSlot(p, UnitControl, 0, 0);
    EventStore::clearSlot(p, MacroList, 0, 0);
    QCOMPARE(code(p, UnitControl, 0, 0), 0);
    QCOMPARE(code(p, MacroList, 0, 0), 0);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 5);

    EventStore::clearSlot(p, InputTrigger, 3, 3);
    QCOMPARE(code(p, InputTrigger, 3, 3), 0);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(p.value(PresetImage::MidiEventPool, 0, i), 0);
}

void tst_eventstore::fullPools_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("capacity");
    QTest::newRow("midi") << int(EventKind::Midi) << 64;
    QTest::newRow("sysex") << int(EventKind::SysEx) << 16;
    QTest::newRow("relay") << int(EventKind::Relay) << 32;
    QTest::newRow("serial") << int(EventKind::Serial) << 16;
}

void tst_eventstore::fullPools()
{
    QFETCH(int, kind);
    QFETCH(int, capacity);
    const EventData event = kind == 1 ? midiEvent() : kindOnly(EventKind(kind));

    PresetImage p;
    QCOMPARE(EventStore::poolCapacity(p, EventKind(kind)), capacity);
    // Fill the pool from macro slots (144 of them).
    for (int i = 0; i < capacity; ++i)
        QCOMPARE(EventStore::storeEvent(p, MacroList, i / 12, i % 12, event),
                 EventStore::StoreResult::Stored);
    QCOMPARE(EventStore::findFreeEntry(p, kind), -1);

    // The next store is refused, and a slot that held another event keeps it.
    EventData system = kindOnly(EventKind::System);
    EventStore::storeEvent(p, InputTrigger, 0, 0, system);
    const QVector<int> before = modelSnapshot(p);
    QVERIFY(!EventStore::canStore(p, InputTrigger, 0, 0, EventKind(kind)));
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, event),
             EventStore::StoreResult::PoolFull);
    QCOMPARE(modelSnapshot(p), before);

    // Replacing an event of the same kind still works: its own entry is freed first.
    QCOMPARE(EventStore::storeEvent(p, MacroList, 0, 5, event), EventStore::StoreResult::Stored);
    QCOMPARE(code(p, MacroList, 0, 5), EventRecords::codeOfEntry(EventKind(kind), 5));

    // Kinds without records are never refused.
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 1, system),
             EventStore::StoreResult::Stored);
}

void tst_eventstore::sharedCodes()
{
    // Loaded data can name one record from two slots.
    PresetImage p;
    EventStore::storeEvent(p, InputTrigger, 0, 0, midiEvent());
    p.setValue(PresetImage::SwitchSlots, 3, 4, 1);
    QCOMPARE(EventStore::referenceCount(p, 1), 2);

    EventStore::clearSlot(p, InputTrigger, 0, 0);
    QCOMPARE(code(p, InputTrigger, 0, 0), 0);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 5); // still named by the switch
    QCOMPARE(EventStore::findFreeEntry(p, 1), 1);

    // A full pool whose only way out is a shared entry: replacing refuses,
    // since clearing the slot would not free the record.
    for (int i = 1; i < 64; ++i)
        EventStore::storeEvent(p, MacroList, i / 12, i % 12, midiEvent());
    p.setValue(PresetImage::TriggerSlots, 5, 0, 1);
    const QVector<int> before = modelSnapshot(p);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 5, 0, midiEvent(2)),
             EventStore::StoreResult::PoolFull);
    QCOMPARE(modelSnapshot(p), before);

    // Releasing directly while a slot names the code keeps the record.
    EventStore::releaseEvent(p, 1);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 5);

    EventStore::clearSlot(p, InputTrigger, 5, 0);
    EventStore::clearSlot(p, UnitControl, 3, 4);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 0);
    QCOMPARE(EventStore::findFreeEntry(p, 1), 0);
}

void tst_eventstore::namedRecordsAreNotFree_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("capacity");
    QTest::newRow("MIDI") << int(EventKind::Midi) << 64;
    QTest::newRow("SysEx") << int(EventKind::SysEx) << 16;
    QTest::newRow("relay") << int(EventKind::Relay) << 32;
    QTest::newRow("serial") << int(EventKind::Serial) << 16;
}

// A loaded slot can name a record whose byte 0 is 0. The record is not free:
// taking it would turn that slot's event into the new one.
void tst_eventstore::namedRecordsAreNotFree()
{
    QFETCH(int, kind);
    QFETCH(int, capacity);
    const auto pool = static_cast<PresetImage::Region>(EventRecords::poolRegion(EventKind(kind)));
    const EventData event = kind == 1 ? midiEvent() : kindOnly(EventKind(kind));
    PresetImage p;
    const int first = EventRecords::codeOfEntry(EventKind(kind), 0);
    p.setValue(PresetImage::SwitchSlots, 2, 3, first);
    p.setValue(pool, 0, 1, 7);
    QCOMPARE(EventStore::findFreeEntry(p, kind), 1);

    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, event), EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 0), first + 1);
    QCOMPARE(p.value(pool, 0, 0), 0);
    QCOMPARE(p.value(pool, 0, 1), 7);

    // With every other entry taken the pool counts as full.
    for (int entry = 2; entry < capacity; ++entry)
        p.setValue(pool, entry, 0, 1);
    QCOMPARE(EventStore::findFreeEntry(p, kind), -1);
    const QVector<int> before = modelSnapshot(p);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 1, event),
             EventStore::StoreResult::PoolFull);
    QCOMPARE(modelSnapshot(p), before);

    // Cleared, the last slot naming it releases the record.
    EventStore::clearSlot(p, UnitControl, 2, 3);
    QCOMPARE(EventStore::findFreeEntry(p, kind), 0);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 1, event), EventStore::StoreResult::Stored);
    QCOMPARE(code(p, InputTrigger, 0, 1), first);
}

void tst_eventstore::codesNamingNoEntry()
{
    PresetImage p;
    for (int i = 0; i < 16; ++i)
        p.setValue(PresetImage::SysexEventPool, i, 0, 1);
    p.setValue(PresetImage::TriggerSlots, 1, 1, 81);
    p.setValue(PresetImage::TriggerSlots, 1, 2, 96);
    p.setValue(PresetImage::TriggerSlots, 1, 3, 170);
    QVector<int> expected = modelSnapshot(p);

    EventStore::releaseEvent(p, 81);
    EventStore::releaseEvent(p, 0);
    EventStore::releaseEvent(p, -5);
    EventStore::releaseEvent(p, 300);
    QCOMPARE(modelSnapshot(p), expected);

    EventStore::clearSlot(p, InputTrigger, 1, 1);
    EventStore::clearSlot(p, InputTrigger, 1, 2);
    EventStore::clearSlot(p, InputTrigger, 1, 3);
    QCOMPARE(code(p, InputTrigger, 1, 1), 0);
    QCOMPARE(code(p, InputTrigger, 1, 2), 0);
    QCOMPARE(code(p, InputTrigger, 1, 3), 0);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(p.value(PresetImage::SysexEventPool, i, 0), 1);

    // A full SysEx pool is not relieved by a slot holding 81.
    p.setValue(PresetImage::TriggerSlots, 1, 1, 81);
    QVERIFY(!EventStore::canStore(p, InputTrigger, 1, 1, EventKind::SysEx));
}

void tst_eventstore::invalidSlotsAndValues()
{
    PresetImage p;
    const QVector<int> before = modelSnapshot(p);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, -1, midiEvent()),
             EventStore::StoreResult::InvalidSlot);
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 12, 0, midiEvent()),
             EventStore::StoreResult::InvalidSlot);
    QCOMPARE(EventStore::storeEvent(p, UnitControl, 0, 8, midiEvent()),
             EventStore::StoreResult::InvalidSlot);
    QCOMPARE(EventStore::storeEvent(p, ConfigPage, 0, 0, midiEvent()),
             EventStore::StoreResult::InvalidSlot);
    QCOMPARE(EventStore::storeEvent(p, MacroList, 0, 12, midiEvent()),
             EventStore::StoreResult::InvalidSlot);
    EventStore::clearSlot(p, MacroList, 12, 0);
    QCOMPARE(modelSnapshot(p), before);

    // Values outside their fields never make a record that reads as free or
    // names outside a table.
    EventData bad = midiEvent(0);
    bad.midi.status = 0x10;
    bad.midi.data1 = 300;
    QCOMPARE(EventStore::storeEvent(p, InputTrigger, 0, 0, bad), EventStore::StoreResult::Stored);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 1);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 1), 0x80);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 2), 127);

    EventData relay = kindOnly(EventKind::Relay);
    relay.relay = {0, 9};
    EventStore::storeEvent(p, InputTrigger, 0, 1, relay);
    QCOMPARE(p.value(PresetImage::RelayEventPool, 0, 0), 1);
    QCOMPARE(p.value(PresetImage::RelayEventPool, 0, 1), 3);

    EventData system = kindOnly(EventKind::System);
    system.systemIndex = 99;
    EventStore::storeEvent(p, InputTrigger, 0, 2, system);
    QCOMPARE(code(p, InputTrigger, 0, 2), 230);
    EventData macro = kindOnly(EventKind::Macro);
    macro.macroIndex = -4;
    EventStore::storeEvent(p, InputTrigger, 0, 3, macro);
    QCOMPARE(code(p, InputTrigger, 0, 3), 129);
}

QTEST_GUILESS_MAIN(tst_eventstore)
#include "tst_eventstore.moc"
