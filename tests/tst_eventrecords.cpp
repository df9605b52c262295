#include "EventRecords.h"
#include "PresetImage.h"

#include <QtTest>

using Bytes = QVector<int>;
Q_DECLARE_METATYPE(Bytes)

class tst_eventrecords : public QObject
{
    Q_OBJECT
private slots:
    void describe_data();
    void describe();
    void codesWithoutMeaning();
    void kindsAndEntries_data();
    void kindsAndEntries();
    void statusRoundTrip();
    void recordLimits();
    void nameTables();
};

void tst_eventrecords::describe_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<Bytes>("record"); // written into the entry the code names
    QTest::addColumn<QString>("text");

    QTest::newRow("note on") << 1 << Bytes{1, 0x90, 60, 100}
                             << "MIDI: Note On 60, Vel 100, Chan 1 [MIDI Group 1]";
    QTest::newRow("program change")
        << 2 << Bytes{5, 0xC3, 7, 0} << "MIDI: Program Change 7, Chan 4 [USB A]";
    QTest::newRow("note off") << 64 << Bytes{9, 0x8F, 1, 2}
                              << "MIDI: Note Off 1, Vel 2, Chan 16 [Active MIDI Group]";
    QTest::newRow("key pressure") << 3 << Bytes{2, 0xA1, 10, 20}
                                  << "MIDI: Key Pressure 10, 20, Chan 2 [MIDI Group 2]";
    QTest::newRow("control change")
        << 3 << Bytes{3, 0xB0, 7, 127} << "MIDI: Control Change 7, 127, Chan 1 [MIDI Group 3]";
    QTest::newRow("channel pressure omits data 2")
        << 3 << Bytes{6, 0xD9, 33, 99} << "MIDI: Channel Pressure 33, Chan 10 [USB B]";
    QTest::newRow("pitch bend") << 3 << Bytes{7, 0xEF, 0, 64}
                                << "MIDI: Pitch Bend 0, 64, Chan 16 [USB A+B]";
    QTest::newRow("midi port 0") << 4 << Bytes{0, 0x90, 1, 1} << "MIDI: <No Midi Data>";
    QTest::newRow("midi status below 0x80")
        << 4 << Bytes{1, 0x7F, 1, 1} << "MIDI: ,  [MIDI Group 1]";
    QTest::newRow("midi status 0xF0") << 4 << Bytes{1, 0xF0, 1, 1} << "MIDI: ,  [MIDI Group 1]";
    QTest::newRow("midi port above 9")
        << 4 << Bytes{10, 0x90, 1, 1} << "MIDI: Note On 1, Vel 1, Chan 1 [Unknown Port 10]";
    QTest::newRow("midi port 255")
        << 4 << Bytes{255, 0x90, 1, 1} << "MIDI: Note On 1, Vel 1, Chan 1 [Unknown Port 255]";

    QTest::newRow("sysex") << 65 << Bytes{2, 7} << "MIDI SYSEX: 6 Bytes [MIDI Group 2]";
    QTest::newRow("sysex empty") << 80 << Bytes{1, 1} << "MIDI SYSEX: 0 Bytes [MIDI Group 1]";
    QTest::newRow("sysex full") << 70 << Bytes{8, 31} << "MIDI SYSEX: 30 Bytes [Active USB]";
    QTest::newRow("sysex length 0")
        << 66 << Bytes{1, 0} << "MIDI SYSEX: ? Bytes (length byte 0) [MIDI Group 1]";
    QTest::newRow("sysex length 32")
        << 66 << Bytes{1, 32} << "MIDI SYSEX: ? Bytes (length byte 32) [MIDI Group 1]";
    QTest::newRow("sysex port 0") << 67 << Bytes{0, 3} << "MIDI SYSEX: 2 Bytes [Unknown Port 0]";
    QTest::newRow("sysex code 81") << 81 << Bytes{} << "MIDI SYSEX: code 81 names no SysEx entry";
    QTest::newRow("sysex code 96") << 96 << Bytes{} << "MIDI SYSEX: code 96 names no SysEx entry";

    QTest::newRow("relay") << 98 << Bytes{2, 2} << "RELAY: Relay 2 Pulse ON";
    QTest::newRow("relay last") << 128 << Bytes{4, 3} << "RELAY: Relay 4 Pulse OFF";
    QTest::newRow("relay action 4") << 97 << Bytes{1, 4} << "RELAY: Relay 1 Action 4";
    QTest::newRow("relay number 0") << 97 << Bytes{0, 0} << "RELAY: Relay 0 Turn ON";

    QTest::newRow("macro 1") << 129 << Bytes{} << "MACRO: Macro 1";
    QTest::newRow("macro 5") << 133 << Bytes{} << "MACRO: Macro 5";
    QTest::newRow("macro 12") << 140 << Bytes{} << "MACRO: Macro 12";
    QTest::newRow("toggle pair 1-2") << 141 << Bytes{} << "MACRO: Toggle Macro Pair 1-2";
    QTest::newRow("toggle pair 5-6") << 143 << Bytes{} << "MACRO: Toggle Macro Pair 5-6";
    QTest::newRow("toggle pair 7-8") << 144 << Bytes{} << "MACRO: Toggle Macro Pair 7-8";

    QTest::newRow("serial") << 145 << Bytes{16} << "SERIAL: 12 Bytes";
    QTest::newRow("serial empty") << 160 << Bytes{4} << "SERIAL: 0 Bytes";
    QTest::newRow("serial full") << 150 << Bytes{32} << "SERIAL: 28 Bytes";
    QTest::newRow("serial length 3") << 146 << Bytes{3} << "SERIAL: ? Bytes (length byte 3)";
    QTest::newRow("serial length 33") << 146 << Bytes{33} << "SERIAL: ? Bytes (length byte 33)";

    QTest::newRow("system first") << 193 << Bytes{} << "SYSTEM: Front Lamp A On";
    QTest::newRow("system toggle usb") << 217 << Bytes{} << "SYSTEM: Toggle USB";
    QTest::newRow("system last") << 230 << Bytes{} << "SYSTEM: Suspend 500ms";
}

