#include "MidiPage.h"
#include "PresetImage.h"
#include "TopLevels.h"
#include "gridWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QtTest>

namespace {
QRadioButton *radio(const MidiPage &page, const QString &text)
{
    for (QRadioButton *button : page.findChildren<QRadioButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QCheckBox *groupBox(const MidiPage &page, int group, int output)
{
    return page.findChild<QCheckBox *>(QString("group%1Output%2").arg(group).arg(output));
}

QComboBox *combo(const MidiPage &page, const QString &name)
{
    return page.findChild<QComboBox *>(name);
}

// The checked radio of ports A and B, "?" where not exactly one is checked.
QString checkedPorts(const MidiPage &page)
{
    QStringList shown;
    for (const auto &pair : {qMakePair(QString("MIDI IN 1"), QString("MIDI OUT A")),
                             qMakePair(QString("MIDI IN 2"), QString("MIDI OUT B"))}) {
        const bool in = radio(page, pair.first)->isChecked();
        shown << (in == radio(page, pair.second)->isChecked() ? "?"
                  : in                                        ? pair.first
                                                              : pair.second);
    }
    return shown.join(", ");
}

// Everything the page stands for in the model.
QVector<int> pageValues(const PresetImage &image)
{
    QVector<int> values;
    for (int byte : {3, 8, 9})
        values << image.value(PresetImage::ConfigBlock, byte);
    for (auto region :
         {PresetImage::RoutingGroups, PresetImage::RoutingPatchA, PresetImage::RoutingPatchB}) {
        for (int r = 0; r < image.rows(region); ++r) {
            for (int c = 0; c < image.columns(region); ++c)
                values << image.value(region, r, c);
        }
    }
    return values;
}

void clickCell(gridWidget *grid, int row, int column)
{
    grid->resize(280, 224);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(79 + column * 25 + 12, 79 + row * 24 + 12));
}
} // namespace

class tst_midipage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void newPreset();
    void controlByte_data();
    void controlByte();
    void ports_data();
    void ports();
    void groups();
    void patches();
    void roundsCarryWhatThePageCannotShow();

private:
    QWidget paletteSource;
};

void tst_midipage::newPreset()
{
    PresetImage image;
    MidiPage page(&paletteSource);
    page.load(image);
    // Applying an untouched page changes nothing in the model.
    const QVector<int> before = pageValues(image);
    page.apply(image);
    QCOMPARE(pageValues(image), before);

    // Ports C and D are outputs, whatever is clicked.
    for (const QString &text : {QString("MIDI OUT C"), QString("MIDI OUT D")}) {
        radio(page, text)->click();
        radio(page, "MIDI OUT A")->click();
        QVERIFY(radio(page, text)->isChecked());
    }
}

void tst_midipage::controlByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("channel");
    QTest::newRow("0x2A") << 0x2A << "Input 2" << 11;
    QTest::newRow("0x00") << 0x00 << "<Disabled>" << 1;
    QTest::newRow("0x10") << 0x10 << "Input 1" << 1;
    QTest::newRow("0x3F") << 0x3F << "Expansion" << 16;
    QTest::newRow("0x05") << 0x05 << "<Disabled>" << 6;
    QTest::newRow("port 5 shows blank") << 0x5A << "" << 11;
}

void tst_midipage::controlByte()
{
    QFETCH(int, byte);
    QFETCH(QString, port);
    QFETCH(int, channel);
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 3, byte);
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(combo(page, "controlPort")->currentText(), port);
    QCOMPARE(combo(page, "controlPort")->currentIndex() < 0, port.isEmpty());
    QCOMPARE(combo(page, "controlChannel")->currentText(), QString::number(channel));
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), byte);

    // A new channel keeps a port the page cannot show; a chosen port replaces it.
    combo(page, "controlChannel")->setCurrentText("3");
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), (byte & 0xF0) | 2);
    combo(page, "controlPort")->setCurrentText("Expansion");
    page.apply(image);
    image.buildImage();
    QCOMPARE(image.imageByte(3), 0x32);
}

void tst_midipage::ports_data()
{
    QTest::addColumn<int>("byte8");
    QTest::addColumn<int>("byte9");
    QTest::addColumn<QString>("shown"); // the ports checked for A and B, written back as shown
    QTest::newRow("new preset") << 0 << 1 << "MIDI IN 1, MIDI OUT B";
    QTest::newRow("swapped") << 1 << 0 << "MIDI OUT A, MIDI IN 2";
    QTest::newRow("byte 8 = 2") << 2 << 0 << "MIDI IN 1, MIDI IN 2";
    QTest::newRow("byte 9 = 255") << 0 << 255 << "MIDI IN 1, MIDI IN 2";
}

