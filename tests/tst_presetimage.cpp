#include "PresetImage.h"

#include "ModelSnapshot.h"

#include <QtTest>

namespace {

QVector<int> expectedDefaultImage()
{
    QVector<int> image(1760, 0);
    const int config[] = {235, 2, 0, 0, 20, 100, 1, 0, 0, 1, 1, 2, 4, 8, 0, 0};
    for (int i = 0; i < 16; ++i)
        image[i] = config[i];
    const QByteArray name("<EMPTY PRESET>");
    for (int i = 0; i < name.size(); ++i)
        image[32 + i] = name.at(i);
    const QByteArray description("default");
    for (int i = 0; i < description.size(); ++i)
        image[48 + i] = description.at(i);
    for (int i = 64; i <= 75; ++i)
        image[i] = 10;
    for (int i = 88; i <= 91; ++i)
        image[i] = 50;
    const int serial[] = {2, 0, 8, 1, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        image[1232 + i] = serial[i];
    return image;
}

} // namespace

class tst_presetimage : public QObject
{
    Q_OBJECT
private slots:
    void defaultImage();
    void defaultModel();
    void regionTable();
    void packing();
    void normalisations_data();
    void normalisations();
    void carriedRegions();
    void groupFlags();
    void clearAndReset();
    void accessorBounds();
    void fullImageRoundTrip();
};

void tst_presetimage::defaultImage()
{
    PresetImage p;
    QCOMPARE(p.imageSize(), 1760);
    QCOMPARE(p.image(), expectedDefaultImage());

    p.parseImage();
    p.buildImage();
    QCOMPARE(p.image(), expectedDefaultImage());
}

void tst_presetimage::defaultModel()
{
    PresetImage p;
    QCOMPARE(p.value(PresetImage::DoublePressLimit, 0), 10);
    QCOMPARE(p.value(PresetImage::GpiDebounce, 11), 10);
    for (auto patch : {PresetImage::RoutingPatchA, PresetImage::RoutingPatchB}) {
        int unroutable = 0;
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 8; ++c)
                unroutable += p.value(patch, r, c) == -1;
        QCOMPARE(unroutable, 4);
        QCOMPARE(p.value(patch, 2, 4), -1);
        QCOMPARE(p.value(patch, 3, 5), -1);
        QCOMPARE(p.value(patch, 4, 6), -1);
        QCOMPARE(p.value(patch, 4, 7), -1);
    }
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 4; ++k)
            QCOMPARE(p.value(PresetImage::RoutingGroups, g, k), g == k ? 1 : 0);
    QCOMPARE(p.rows(PresetImage::MacroSlots), 12);
    QCOMPARE(p.columns(PresetImage::MacroSlots), 12);
    QCOMPARE(p.rows(PresetImage::MidiEventPool), 64);
    QCOMPARE(p.columns(PresetImage::SysexEventPool), 32);
    QCOMPARE(p.columns(PresetImage::GpiPolarity), 12);
}

void tst_presetimage::regionTable()
{
    // Regions lie inside the image and never overlap; what they leave free is
    // exactly the reserved bytes 22-23, 30-31, 87 and 1240-1247.
    PresetImage p;
    QVector<int> owner(p.imageSize(), -1);
    for (int r = 0; r < PresetImage::RoutingGroups; ++r) {
        const auto &info = p.region(static_cast<PresetImage::Region>(r));
        QVERIFY(info.length() > 0);
        for (int i = info.offset; i < info.offset + info.length(); ++i) {
            QVERIFY2(i < p.imageSize(), qPrintable(QString("region %1").arg(r)));
            QVERIFY2(owner[i] == -1, qPrintable(QString("byte %1 in two regions").arg(i)));
            owner[i] = r;
        }
    }
    QVector<int> unowned;
    for (int i = 0; i < owner.size(); ++i)
        if (owner[i] == -1)
            unowned << i;
    QCOMPARE(unowned,
             QVector<int>({22, 23, 30, 31, 87, 1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247}));
    QCOMPARE(p.shortImageSize(), 1232);
}

