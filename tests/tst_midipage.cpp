#include "MidiPage.h"
#include "PresetImage.h"
#include "VisibleWindows.h"
#include "gridWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

QString checkedPort(const MidiPage &page, const QString &in, const QString &out)
{
    const bool inChecked = radio(page, in)->isChecked();
    const bool outChecked = radio(page, out)->isChecked();
    if (inChecked == outChecked)
        return "both or neither";
    return inChecked ? in : out;
}

// What the page stands for in the model, to compare before and after a round.
QVector<int> pageValues(const PresetImage &image)
{
    QVector<int> values;
    for (int byte : {3, 8, 9})
        values << image.value(PresetImage::ConfigBlock, byte);
    for (int g = 0; g < 4; ++g) {
        for (int k = 0; k < 4; ++k)
            values << image.value(PresetImage::RoutingGroups, g, k);
    }
    for (PresetImage::Region patch : {PresetImage::RoutingPatchA, PresetImage::RoutingPatchB}) {
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 8; ++c)
                values << image.value(patch, r, c);
        }
    }
    return values;
}

QPoint cellCentre(int row, int column)
{
    return QPoint(79 + column * 25 + 12, 79 + row * 24 + 12);
}
} // namespace

class tst_midipage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void newPreset();
    void layout();
    void controlByte_data();
    void controlByte();
    void controlPortOutOfRange();
    void ports_data();
    void ports();
    void fixedPorts();
    void groups();
    void patches();
    void applyThenLoadIsHarmless();
    void foreignBytesCarried();

private:
    QWidget paletteSource;
};

void tst_midipage::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void tst_midipage::cleanup()
{
    QCOMPARE(visibleTopLevelWidgets(), QStringList());
}

void tst_midipage::newPreset()
{
    PresetImage image;
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(checkedPort(page, "MIDI IN 1", "MIDI OUT A"), QString("MIDI IN 1"));
    QCOMPARE(checkedPort(page, "MIDI IN 2", "MIDI OUT B"), QString("MIDI OUT B"));
    QCOMPARE(combo(page, "controlPort")->currentText(), QString("<Disabled>"));
    QCOMPARE(combo(page, "controlChannel")->currentText(), QString("1"));
    for (int g = 1; g <= 4; ++g) {
        for (int k = 0; k < 4; ++k)
            QCOMPARE(groupBox(page, g, k)->isChecked(), k == g - 1);
    }
    QCOMPARE(page.patchA()->cellValue(2, 4), -1);
    QCOMPARE(page.patchB()->cellValue(4, 7), -1);
    QCOMPARE(page.patchA()->cellValue(0, 0), 0);

    image.buildImage();
    const QVector<int> before = image.image();
    page.apply(image);
    image.buildImage();
    QCOMPARE(image.image(), before);
}

void tst_midipage::layout()
{
    MidiPage page(&paletteSource);
    QStringList titles;
    for (QGroupBox *group : page.findChildren<QGroupBox *>())
        titles << group->title();
    QCOMPARE(titles, QStringList({"MIDI Port Setup", "MIDI Remote Control", "MIDI Routing Groups",
                                  "MIDI Routing Patch A", "MIDI Routing Patch B"}));
    QStringList items;
    for (int i = 0; i < combo(page, "controlPort")->count(); ++i)
        items << combo(page, "controlPort")->itemText(i);
    QCOMPARE(items, QStringList({"<Disabled>", "Input 1", "Input 2", "Expansion"}));
    QComboBox *channel = combo(page, "controlChannel");
    QCOMPARE(channel->count(), 16);
    QCOMPARE(channel->itemText(0), QString("1"));
    QCOMPARE(channel->itemText(15), QString("16"));
    for (int g = 1; g <= 4; ++g) {
        for (int k = 0; k < 4; ++k)
            QCOMPARE(groupBox(page, g, k)->text(), QString("MIDI OUT %1").arg(QChar('A' + k)));
    }
}

