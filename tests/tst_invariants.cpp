#include "core/preset/PresetText.h"
#include "support/Invariants.h"

#include <QtTest>

using invariants::bytesOf;

// The core's invariants over random images, and the decisions and texts no
// property can derive.
class tst_invariants : public QObject
{
    Q_OBJECT
private slots:
    void image() { QCOMPARE(RandomImage::firstFailure(invariants::checkImage, 300), QString()); }
    void file() { QCOMPARE(RandomImage::firstFailure(invariants::checkFile, 300), QString()); }
    void records() { QCOMPARE(RandomImage::firstFailure(invariants::checkRecords, 90), QString()); }
    void store() { QCOMPARE(RandomImage::firstFailure(invariants::checkStore, 200), QString()); }
    void hex() { QCOMPARE(RandomImage::firstFailure(invariants::checkHexText, 500), QString()); }
    void jsonImport()
    {
        QCOMPARE(RandomImage::firstFailure(invariants::checkImport, 60), QString());
    }

    void defaultPreset()
    {
        const PresetImage image;
        QByteArray expected = QByteArray::fromHex("eb020000146401000001010204080000") +
                              QByteArray(16, 0) + QByteArray("<EMPTY PRESET>\0\0default", 23) +
                              QByteArray(9, 0) + QByteArray(12, 10) + QByteArray(12, 0) +
                              QByteArray(4, 50) + QByteArray(1140, 0) +
                              QByteArray("\x02\0\x08\x01", 4);
        QCOMPARE(bytesOf(image.image()), expected + QByteArray(1760 - expected.size(), 0));
        // Units before image version 2 hold only this much.
        QCOMPARE(image.shortImageSize(), 1232);
        // Eleven inputs, then the switch double press limit.
        QCOMPARE(image.columns(PresetImage::GpiDebounce), 12);
    }

    void descriptions_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QVector<int>>("record");
        QTest::addColumn<QString>("text");
        auto row = [](int code, const QVector<int> &record, const char *text) {
            QTest::newRow(text) << code << record << QString(text);
        };
        row(1, {1, 0x90, 60, 0}, "MIDI: Note On 60, Vel 0, Chan 1 [MIDI Group 1]");
        row(2, {10, 0xC3, 5, 9}, "MIDI: Program Change 5, Chan 4 [Unknown Port 10]");
        row(65, {5, 4, 0xF0, 1, 0xF7}, "MIDI SYSEX: 3 Bytes [USB A]");
        row(81, {}, "MIDI SYSEX: code 81 names no SysEx entry");
        row(98, {2, 2}, "RELAY: Relay 2 Pulse ON");
        row(144, {}, "MACRO: Toggle Macro Pair 7-8");
        row(160, {33}, "SERIAL: ? Bytes (length byte 33)");
        row(230, {}, "SYSTEM: Suspend 500ms");
    }
    void descriptions()
    {
        QFETCH(int, code);
        QFETCH(QVector<int>, record);
        PresetImage image;
        const int entry = EventRecords::poolEntryOfCode(image, code);
        const auto pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
        for (int i = 0; i < record.size(); ++i)
            image.setValue(PresetImage::Region(pool), entry, i, record.at(i));
        QTEST(EventRecords::describeEvent(image, code), "text");
    }

    // The preset name and description hold sixteen Latin-1 codes; a
    // character outside Latin-1 becomes "?" and zeros anywhere are skipped.
    void presetText()
    {
        PresetImage image;
        PresetText::write(
            image, PresetImage::PresetDescription,
            QString(QChar(0)) +
                QString::fromUtf8("Caf\u00e9 \u20ac\U0001F600\u00ff\u0100-ABCDEFGHIJ"));
        QCOMPARE(PresetText::read(image, PresetImage::PresetDescription),
                 QString::fromLatin1("Caf\xe9 ??\xff?-ABCDE"));
        QCOMPARE(PresetText::read(image, PresetImage::PresetName), QString("<EMPTY PRESET>"));
    }
};

QTEST_GUILESS_MAIN(tst_invariants)
#include "tst_invariants.moc"