void tst_eventrecords::describe()
{
    QFETCH(int, code);
    QFETCH(Bytes, record);
    QFETCH(QString, text);

    PresetImage image;
    const EventKind kind = EventRecords::kindOfCode(code);
    const int entry = EventRecords::poolEntryOfCode(image, code);
    if (!record.isEmpty()) {
        QVERIFY(entry >= 0);
        const auto pool = static_cast<PresetImage::Region>(EventRecords::poolRegion(kind));
        for (int i = 0; i < record.size(); ++i)
            image.setValue(pool, entry, i, record.at(i));
    }
    QCOMPARE(EventRecords::describeEvent(image, code), text);
}

void tst_eventrecords::codesWithoutMeaning()
{
    PresetImage image;
    QList<int> codes = {0, -1, 256, 1000};
    for (int c = 161; c <= 192; ++c)
        codes << c;
    for (int c = 231; c <= 255; ++c)
        codes << c;
    for (int c : codes) {
        QCOMPARE(EventRecords::describeEvent(image, c), QString("empty slot"));
        QCOMPARE(EventRecords::kindOfCode(c), EventKind::None);
    }
}

void tst_eventrecords::kindsAndEntries_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("entry");

    QTest::newRow("1") << 1 << int(EventKind::Midi) << 0;
    QTest::newRow("64") << 64 << int(EventKind::Midi) << 63;
    QTest::newRow("65") << 65 << int(EventKind::SysEx) << 0;
    QTest::newRow("80") << 80 << int(EventKind::SysEx) << 15;
    QTest::newRow("81") << 81 << int(EventKind::SysEx) << -1;
    QTest::newRow("96") << 96 << int(EventKind::SysEx) << -1;
    QTest::newRow("97") << 97 << int(EventKind::Relay) << 0;
    QTest::newRow("128") << 128 << int(EventKind::Relay) << 31;
    QTest::newRow("129") << 129 << int(EventKind::Macro) << -1;
    QTest::newRow("144") << 144 << int(EventKind::Macro) << -1;
    QTest::newRow("145") << 145 << int(EventKind::Serial) << 0;
    QTest::newRow("160") << 160 << int(EventKind::Serial) << 15;
    QTest::newRow("161") << 161 << int(EventKind::None) << -1;
    QTest::newRow("193") << 193 << int(EventKind::System) << -1;
    QTest::newRow("230") << 230 << int(EventKind::System) << -1;
    QTest::newRow("231") << 231 << int(EventKind::None) << -1;
}

