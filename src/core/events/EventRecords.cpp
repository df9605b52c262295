#include "core/events/EventRecords.h"

#include "core/preset/FunctionNames.h"
#include "core/preset/PresetImage.h"

#include <QtGlobal>

namespace {

constexpr int MidiEntries = 64;
constexpr int SysexEntries = 16;
constexpr int RelayEntries = 32;
constexpr int SerialEntries = 16;

bool isChannelStatus(int status)
{
    return status >= EventRecords::StatusFirst && status <= EventRecords::StatusLast;
}

QString portText(int port)
{
    const QStringList &names = EventRecords::midiPortNames();
    if (port >= 1 && port <= names.size())
        return names.at(port - 1);
    return QStringLiteral("Unknown Port %1").arg(port);
}

int byteAt(const PresetImage &image, PresetImage::Region pool, int entry, int index)
{
    return image.value(pool, entry, index);
}

} // namespace

EventKind EventRecords::kindOfCode(int code)
{
    if (code >= MidiFirstCode && code < SysexFirstCode)
        return EventKind::Midi;
    if (code >= SysexFirstCode && code <= SysexLastRangeCode)
        return EventKind::SysEx;
    if (code >= RelayFirstCode && code < MacroFirstCode)
        return EventKind::Relay;
    if (code >= MacroFirstCode && code <= MacroLastCode)
        return EventKind::Macro;
    if (code >= SerialFirstCode && code < SerialFirstCode + SerialEntries)
        return EventKind::Serial;
    if (code >= SystemFirstCode && code <= SystemLastCode)
        return EventKind::System;
    return EventKind::None;
}

int EventRecords::poolRegion(EventKind kind)
{
    switch (kind) {
    case EventKind::Midi:
        return PresetImage::MidiEventPool;
    case EventKind::SysEx:
        return PresetImage::SysexEventPool;
    case EventKind::Relay:
        return PresetImage::RelayEventPool;
    case EventKind::Serial:
        return PresetImage::SerialEventPool;
    default:
        return -1;
    }
}

int EventRecords::poolEntryOfCode(const PresetImage &image, int code)
{
    const EventKind kind = kindOfCode(code);
    const int region = poolRegion(kind);
    if (region < 0)
        return -1;
    const int entry = code - codeOfEntry(kind, 0);
    return entry < image.rows(static_cast<PresetImage::Region>(region)) ? entry : -1;
}

int EventRecords::codeOfEntry(EventKind kind, int entry)
{
    int first = 0;
    int count = 0;
    switch (kind) {
    case EventKind::Midi:
        first = MidiFirstCode;
        count = MidiEntries;
        break;
    case EventKind::SysEx:
        first = SysexFirstCode;
        count = SysexEntries;
        break;
    case EventKind::Relay:
        first = RelayFirstCode;
        count = RelayEntries;
        break;
    case EventKind::Serial:
        first = SerialFirstCode;
        count = SerialEntries;
        break;
    default:
        return 0;
    }
    return entry >= 0 && entry < count ? first + entry : 0;
}

const QStringList &EventRecords::systemEventNames()
{
    static const QStringList names = {
        "Front Lamp A On",
        "Front Lamp A Off",
        "Front Lamp B On",
        "Front Lamp B Off",
        "Rear Lamp A On",
        "Rear Lamp A Off",
        "Rear Lamp B On",
        "Rear Lamp B Off",
        "Toggle Front Lamp A",
        "Toggle Front Lamp B",
        "Toggle Rear Lamp A",
        "Toggle Rear Lamp B",
        "Toggle Front Lamp A Flash",
        "Toggle Front Lamp B Flash",
        "Toggle Rear Lamp A Flash",
        "Toggle Rear Lamp B Flash",
        "Switch Video 1:A",
        "Switch Video 1:B",
        "Switch Video 2:A",
        "Switch Video 2:B",
        "Switch USB:A",
        "Switch USB:B",
        "Toggle Video 1",
        "Toggle Video 2",
        "Toggle USB",
        "Toggle KVM",
        "Toggle KVM Preview",
        "Recall MIDI Patch A",
        "Recall MIDI Patch B",
        "Toggle MIDI Patch",
        "Set MIDI Group 1 Active",
        "Set MIDI Group 2 Active",
        "Set MIDI Group 3 Active",
        "Set MIDI Group 4 Active",
        "Suspend 50ms",
        "Suspend 100ms",
        "Suspend 200ms",
        "Suspend 500ms",
    };
    return names;
}