void tst_presetimage::packing()
{
    PresetImage p;
    p.setValue(PresetImage::TriggerSlots, 3, 2, 17);
    p.setValue(PresetImage::TriggerSlots, 3, 5, 200);
    p.setValue(PresetImage::SwitchSlots, 1, 7, 130);
    p.setValue(PresetImage::MacroSlots, 11, 11, 66);
    p.setValue(PresetImage::MacroSlots, 11, 4, 98);
    p.buildImage();

    const int trigger = 96 + 3 * 8;
    QCOMPARE(p.imageByte(trigger + 0), 17);
    QCOMPARE(p.imageByte(trigger + 1), 200);
    for (int i = 2; i < 8; ++i)
        QCOMPARE(p.imageByte(trigger + i), 0);
    QCOMPARE(p.imageByte(192 + 8), 130);
    QCOMPARE(p.imageByte(192 + 15), 0);
    QCOMPARE(p.imageByte(1088 + 11 * 12), 98);
    QCOMPARE(p.imageByte(1088 + 11 * 12 + 1), 66);

    // The model keeps its gaps until the image is parsed again.
    QCOMPARE(p.value(PresetImage::TriggerSlots, 3, 0), 0);
    QCOMPARE(p.value(PresetImage::TriggerSlots, 3, 2), 17);
    p.parseImage();
    QCOMPARE(p.value(PresetImage::TriggerSlots, 3, 0), 17);
    QCOMPARE(p.value(PresetImage::TriggerSlots, 3, 1), 200);
    QCOMPARE(p.value(PresetImage::TriggerSlots, 3, 2), 0);
    QCOMPARE(p.value(PresetImage::SwitchSlots, 1, 0), 130);
    QCOMPARE(p.value(PresetImage::MacroSlots, 11, 1), 66);
}

void tst_presetimage::normalisations_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("afterRoundTrip");

    QTest::newRow("patch A USB A->USB A") << 16 + 2 << 0x10 << 0x00;
    QTest::newRow("patch A USB B->USB B") << 16 + 3 << 0x21 << 0x01;
    QTest::newRow("patch A MERGE OUT->MERGE IN") << 16 + 4 << 0xFF << 0x3F;
    QTest::newRow("patch B USB A->USB A") << 24 + 2 << 0xFF << 0xEF;
    QTest::newRow("patch B MERGE OUT->MERGE IN 2") << 24 + 4 << 0x80 << 0x00;
    QTest::newRow("patch B EXPANSION row kept") << 24 + 5 << 0xFF << 0xFF;
    QTest::newRow("group 1 high bits") << 10 << 0xF5 << 0x05;
    QTest::newRow("group 4 high bits") << 13 << 0x80 << 0x00;
    QTest::newRow("reserved 22") << 22 << 7 << 0;
    QTest::newRow("reserved 23") << 23 << 255 << 0;
    QTest::newRow("reserved 30") << 30 << 1 << 0;
    QTest::newRow("reserved 31") << 31 << 9 << 0;
    QTest::newRow("reserved 1240") << 1240 << 3 << 0;
    QTest::newRow("reserved 1247") << 1247 << 200 << 0;
    QTest::newRow("fixed config byte 4 carried") << 4 << 77 << 77;
    QTest::newRow("serial config byte 2 carried") << 1234 << 9 << 9;
    QTest::newRow("duration outside the list carried") << 70 << 15 << 15;
}

void tst_presetimage::normalisations()
{
    QFETCH(int, offset);
    QFETCH(int, written);
    QFETCH(int, afterRoundTrip);

    PresetImage p;
    p.setImageByte(offset, written);
    p.parseImage();
    p.buildImage();
    QCOMPARE(p.imageByte(offset), afterRoundTrip);
    // Nothing else moved.
    QVector<int> expected = expectedDefaultImage();
    expected[offset] = afterRoundTrip;
    QCOMPARE(p.image(), expected);
}

void tst_presetimage::carriedRegions()
{
    PresetImage p;
    for (int i = 224; i < 256; ++i)
        p.setImageByte(i, (i * 7) % 256); // reserved lists, zeros and gaps included
    p.setImageByte(224 + 3, 0);
    for (int i = 0; i < 8; ++i)
        p.setImageByte(96 + 11 * 8 + i, i % 2 ? 0 : 150 + i); // trigger list 11, with gaps
    p.setImageByte(87, 42);
    const QVector<int> before = p.image();

    p.parseImage();
    QCOMPARE(p.value(PresetImage::GpiPolarity, 11), 42);
    QCOMPARE(p.value(PresetImage::ReservedLists, 0, 3), 0);
    p.buildImage();
    for (int i = 224; i < 256; ++i)
        QCOMPARE(p.imageByte(i), before.at(i));
    QCOMPARE(p.imageByte(87), 42);
    // Trigger list 11 has no editor but is a slot list: it packs like the others.
    QCOMPARE(p.imageByte(96 + 88), 150);
    QCOMPARE(p.imageByte(96 + 89), 152);
    QCOMPARE(p.imageByte(96 + 90), 154);
    QCOMPARE(p.imageByte(96 + 91), 156);
    QCOMPARE(p.imageByte(96 + 92), 0);
}

