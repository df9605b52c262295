#pragma once

#include "core/events/EventData.h"
#include "core/preset/PresetImage.h"

// Which slot table a selection addresses; 0 and 1 address none.
enum SlotListKind {
    NoSelection = 0,
    ConfigPage = 1,
    InputTrigger = 2,
    UnitControl = 3,
    MacroList = 4
};

// The rules by which events live in the model: slot lists of event codes, and
// fixed pools of records that codes name. All operations work on the model.
class EventStore
{
public:
    enum class StoreResult {
        Stored,      // the slot now holds the new event
        NoEvent,     // no kind was chosen: the slot was emptied
        PoolFull,    // refused: nothing changed
        InvalidSlot, // no slot addressed: nothing changed
    };

    // The slot table of a list kind, or -1.
    static int slotTable(int listKind);
    static bool isValidSlot(const PresetImage &image, int listKind, int list, int slot);
    static int slotCode(const PresetImage &image, int listKind, int list, int slot);
    // How many slots of all lists name `code`.
    static int referenceCount(const PresetImage &image, int code);
    // Entries in the pool of a kind, 0 for kinds without records.
    static int poolCapacity(const PresetImage &image, EventKind kind);

    // The lowest entry of the kind's pool whose byte 0 is 0 and that no slot
    // names, or -1.
    static int findFreeEntry(const PresetImage &image, EventKind kind);
    // Frees the record `code` names, unless a slot still names the code.
    static void releaseEvent(PresetImage &image, int code);
    static void clearSlot(PresetImage &image, int listKind, int list, int slot);
    // Whether a store of `kind` into the slot would find a pool entry,
    // counting the entry the slot's own event would free.
    static bool canStore(const PresetImage &image, int listKind, int list, int slot,
                         EventKind kind);
    // Replaces the slot's event: clear, take the lowest free entry, fill the
    // record, write the code. A refused store leaves slot and pools untouched.
    static StoreResult storeEvent(PresetImage &image, int listKind, int list, int slot,
                                  const EventData &event);
};
