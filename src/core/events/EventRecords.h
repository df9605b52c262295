#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class PresetImage;

// The six kinds of event; the numbers travel as button ids and pool selectors.
enum class EventKind {
    None = 0,
    Midi = 1,
    SysEx = 2,
    Relay = 3,
    System = 4,
    Macro = 5,
    Serial = 6
};

struct MidiRecord
{
    int port = 1; // 1-9, position in the port table counted from 1
    int status = 0x80;
    int data1 = 0;
    int data2 = 0;
};

struct SysexRecord
{
    int port = 1;
    QByteArray message; // at most 30 bytes
};

struct RelayRecord
{
    int relay = 1;  // 1-4
    int action = 0; // index into the relay action table
};

struct SerialRecord
{
    bool ascii = false;
    bool cr = false;
    bool lf = false;
    QByteArray data; // at most 28 bytes
};

// Event codes, record layouts, name tables and the one-line description of an
// event. Reads never leave the table or record they address, whatever a loaded
// image holds.
class EventRecords
{
public:
    static constexpr int MidiFirstCode = 1;
    static constexpr int SysexFirstCode = 65;
    static constexpr int SysexLastRangeCode = 96;
    static constexpr int RelayFirstCode = 97;
    static constexpr int MacroFirstCode = 129;
    static constexpr int MacroLastCode = 144;
    static constexpr int SerialFirstCode = 145;
    static constexpr int SystemFirstCode = 193;
    static constexpr int SystemLastCode = 230;
    static constexpr int SysexMaxMessage = 30;
    static constexpr int SerialMaxData = 28;
    static constexpr int SerialHeaderSize = 4;
    // The channel messages a MIDI record sends: Note Off (0x80) to Pitch Bend
    // (0xEx), with data bytes of seven bits.
    static constexpr int StatusFirst = 0x80;
    static constexpr int StatusLast = 0xEF;
    static constexpr int DataMax = 127;

    // The kind a code's range names (codes 81-96 included as SysEx), or None.
    static EventKind kindOfCode(int code);
    // The pool entry a code names, or -1 (also for 81-96 and kinds without records).
    static int poolEntryOfCode(const PresetImage &image, int code);
    // The code that names entry `entry` of the kind's pool, or 0.
    static int codeOfEntry(EventKind kind, int entry);
    // Pool region of a kind, or -1 for kinds without records.
    static int poolRegion(EventKind kind);

    static const QStringList &systemEventNames();
    static const QStringList &midiMessageTypeNames();
    static const QStringList &relayActionNames();
    static const QStringList &midiPortNames();
    static const QStringList &macroActionNames();
    static const QStringList &relayNumberNames();
    static const QStringList &editorTitles(); // index = kind number - 1

    static int statusByte(int typeIndex, int channel);
    // Type index and channel of a status byte; outside 0x80-0xEF gives type 0, channel 1.
    static int typeOfStatus(int status);
    static int channelOfStatus(int status);

    static MidiRecord readMidi(const PresetImage &image, int entry);
    static SysexRecord readSysex(const PresetImage &image, int entry);
    static RelayRecord readRelay(const PresetImage &image, int entry);
    static SerialRecord readSerial(const PresetImage &image, int entry);
    static void writeMidi(PresetImage &image, int entry, const MidiRecord &record);
    static void writeSysex(PresetImage &image, int entry, const SysexRecord &record);
    static void writeRelay(PresetImage &image, int entry, const RelayRecord &record);
    static void writeSerial(PresetImage &image, int entry, const SerialRecord &record);

    // The description is English, as cuesmith-cli prints it; the window passes
    // its translation of the core's names, which the words are marked for.
    using Translate = QString (*)(const QString &);
    static QString describeEvent(const PresetImage &image, int code, Translate translate = nullptr);
    static QString describeMidiEvent(const PresetImage &image, int entry,
                                     Translate translate = nullptr);
};
