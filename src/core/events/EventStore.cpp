#include "core/events/EventStore.h"

#include <QDebug>

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

int EventStore::findFreeEntry(const PresetImage &image, int kind)
{
    const int result = firstFreeEntry(image, static_cast<EventKind>(kind));
    qDebug() << "Returning Array Position" << result;
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
        qDebug() << "Before delete:" << code;
    if (code == 0)
        return;
    image.setValue(table, list, slot, 0);
    releaseEvent(image, code);
    if (listKind == InputTrigger) {
        qDebug() << "ClearSelectedSlot:" << 2 << list << slot;
        qDebug() << "After delete:" << image.value(table, list, slot);
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

    // Records are written with in-range values only, so byte 0 always marks
    // the entry as used and every field reads back through the name tables.
    const int ports = EventRecords::midiPortNames().size();
    int code = 0;
    switch (event.kind) {
    case EventKind::Midi: {
        MidiRecord r = event.midi;
        r.port = qBound(1, r.port, ports);
        r.status = qBound(0x80, r.status, 0xEF);
        r.data1 = qBound(0, r.data1, 127);
        r.data2 = qBound(0, r.data2, 127);
        const int entry = findFreeEntry(image, static_cast<int>(event.kind));
        EventRecords::writeMidi(image, entry, r);
        code = EventRecords::codeOfEntry(event.kind, entry);
        break;
    }
    case EventKind::SysEx: {
        SysexRecord r = event.sysex;
        r.port = qBound(1, r.port, ports);
        const int entry = findFreeEntry(image, static_cast<int>(event.kind));
        EventRecords::writeSysex(image, entry, r);
        code = EventRecords::codeOfEntry(event.kind, entry);
        break;
    }
    case EventKind::Relay: {
        RelayRecord r = event.relay;
        r.relay = qBound(1, r.relay, EventRecords::relayNumberNames().size());
        r.action = qBound(0, r.action, EventRecords::relayActionNames().size() - 1);
        const int entry = findFreeEntry(image, static_cast<int>(event.kind));
        EventRecords::writeRelay(image, entry, r);
        code = EventRecords::codeOfEntry(event.kind, entry);
        break;
    }
    case EventKind::Serial: {
        const int entry = findFreeEntry(image, static_cast<int>(event.kind));
        EventRecords::writeSerial(image, entry, event.serial);
        code = EventRecords::codeOfEntry(event.kind, entry);
        break;
    }
    case EventKind::System:
        code = EventRecords::SystemFirstCode +
               qBound(0, event.systemIndex, EventRecords::systemEventNames().size() - 1);
        break;
    case EventKind::Macro:
        code = EventRecords::MacroFirstCode +
               qBound(0, event.macroIndex, EventRecords::macroActionNames().size() - 1);
        break;
    case EventKind::None:
        return StoreResult::NoEvent;
    }
    image.setValue(regionOf(slotTable(listKind)), list, slot, code);
    return StoreResult::Stored;
}