const QStringList &EventRecords::midiMessageTypeNames()
{
    static const QStringList names = {"Note Off",       "Note On",        "Key Pressure",
                                      "Control Change", "Program Change", "Channel Pressure",
                                      "Pitch Bend"};
    return names;
}

const QStringList &EventRecords::relayActionNames()
{
    static const QStringList names = {"Turn ON", "Turn OFF", "Pulse ON", "Pulse OFF"};
    return names;
}

const QStringList &EventRecords::midiPortNames()
{
    static const QStringList names = {"MIDI Group 1", "MIDI Group 2", "MIDI Group 3",
                                      "MIDI Group 4", "USB A",        "USB B",
                                      "USB A+B",      "Active USB",   "Active MIDI Group"};
    return names;
}

const QStringList &EventRecords::macroActionNames()
{
    // The twelve macros are named as the tree names them, then the pairs.
    static const QStringList names = FunctionNames::macroNames() << "Toggle Pair 1-2"
                                                                 << "Toggle Pair 3-4"
                                                                 << "Toggle Pair 5-6"
                                                                 << "Toggle Pair 7-8";
    return names;
}

const QStringList &EventRecords::relayNumberNames()
{
    static const QStringList names = {"1", "2", "3", "4"};
    return names;
}

const QStringList &EventRecords::editorTitles()
{
    static const QStringList names = {"Send MIDI Event", "Send MIDI SysEx", "Relay Event",
                                      "System Event",    "Run Macro",       "Send Serial Event"};
    return names;
}

int EventRecords::statusByte(int typeIndex, int channel)
{
    return StatusFirst + 16 * typeIndex + (channel - 1);
}

int EventRecords::typeOfStatus(int status)
{
    return isChannelStatus(status) ? (status >> 4) - 8 : 0;
}

int EventRecords::channelOfStatus(int status)
{
    return isChannelStatus(status) ? (status & 0x0F) + 1 : 1;
}

MidiRecord EventRecords::readMidi(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::MidiEventPool;
    MidiRecord r;
    r.port = byteAt(image, pool, entry, 0);
    r.status = byteAt(image, pool, entry, 1);
    r.data1 = byteAt(image, pool, entry, 2);
    r.data2 = byteAt(image, pool, entry, 3);
    return r;
}

SysexRecord EventRecords::readSysex(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::SysexEventPool;
    SysexRecord r;
    r.port = byteAt(image, pool, entry, 0);
    const int count = qBound(0, byteAt(image, pool, entry, 1) - 1, SysexMaxMessage);
    for (int i = 0; i < count; ++i)
        r.message.append(static_cast<char>(byteAt(image, pool, entry, 2 + i)));
    return r;
}

RelayRecord EventRecords::readRelay(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::RelayEventPool;
    RelayRecord r;
    r.relay = byteAt(image, pool, entry, 0);
    r.action = byteAt(image, pool, entry, 1);
    return r;
}

SerialRecord EventRecords::readSerial(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::SerialEventPool;
    SerialRecord r;
    r.ascii = byteAt(image, pool, entry, 1) == 1;
    r.cr = byteAt(image, pool, entry, 2) == 1;
    r.lf = byteAt(image, pool, entry, 3) == 1;
    const int count = qBound(0, byteAt(image, pool, entry, 0) - SerialHeaderSize, SerialMaxData);
    for (int i = 0; i < count; ++i)
        r.data.append(static_cast<char>(byteAt(image, pool, entry, SerialHeaderSize + i)));
    return r;
}

void EventRecords::writeMidi(PresetImage &image, int entry, const MidiRecord &record)
{
    const auto pool = PresetImage::MidiEventPool;
    image.setValue(pool, entry, 0, record.port);
    image.setValue(pool, entry, 1, record.status);
    image.setValue(pool, entry, 2, record.data1);
    image.setValue(pool, entry, 3, record.data2);
}

void EventRecords::writeSysex(PresetImage &image, int entry, const SysexRecord &record)
{
    const auto pool = PresetImage::SysexEventPool;
    const int count = qMin(record.message.size(), SysexMaxMessage);
    image.setValue(pool, entry, 0, record.port);
    image.setValue(pool, entry, 1, count + 1);
    for (int i = 0; i < count; ++i)
        image.setValue(pool, entry, 2 + i, static_cast<unsigned char>(record.message.at(i)));
}