void tst_eventrecords::kindsAndEntries()
{
    QFETCH(int, code);
    QFETCH(int, kind);
    QFETCH(int, entry);
    PresetImage image;
    QCOMPARE(int(EventRecords::kindOfCode(code)), kind);
    QCOMPARE(EventRecords::poolEntryOfCode(image, code), entry);
    if (entry >= 0)
        QCOMPARE(EventRecords::codeOfEntry(EventKind(kind), entry), code);
}

void tst_eventrecords::statusRoundTrip()
{
    for (int type = 0; type < 7; ++type) {
        for (int channel = 1; channel <= 16; ++channel) {
            const int status = EventRecords::statusByte(type, channel);
            QVERIFY(status >= 0x80 && status <= 0xEF);
            QCOMPARE(EventRecords::typeOfStatus(status), type);
            QCOMPARE(EventRecords::channelOfStatus(status), channel);
        }
    }
    QCOMPARE(EventRecords::statusByte(6, 16), 0xEF);
    QCOMPARE(EventRecords::statusByte(1, 10), 0x99);
    for (int status : {0, 0x7F, 0xF0, 0xFF, 300}) {
        QCOMPARE(EventRecords::typeOfStatus(status), 0);
        QCOMPARE(EventRecords::channelOfStatus(status), 1);
    }
}

void tst_eventrecords::recordLimits()
{
    PresetImage image;
    SysexRecord sysex;
    sysex.port = 3;
    sysex.message = QByteArray(40, '\x11');
    EventRecords::writeSysex(image, 15, sysex);
    QCOMPARE(image.value(PresetImage::SysexEventPool, 15, 1), 31);
    QCOMPARE(image.value(PresetImage::SysexEventPool, 15, 31), 0x11);
    QCOMPARE(EventRecords::readSysex(image, 15).message, QByteArray(30, '\x11'));
    QCOMPARE(image.value(PresetImage::SerialEventPool, 0, 0), 0); // untouched neighbour

    SerialRecord serial;
    serial.ascii = true;
    serial.lf = true;
    serial.data = QByteArray("0123456789abcdefghijklmnopqrstuvwxyz");
    EventRecords::writeSerial(image, 15, serial);
    QCOMPARE(image.value(PresetImage::SerialEventPool, 15, 0), 32);
    const SerialRecord back = EventRecords::readSerial(image, 15);
    QCOMPARE(back.data, serial.data.left(28));
    QVERIFY(back.ascii);
    QVERIFY(!back.cr);
    QVERIFY(back.lf);

    // Length bytes beyond the record read no further than the record.
    image.setValue(PresetImage::SysexEventPool, 2, 1, 255);
    QCOMPARE(EventRecords::readSysex(image, 2).message.size(), 30);
    image.setValue(PresetImage::SysexEventPool, 2, 1, 0);
    QCOMPARE(EventRecords::readSysex(image, 2).message.size(), 0);
    image.setValue(PresetImage::SerialEventPool, 3, 0, 200);
    QCOMPARE(EventRecords::readSerial(image, 3).data.size(), 28);
    image.setValue(PresetImage::SerialEventPool, 3, 0, 1);
    QCOMPARE(EventRecords::readSerial(image, 3).data.size(), 0);

    // Reading an entry that does not exist gives an empty record.
    QCOMPARE(EventRecords::readMidi(image, 64).port, 0);
    QCOMPARE(EventRecords::readSysex(image, -1).message.size(), 0);
}

void tst_eventrecords::nameTables()
{
    QCOMPARE(EventRecords::systemEventNames().size(), 38);
    QCOMPARE(EventRecords::systemEventNames().at(24), QString("Toggle USB"));
    QCOMPARE(EventRecords::midiMessageTypeNames().size(), 7);
    QCOMPARE(EventRecords::relayActionNames().size(), 4);
    QCOMPARE(EventRecords::midiPortNames().size(), 9);
    QCOMPARE(EventRecords::macroActionNames().size(), 16);
    QCOMPARE(EventRecords::macroActionNames().at(11), QString("Macro 12"));
    QCOMPARE(EventRecords::macroActionNames().at(14), QString("Toggle Pair 5-6"));
    QCOMPARE(EventRecords::editorTitles().at(int(EventKind::Serial) - 1),
             QString("Send Serial Event"));
}

QTEST_GUILESS_MAIN(tst_eventrecords)
#include "tst_eventrecords.moc"