void tst_midipage::controlByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("channel");
    QTest::newRow("0x2A") << 0x2A << "Input 2"
                          << "11";
    QTest::newRow("0x00") << 0x00 << "<Disabled>"
                          << "1";
    QTest::newRow("0x10") << 0x10 << "Input 1"
                          << "1";
    QTest::newRow("0x3F") << 0x3F << "Expansion"
                          << "16";
    QTest::newRow("0x05") << 0x05 << "<Disabled>"
                          << "6";
}

void tst_midipage::controlByte()
{
    QFETCH(int, byte);
    QFETCH(QString, port);
    QFETCH(QString, channel);
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 3, byte);
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(combo(page, "controlPort")->currentText(), port);
    QCOMPARE(combo(page, "controlChannel")->currentText(), channel);

    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), byte);

    combo(page, "controlPort")->setCurrentText("Expansion");
    combo(page, "controlChannel")->setCurrentText("3");
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), 0x32);
    image.buildImage();
    QCOMPARE(image.imageByte(3), 0x32);
}

void tst_midipage::controlPortOutOfRange()
{
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 3, 0x5A);
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(combo(page, "controlPort")->currentIndex(), -1);
    QCOMPARE(combo(page, "controlPort")->currentText(), QString());
    QCOMPARE(combo(page, "controlChannel")->currentText(), QString("11"));

    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), 0x5A);

    // A new channel keeps the unknown port; a chosen port replaces it.
    combo(page, "controlChannel")->setCurrentText("2");
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), 0x51);
    combo(page, "controlPort")->setCurrentText("Input 1");
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), 0x11);
}

void tst_midipage::ports_data()
{
    QTest::addColumn<int>("byte8");
    QTest::addColumn<int>("byte9");
    QTest::addColumn<QString>("portA");
    QTest::addColumn<QString>("portB");
    QTest::newRow("new preset") << 0 << 1 << "MIDI IN 1"
                                << "MIDI OUT B";
    QTest::newRow("swapped") << 1 << 0 << "MIDI OUT A"
                             << "MIDI IN 2";
    QTest::newRow("both out") << 1 << 1 << "MIDI OUT A"
                              << "MIDI OUT B";
    QTest::newRow("byte 8 = 2") << 2 << 0 << "MIDI IN 1"
                                << "MIDI IN 2";
    QTest::newRow("byte 9 = 255") << 0 << 255 << "MIDI IN 1"
                                  << "MIDI IN 2";
}

void tst_midipage::ports()
{
    QFETCH(int, byte8);
    QFETCH(int, byte9);
    QFETCH(QString, portA);
    QFETCH(QString, portB);
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 8, byte8);
    image.setValue(PresetImage::ConfigBlock, 9, byte9);
    MidiPage page(&paletteSource);
    page.load(image);
    QCOMPARE(checkedPort(page, "MIDI IN 1", "MIDI OUT A"), portA);
    QCOMPARE(checkedPort(page, "MIDI IN 2", "MIDI OUT B"), portB);

    // Unchanged, the page gives back what it was loaded with.
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), byte8);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 9), byte9);

    // The user's choice is stored as 1 (output) or 0 (input).
    radio(page, "MIDI OUT A")->click();
    radio(page, "MIDI IN 2")->click();
    QCOMPARE(checkedPort(page, "MIDI IN 1", "MIDI OUT A"), QString("MIDI OUT A"));
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 1);
    radio(page, "MIDI IN 1")->click();
    page.apply(image);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 0);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 9), byte9 == 1 ? 0 : byte9);
}

void tst_midipage::fixedPorts()
{
    MidiPage page(&paletteSource);
    for (const QString &text : {QString("MIDI OUT C"), QString("MIDI OUT D")}) {
        QRadioButton *button = radio(page, text);
        QVERIFY(button);
        QVERIFY(button->isChecked());
        button->click();
        QVERIFY(button->isChecked());
    }
    // Choosing port A's output leaves C and D alone.
    radio(page, "MIDI OUT A")->click();
    QVERIFY(radio(page, "MIDI OUT C")->isChecked());
    QVERIFY(radio(page, "MIDI OUT D")->isChecked());
}

