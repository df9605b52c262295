#include "EventRecords.h"
#include "EventStore.h"
#include "PresetFile.h"
#include "PresetImage.h"
#include "TopLevels.h"
#include "detailsitems.h"

#include <QBuffer>
#include <QtTest>

// Inputs the fuzz targets (fuzz/) found faults with, replayed the way the
// target met them, each with the fault it found.
class tst_fuzzfindings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }

    void storeBackLeavesOtherSlots_data();
    void storeBackLeavesOtherSlots();
};

namespace {

// Opens preset file bytes as the program does.
bool openPreset(const QByteArray &bytes, PresetImage &image)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    PresetFile file;
    if (!file.read(buffer, image.imageSize()) || !PresetFile::accepts(file.verdict()))
        return false;
    file.applyTo(image);
    image.parseImage();
    return true;
}

QVector<int> record(const PresetImage &image, PresetImage::Region pool, int entry)
{
    QVector<int> bytes;
    for (int i = 0; i < image.columns(pool); ++i)
        bytes << image.value(pool, entry, i);
    return bytes;
}

} // namespace

void tst_fuzzfindings::storeBackLeavesOtherSlots_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("watched");
    // fuzz_presetfile: GPI 1 holds codes 8 and 1 (image bytes 96 and 97), and
    // every MIDI record is zero. Storing slot 1 back freed record 7 and took
    // record 0, the lowest with byte 0 clear, though slot 2 still named it:
    // slot 2 turned from "<No Midi Data>" into a copy of slot 1.
    QTest::newRow("record named by another slot looked free")
        << QByteArray::fromHex("00234abd0000010061c00004476227ffff6140015cfc84000000000000000000"
                               "00676c7970682d64690000000001000000000000000000000000000000000000"
                               "0000000000000000080100000000000000000000000000000000000000000000"
                               "000000000200080100")
        << 0 << 1;
}

// Showing an event and storing it back from the editor changes that slot and
// its records only.
void tst_fuzzfindings::storeBackLeavesOtherSlots()
{
    QFETCH(QByteArray, file);
    QFETCH(int, stored);
    QFETCH(int, watched);
    PresetImage image;
    QVERIFY(openPreset(file, image));
    const int code = EventStore::slotCode(image, InputTrigger, 0, watched);
    const QString description = EventRecords::describeEvent(image, code);
    const int entry = EventRecords::poolEntryOfCode(image, code);
    const QVector<int> watchedRecord = record(image, PresetImage::MidiEventPool, entry);

    detailsitems editor;
    editor.resetEditor(InputTrigger);
    editor.showSlot(image, InputTrigger, 0, stored);
    QCOMPARE(editor.storeEvent(image, InputTrigger, 0, stored), EventStore::StoreResult::Stored);

    QCOMPARE(EventStore::slotCode(image, InputTrigger, 0, watched), code);
    QCOMPARE(EventRecords::describeEvent(image, code), description);
    QCOMPARE(record(image, PresetImage::MidiEventPool, entry), watchedRecord);
    const int newCode = EventStore::slotCode(image, InputTrigger, 0, stored);
    QVERIFY(newCode != code);
    QCOMPARE(EventRecords::kindOfCode(newCode), EventKind::Midi);
}

QTEST_MAIN(tst_fuzzfindings)
#include "tst_fuzzfindings.moc"