void EventRecords::writeRelay(PresetImage &image, int entry, const RelayRecord &record)
{
    const auto pool = PresetImage::RelayEventPool;
    image.setValue(pool, entry, 0, record.relay);
    image.setValue(pool, entry, 1, record.action);
}

void EventRecords::writeSerial(PresetImage &image, int entry, const SerialRecord &record)
{
    const auto pool = PresetImage::SerialEventPool;
    const int count = qMin(record.data.size(), SerialMaxData);
    image.setValue(pool, entry, 0, count + SerialHeaderSize);
    image.setValue(pool, entry, 1, record.ascii ? 1 : 0);
    image.setValue(pool, entry, 2, record.cr ? 1 : 0);
    image.setValue(pool, entry, 3, record.lf ? 1 : 0);
    for (int i = 0; i < count; ++i)
        image.setValue(pool, entry, SerialHeaderSize + i,
                       static_cast<unsigned char>(record.data.at(i)));
}

QString EventRecords::describeMidiEvent(const PresetImage &image, int entry)
{
    const MidiRecord r = readMidi(image, entry);
    if (r.port < 1)
        return QStringLiteral("<No Midi Data>");

    QString type;
    QString channel;
    if (isChannelStatus(r.status)) {
        const int typeIndex = typeOfStatus(r.status);
        type = midiMessageTypeNames().at(typeIndex) + " " + QString::number(r.data1);
        switch (typeIndex) {
        case 0: // Note Off
        case 1: // Note On
            type += ", Vel " + QString::number(r.data2);
            break;
        case 4: // Program Change
        case 5: // Channel Pressure
            break;
        default:
            type += ", " + QString::number(r.data2);
            break;
        }
        channel = "Chan " + QString::number(channelOfStatus(r.status));
    }
    return type + ", " + channel + " [" + portText(r.port) + "]";
}

QString EventRecords::describeEvent(const PresetImage &image, int code)
{
    const EventKind kind = kindOfCode(code);
    const int entry = poolEntryOfCode(image, code);
    switch (kind) {
    case EventKind::Midi:
        return "MIDI: " + describeMidiEvent(image, entry);
    case EventKind::SysEx: {
        if (entry < 0)
            return QStringLiteral("MIDI SYSEX: code %1 names no SysEx entry").arg(code);
        const auto pool = PresetImage::SysexEventPool;
        const int length = image.value(pool, entry, 1);
        const QString port = portText(image.value(pool, entry, 0));
        if (length < 1 || length > SysexMaxMessage + 1)
            return QStringLiteral("MIDI SYSEX: ? Bytes (length byte %1) [%2]")
                .arg(length)
                .arg(port);
        return QStringLiteral("MIDI SYSEX: %1 Bytes [%2]").arg(length - 1).arg(port);
    }
    case EventKind::Relay: {
        const RelayRecord r = readRelay(image, entry);
        const QStringList &actions = relayActionNames();
        const QString action = r.action >= 0 && r.action < actions.size()
                                   ? actions.at(r.action)
                                   : QStringLiteral("Action %1").arg(r.action);
        return QStringLiteral("RELAY: Relay %1 %2").arg(r.relay).arg(action);
    }
    case EventKind::Macro:
        if (code > MacroFirstCode + 11) {
            const int pair = code - (MacroFirstCode + 12);
            return QStringLiteral("MACRO: Toggle Macro Pair %1-%2")
                .arg(2 * pair + 1)
                .arg(2 * pair + 2);
        }
        return QStringLiteral("MACRO: Macro %1").arg(code - 128);
    case EventKind::Serial: {
        const int length = image.value(PresetImage::SerialEventPool, entry, 0);
        if (length < SerialHeaderSize || length > SerialHeaderSize + SerialMaxData)
            return QStringLiteral("SERIAL: ? Bytes (length byte %1)").arg(length);
        return QStringLiteral("SERIAL: %1 Bytes").arg(length - SerialHeaderSize);
    }
    case EventKind::System:
        return "SYSTEM: " + systemEventNames().at(code - SystemFirstCode);
    case EventKind::None:
        break;
    }
    return QStringLiteral("empty slot");
}