void tst_presetimage::groupFlags()
{
    PresetImage p;
    p.setImageByte(10, 0xF5);
    p.parseImage();
    QCOMPARE(p.value(PresetImage::RoutingGroups, 0, 0), 1);
    QCOMPARE(p.value(PresetImage::RoutingGroups, 0, 1), 0);
    QCOMPARE(p.value(PresetImage::RoutingGroups, 0, 2), 1);
    QCOMPARE(p.value(PresetImage::RoutingGroups, 0, 3), 0);

    // The flags are what the image gets, whatever the config value held.
    p.setValue(PresetImage::RoutingGroups, 1, 2, 1);
    p.setValue(PresetImage::ConfigBlock, 11, 99);
    p.buildImage();
    QCOMPARE(p.imageByte(10), 0x05);
    QCOMPARE(p.imageByte(11), 0x06);
    QCOMPARE(p.value(PresetImage::ConfigBlock, 11), 0x06);
}

void tst_presetimage::clearAndReset()
{
    PresetImage p;
    p.setValue(PresetImage::MidiEventPool, 5, 0, 3);
    p.setValue(PresetImage::TriggerSlots, 0, 0, 6);
    p.setValue(PresetImage::RoutingPatchA, 0, 0, 1);
    p.setValue(PresetImage::PresetName, 0, 'Z');

    // Without clearModel the defaults leave the two-dimensional tables alone.
    p.resetToDefaults();
    QCOMPARE(p.value(PresetImage::MidiEventPool, 5, 0), 3);
    QCOMPARE(p.value(PresetImage::TriggerSlots, 0, 0), 6);
    QCOMPARE(p.value(PresetImage::PresetName, 0), int('<'));

    p.clearModel();
    // An emptied table reads as 0 and ignores writes until it is reshaped.
    QCOMPARE(p.value(PresetImage::MidiEventPool, 5, 0), 0);
    p.setValue(PresetImage::MidiEventPool, 5, 0, 9);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 5, 0), 0);
    p.buildImage(); // must not crash on empty tables
    p.resetToDefaults();
    QCOMPARE(p.image(), expectedDefaultImage());
    QCOMPARE(p.value(PresetImage::RoutingPatchA, 0, 0), 0);
    QCOMPARE(p.value(PresetImage::RoutingPatchA, 2, 4), -1);
}

void tst_presetimage::accessorBounds()
{
    PresetImage p;
    const QVector<int> before = modelSnapshot(p);
    QCOMPARE(p.imageByte(-1), 0);
    QCOMPARE(p.imageByte(1760), 0);
    p.setImageByte(1760, 5);
    p.setImageByte(-3, 5);
    QCOMPARE(p.image(), expectedDefaultImage());

    QCOMPARE(p.value(PresetImage::TriggerSlots, 12, 0), 0);
    QCOMPARE(p.value(PresetImage::TriggerSlots, 0, 8), 0);
    QCOMPARE(p.value(PresetImage::ConfigBlock, 16), 0);
    QCOMPARE(p.value(PresetImage::DoublePressLimit, 1), 0);
    p.setValue(PresetImage::TriggerSlots, 0, 8, 5);
    p.setValue(PresetImage::SysexEventPool, 16, 0, 5);
    p.setValue(PresetImage::ConfigBlock, -1, 5);
    p.setValue(PresetImage::DoublePressLimit, 1, 5);
    p.setValue(static_cast<PresetImage::Region>(PresetImage::RegionCount), 0, 0, 5);
    QCOMPARE(modelSnapshot(p), before);

    p.setValue(PresetImage::DoublePressLimit, 0, 150);
    QCOMPARE(p.value(PresetImage::GpiDebounce, 11), 150);
    p.buildImage();
    QCOMPARE(p.imageByte(75), 150);
}

void tst_presetimage::fullImageRoundTrip()
{
    // An image of arbitrary bytes in every carried region survives parse and
    // build unchanged, once the normalised bytes are set to what a build writes.
    PresetImage p;
    quint32 seed = 12345;
    for (int i = 0; i < p.imageSize(); ++i) {
        seed = seed * 1103515245u + 12345u;
        p.setImageByte(i, (seed >> 16) & 0xFF);
    }
    p.parseImage();
    p.buildImage();
    const QVector<int> once = p.image();
    p.parseImage();
    p.buildImage();
    QCOMPARE(p.image(), once);
    for (int i = 0; i < p.imageSize(); ++i)
        QVERIFY(once.at(i) >= 0 && once.at(i) <= 255);
}

QTEST_GUILESS_MAIN(tst_presetimage)
#include "tst_presetimage.moc"
