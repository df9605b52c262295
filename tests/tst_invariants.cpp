#include "../fuzz/Invariants.h"
#include "PresetText.h"

#include <QtTest>

using invariants::bytesOf;

namespace {

// Runs a checker on `cases` generators, seeded one after another from the
// session's seed; a failure names the seed that replays it first.
void holds(QString (*check)(RandomImage &), int cases)
{
    for (int i = 0; i < cases; ++i) {
        RandomImage random(RandomImage::sessionSeed() + quint32(i));
        const QString failure = check(random);
        QVERIFY2(failure.isEmpty(), qPrintable(failure + random.replay()));
    }
}

} // namespace

// The core's invariants over random images, and the decisions and texts no
// property can derive.
class tst_invariants : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        qInfo("CUESMITH_SEED=%u", RandomImage::sessionSeed());
    }
    void image() { holds(invariants::checkImage, 300); }
    void file() { holds(invariants::checkFile, 300); }
    void records() { holds(invariants::checkRecords, 100); }
    void store() { holds([](RandomImage &r) { return invariants::checkStore(r); }, 200); }
    void hexText() { holds(invariants::checkHexText, 500); }

    void defaultPreset()
    {
        QVector<int> expected(1760, 0);
        auto put = [&expected](int offset, const QVector<int> &bytes) {
            std::copy(bytes.begin(), bytes.end(), expected.begin() + offset);
        };
        put(0, {235, 2, 0, 0, 20, 100, 1, 0, 0, 1, 1, 2, 4, 8, 0, 0});
        put(32, {'<', 'E', 'M', 'P', 'T', 'Y', ' ', 'P', 'R', 'E', 'S', 'E', 'T', '>'});
        put(48, {'d', 'e', 'f', 'a', 'u', 'l', 't'});
        put(64, QVector<int>(12, 10));
        put(88, {50, 50, 50, 50});
        put(1232, {2, 0, 8, 1});
        const PresetImage image;
        QCOMPARE(image.image(), expected);
        // Units before image version 2 hold only this much.
        QCOMPARE(image.shortImageSize(), 1232);
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
        row(64, {9, 0xEF, 0, 127}, "MIDI: Pitch Bend 0, 127, Chan 16 [Active MIDI Group]");
        row(2, {10, 0xC3, 5, 9}, "MIDI: Program Change 5, Chan 4 [Unknown Port 10]");
        row(65, {5, 4, 0xF0, 1, 0xF7}, "MIDI SYSEX: 3 Bytes [USB A]");
        row(81, {}, "MIDI SYSEX: code 81 names no SysEx entry");
        row(96, {}, "MIDI SYSEX: code 96 names no SysEx entry");
        row(98, {2, 2}, "RELAY: Relay 2 Pulse ON");
        row(140, {}, "MACRO: Macro 12");
        row(144, {}, "MACRO: Toggle Macro Pair 7-8");
        row(160, {33}, "SERIAL: ? Bytes (length byte 33)");
        row(193, {}, "SYSTEM: Front Lamp A On");
        row(230, {}, "SYSTEM: Suspend 500ms");
        row(231, {}, "empty slot");
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
        PresetText::write(image, PresetImage::PresetDescription,
                          QString::fromUtf8("Caf\u00e9 \u20ac\U0001F600\u00ff\u0100-ABCDEFGHIJ"));
        QVector<int> codes;
        for (int i = 0; i < 16; ++i)
            codes << image.value(PresetImage::PresetDescription, i);
        QCOMPARE(bytesOf(codes), QByteArray("Caf\xe9 ??\xff?-ABCDEF"));
        QCOMPARE(PresetText::read(image, PresetImage::PresetName), QString("<EMPTY PRESET>"));
        for (int i : {0, 1, 5})
            image.setValue(PresetImage::PresetDescription, i, 0);
        QCOMPARE(PresetText::read(image, PresetImage::PresetDescription),
                 QString::fromLatin1("f\xe9 ?\xff?-ABCDEF"));
    }
};

QTEST_GUILESS_MAIN(tst_invariants)
#include "tst_invariants.moc"