void tst_midipage::groups()
{
    PresetImage image;
    MidiPage page(&paletteSource);
    page.load(image);
    groupBox(page, 2, 2)->click(); // "MIDI OUT C" under "Group 2:"
    page.apply(image);
    QCOMPARE(image.value(PresetImage::RoutingGroups, 1, 2), 1);
    image.buildImage();
    QCOMPARE(image.imageByte(11), 6);
    QCOMPARE(image.imageByte(10), 1);
    QCOMPARE(image.imageByte(12), 4);
    QCOMPARE(image.imageByte(13), 8);

    groupBox(page, 1, 0)->click();
    groupBox(page, 4, 0)->click();
    page.apply(image);
    image.buildImage();
    QCOMPARE(image.imageByte(10), 0);
    QCOMPARE(image.imageByte(13), 9);

    // Loading shows the flags of a parsed image.
    image.setImageByte(12, 0xF5);
    image.parseImage();
    page.load(image);
    const bool expected[] = {true, false, true, false};
    for (int k = 0; k < 4; ++k)
        QCOMPARE(groupBox(page, 3, k)->isChecked(), expected[k]);
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

    // Routing MIDI IN 1 to MIDI OUT C and to USB B in patch A gives byte 36.
    gridWidget *grid = page.patchA();
    grid->resize(280, 224);
    QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(0, 2));
    QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(0, 5));
    QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(2, 4)); // unroutable
    page.apply(image);
    QCOMPARE(image.value(PresetImage::RoutingPatchA, 2, 4), -1);
    QCOMPARE(image.value(PresetImage::RoutingPatchA, 3, 5), -1);
    QCOMPARE(image.value(PresetImage::RoutingPatchB, 4, 6), -1);
    image.buildImage();
    QCOMPARE(image.imageByte(16), 36);
    QCOMPARE(image.imageByte(17), 8);
    QCOMPARE(image.imageByte(18), 0);
    QCOMPARE(image.imageByte(29), 128);
    for (int byte : {24, 25, 26, 27, 28})
        QCOMPARE(image.imageByte(byte), 0);
}

void tst_midipage::applyThenLoadIsHarmless()
{
    PresetImage image;
    image.setValue(PresetImage::ConfigBlock, 3, 0x7C);
    image.setValue(PresetImage::ConfigBlock, 8, 2);
    image.setValue(PresetImage::RoutingGroups, 2, 1, 1);
    image.setValue(PresetImage::RoutingPatchB, 0, 6, 1);
    MidiPage page(&paletteSource);
    page.load(image);
    groupBox(page, 1, 3)->click();
    radio(page, "MIDI IN 2")->click();
    page.patchA()->resize(280, 224);
    QTest::mouseClick(page.patchA(), Qt::LeftButton, {}, cellCentre(5, 1));

    page.apply(image);
    const QVector<int> applied = pageValues(image);
    for (int round = 0; round < 3; ++round) {
        page.load(image);
        page.apply(image);
        QCOMPARE(pageValues(image), applied);
    }
    QCOMPARE(image.value(PresetImage::ConfigBlock, 3), 0x7C);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 8), 2);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 9), 0);
    QCOMPARE(image.value(PresetImage::RoutingGroups, 0, 3), 1);
    QCOMPARE(image.value(PresetImage::RoutingPatchA, 5, 1), 1);
    QVERIFY(groupBox(page, 1, 3)->isChecked());
    QCOMPARE(combo(page, "controlPort")->currentIndex(), -1);
}

void tst_midipage::foreignBytesCarried()
{
    // As from a file or the unit: bytes the page cannot show survive a round.
    PresetImage image;
    image.setImageByte(3, 0xF3);
    image.setImageByte(8, 2);
    image.setImageByte(9, 9);
    image.setImageByte(16, 0xFF);
    image.parseImage();
    MidiPage page(&paletteSource);
    page.load(image);
    page.apply(image);
    image.buildImage();
    QCOMPARE(image.imageByte(3), 0xF3);
    QCOMPARE(image.imageByte(8), 2);
    QCOMPARE(image.imageByte(9), 9);
    QCOMPARE(image.imageByte(16), 0xFF); // row 0 has no unroutable cell
}

QTEST_MAIN(tst_midipage)
#include "tst_midipage.moc"