void tst_midipage::ports()
{
    QFETCH(int, byte8);
    QFETCH(int, byte9);
    QFETCH(QString, shown);
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 8, byte8);
    image.setValue(PresetImage::ConfigBlock, 9, byte9);
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(checkedPorts(page), shown);

    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), int(byte8 == 1));
    QCOMPARE(image.value(PresetImage::ConfigBlock, 9), int(byte9 == 1));

    // The user's choice is stored as 1 (output) or 0 (input).
    radio(page, "MIDI OUT A")->click();
    radio(page, "MIDI IN 2")->click();
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 1);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 9), 0);
    radio(page, "MIDI IN 1")->click();
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 0);
}

void tst_midipage::groups()
{
    PresetImage image;
    MidiPage page(&paletteSource);
    page.load(image);
    groupBox(page, 2, 2)->click(); // "MIDI OUT C" under "Group 2:"
    groupBox(page, 1, 0)->click();
    groupBox(page, 4, 0)->click();
    page.apply(image);
    image.buildImage();
    QCOMPARE(image.image().mid(10, 4), QVector<int>({0, 6, 4, 9}));

    // Loading shows the flags of a parsed image.
    image.setImageByte(12, 0xF5);
    image.parseImage();
    page.load(image);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(groupBox(page, 3, k)->isChecked(), k == 0 || k == 2);
}

void tst_midipage::patches()
{
    PresetImage image;
    image.setValue(PresetImage::RoutingPatchA, 1, 3, 1);
    image.setValue(PresetImage::RoutingPatchB, 5, 7, 1);
    MidiPage page(&paletteSource);
    page.load(image);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(page.patchA()->cellValue(r, c), image.value(PresetImage::RoutingPatchA, r, c));
            QCOMPARE(page.patchB()->cellValue(r, c), image.value(PresetImage::RoutingPatchB, r, c));
        }
    }

    // Routing MIDI IN 1 to MIDI OUT C and to USB B in patch A gives byte 36;
    // the unroutable cells stay unroutable.
    clickCell(page.patchA(), 0, 2);
    clickCell(page.patchA(), 0, 5);
    clickCell(page.patchA(), 2, 4);
    page.apply(image);
    QCOMPARE(image.value(PresetImage::RoutingPatchA, 2, 4), -1);
    QCOMPARE(image.value(PresetImage::RoutingPatchB, 4, 6), -1);
    image.buildImage();
    QCOMPARE(image.image().mid(16, 3), QVector<int>({36, 8, 0}));
    QCOMPARE(image.image().mid(24, 6), QVector<int>({0, 0, 0, 0, 0, 128}));
}

void tst_midipage::roundsCarryWhatThePageCannotShow()
{
    // As from a file or the unit: bytes the page cannot show survive a round,
    // except the port directions, which are written as shown.
    PresetImage image;
    image.setImageByte(3, 0xF3);
    image.setImageByte(8, 2);
    image.setImageByte(9, 9);
    image.setImageByte(16, 0xFF); // row 0 has no unroutable cell
    image.parseImage();
    MidiPage page(&paletteSource);
    page.load(image);
    page.apply(image);
    image.buildImage();
    QCOMPARE((QVector<int>{image.imageByte(3), image.imageByte(8), image.imageByte(9),
                           image.imageByte(16)}),
             (QVector<int>{0xF3, 0, 0, 0xFF}));

    // Edits, then rounds of load and apply: applying again changes nothing.
    groupBox(page, 1, 3)->click();
    radio(page, "MIDI IN 2")->click();
    clickCell(page.patchB(), 5, 1);
    page.apply(image);
    const QVector<int> applied = pageValues(image);
    QCOMPARE(image.value(PresetImage::RoutingGroups, 0, 3), 1);
    QCOMPARE(image.value(PresetImage::RoutingPatchB, 5, 1), 1);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 0);
    for (int round = 0; round < 3; ++round) {
        page.load(image);
        page.apply(image);
        QCOMPARE(pageValues(image), applied);
    }
}

QTEST_MAIN(tst_midipage)
#include "tst_midipage.moc"
