#include "core/events/EventStore.h"

#include "core/Logging.h"

namespace {

PresetImage::Region regionOf(int region)
{
    return static_cast<PresetImage::Region>(region);
}

template <typename Visit> void forEachSlotCode(const PresetImage &image, Visit visit)
{
    for (auto table :
         {PresetImage::TriggerSlots, PresetImage::SwitchSlots, PresetImage::MacroSlots}) {
        for (int list = 0; list < image.rows(table); ++list) {
            for (int slot = 0; slot < image.columns(table); ++slot)
                visit(image.value(table, list, slot));
        }
    }
}

// Byte 0 marks a record in use. A loaded slot can still name a record whose
// byte 0 is 0; handing that entry out would rewrite the other slot's event.
int firstFreeEntry(const PresetImage &image, EventKind kind)
{
    const int pool = EventRecords::poolRegion(kind);
    if (pool < 0)
        return -1;
    const int entries = image.rows(regionOf(pool));
    QVector<bool> named(entries, false);
    forEachSlotCode(image, [&](int code) {
        const int entry = EventRecords::kindOfCode(code) == kind
                              ? EventRecords::poolEntryOfCode(image, code)
                              : -1;
        if (entry >= 0 && entry < entries)
            named[entry] = true;
    });
    for (int entry = 0; entry < entries; ++entry) {
        if (!named.at(entry) && image.value(regionOf(pool), entry, 0) == 0)
            return entry;
    }
    return -1;
}

// Records are written with in-range values only, so byte 0 always marks the
// entry as used and every field reads back through the name tables.
EventData inRange(EventData event)
{
    const int ports = EventRecords::midiPortNames().size();
    event.midi.port = qBound(1, event.midi.port, ports);
    event.midi.status =
        qBound(EventRecords::StatusFirst, event.midi.status, EventRecords::StatusLast);
    event.midi.data1 = qBound(0, event.midi.data1, EventRecords::DataMax);
    event.midi.data2 = qBound(0, event.midi.data2, EventRecords::DataMax);
    event.sysex.port = qBound(1, event.sysex.port, ports);
    event.relay.relay = qBound(1, event.relay.relay, EventRecords::relayNumberNames().size());
    event.relay.action = qBound(0, event.relay.action, EventRecords::relayActionNames().size() - 1);
    event.systemIndex = qBound(0, event.systemIndex, EventRecords::systemEventNames().size() - 1);
    event.macroIndex = qBound(0, event.macroIndex, EventRecords::macroActionNames().size() - 1);
    return event;
}

void writeRecord(PresetImage &image, int entry, const EventData &event)
{
    switch (event.kind) {
    case EventKind::Midi:
        EventRecords::writeMidi(image, entry, event.midi);
        break;
    case EventKind::SysEx:
        EventRecords::writeSysex(image, entry, event.sysex);
        break;
    case EventKind::Relay:
        EventRecords::writeRelay(image, entry, event.relay);
        break;
    case EventKind::Serial:
        EventRecords::writeSerial(image, entry, event.serial);
        break;
    default:
        break;
    }
}

// The code the slot gets: system events and macro calls have codes of their
// own; the other kinds take the lowest free entry of their pool and name it.
int storedCode(PresetImage &image, const EventData &event)
{
    switch (event.kind) {
    case EventKind::System:
        return EventRecords::SystemFirstCode + event.systemIndex;
    case EventKind::Macro:
        return EventRecords::MacroFirstCode + event.macroIndex;
    default:
        break;
    }
    if (EventRecords::poolRegion(event.kind) < 0)
        return 0;
    const int entry = EventStore::findFreeEntry(image, event.kind);
    writeRecord(image, entry, event);
    return EventRecords::codeOfEntry(event.kind, entry);
}

} // namespace

int EventStore::slotTable(int listKind)
{
    switch (listKind) {
    case InputTrigger:
        return PresetImage::TriggerSlots;
    case UnitControl:
        return PresetImage::SwitchSlots;
    case MacroList:
        return PresetImage::MacroSlots;
    default:
        return -1;
    }
}

bool EventStore::isValidSlot(const PresetImage &image, int listKind, int list, int slot)
{
    const int table = slotTable(listKind);
    return table >= 0 && list >= 0 && list < image.rows(regionOf(table)) && slot >= 0 &&
           slot < image.columns(regionOf(table));
}

int EventStore::slotCode(const PresetImage &image, int listKind, int list, int slot)
{
    if (!isValidSlot(image, listKind, list, slot))
        return 0;
    return image.value(regionOf(slotTable(listKind)), list, slot);
}

int EventStore::referenceCount(const PresetImage &image, int code)
{
    int count = 0;
    forEachSlotCode(image, [&count, code](int named) { count += named == code ? 1 : 0; });
    return count;
}

int EventStore::poolCapacity(const PresetImage &image, EventKind kind)
{
    const int pool = EventRecords::poolRegion(kind);
    return pool < 0 ? 0 : image.rows(regionOf(pool));
}

int EventStore::findFreeEntry(const PresetImage &image, EventKind kind)
{
    const int result = firstFreeEntry(image, kind);
    qCDebug(lcCore) << "Returning Array Position" << result;
    return result;
}

void EventStore::releaseEvent(PresetImage &image, int code)
{
    const int entry = EventRecords::poolEntryOfCode(image, code);
    if (entry < 0)
        return;
    // Loaded data can name one record from two slots; the record stays until
    // the last of them lets go of it.
    if (referenceCount(image, code) > 0)
        return;
    const auto pool = regionOf(EventRecords::poolRegion(EventRecords::kindOfCode(code)));
    for (int i = 0; i < image.columns(pool); ++i)
        image.setValue(pool, entry, i, 0);
}

void EventStore::clearSlot(PresetImage &image, int listKind, int list, int slot)
{
    if (slot == -1 || !isValidSlot(image, listKind, list, slot))
        return;
    const auto table = regionOf(slotTable(listKind));
    const int code = image.value(table, list, slot);
    if (listKind == InputTrigger)
        qCDebug(lcCore) << "Before delete:" << code;
    if (code == 0)
        return;
    image.setValue(table, list, slot, 0);
    releaseEvent(image, code);
    if (listKind == InputTrigger) {
        qCDebug(lcCore) << "ClearSelectedSlot:" << 2 << list << slot;
        qCDebug(lcCore) << "After delete:" << image.value(table, list, slot);
    }
}

bool EventStore::canStore(const PresetImage &image, int listKind, int list, int slot,
                          EventKind kind)
{
    if (EventRecords::poolRegion(kind) < 0 || firstFreeEntry(image, kind) >= 0)
        return true;
    // A full pool still has room when clearing the slot frees one of its entries.
    const int current = slotCode(image, listKind, list, slot);
    return EventRecords::kindOfCode(current) == kind &&
           EventRecords::poolEntryOfCode(image, current) >= 0 &&
           referenceCount(image, current) == 1;
}

EventStore::StoreResult EventStore::storeEvent(PresetImage &image, int listKind, int list, int slot,
                                               const EventData &event)
{
    if (!isValidSlot(image, listKind, list, slot))
        return StoreResult::InvalidSlot;
    if (!canStore(image, listKind, list, slot, event.kind))
        return StoreResult::PoolFull;

    clearSlot(image, listKind, list, slot);
    if (event.kind == EventKind::None)
        return StoreResult::NoEvent;
    image.setValue(regionOf(slotTable(listKind)), list, slot, storedCode(image, inRange(event)));
    return StoreResult::Stored;
}
