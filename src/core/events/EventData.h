#pragma once

#include "core/events/EventRecords.h"

// One event as the detail editor composes it, before it is stored into a slot.
struct EventData
{
    EventKind kind = EventKind::None;
    MidiRecord midi;
    SysexRecord sysex;
    RelayRecord relay;
    SerialRecord serial;
    int systemIndex = 0; // position in the system event table
    int macroIndex = 0;  // position in the macro action list
};
