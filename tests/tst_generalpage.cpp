#include "GeneralPage.h"
#include "PresetImage.h"
#include "TopLevels.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

Q_DECLARE_METATYPE(PresetImage::Region)

namespace {
QStringList macroNames()
{
    QStringList names;
    for (int i = 1; i <= 12; ++i)
        names << QString("Macro %1").arg(i);
    return names;
}

QComboBox *box(const GeneralPage &page, const QString &name)
{
    return page.findChild<QComboBox *>(name);
}

QVector<int> codes(const PresetImage &image, PresetImage::Region region)
{
    QVector<int> list;
    for (int i = 0; i < 16; ++i)
        list << image.value(region, i);
    return list;
}

QVector<int> textCodes(const QByteArray &latin1)
{
    QVector<int> list;
    for (int i = 0; i < 16; ++i)
        list << (i < latin1.size() ? static_cast<unsigned char>(latin1.at(i)) : 0);
    return list;
}
} // namespace

class tst_generalpage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void newPreset();
    void encodings_data();
    void encodings();
    void outsideEncodings_data();
    void outsideEncodings();
    void names();
};

void tst_generalpage::newPreset()
{
    PresetImage image;
    GeneralPage page(macroNames());
    page.load(image);
    QCOMPARE(page.nameEdit()->text(), QString("<EMPTY PRESET>"));
    QCOMPARE(page.descriptionEdit()->text(), QString("default"));
    // Seven settings; no control for choices that no image field holds.
    QCOMPARE(page.findChildren<QComboBox *>().size(), 7);

    // Applying an untouched page changes no byte.
    image.buildImage();
    const QVector<int> before = image.image();
    page.apply(image);
    page.applyNames(image);
    image.buildImage();
    QCOMPARE(image.image(), before);

    // Loading drops a choice that was never applied.
    box(page, "parity")->setCurrentText("Odd");
    page.load(image);
    page.apply(image);
    QCOMPARE(image.value(PresetImage::SerialConfig, 1), 0);
}

void tst_generalpage::encodings_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("item");
    QTest::addColumn<PresetImage::Region>("region");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("stored");

    // Each item of a box stores its position in the box, or the value given.
    auto items = [](const QString &box, PresetImage::Region region, int position,
                    const QStringList &texts, const QVector<int> &values = {}) {
        for (int i = 0; i < texts.size(); ++i)
            QTest::addRow("%s %s", qPrintable(box), qPrintable(texts.at(i)))
                << box << texts.at(i) << region << position
                << (values.isEmpty() ? i : values.at(i));
    };
    const auto config = PresetImage::ConfigBlock;
    const QStringList macros = QStringList("<No Action>") + macroNames();
    items("setupMacro", config, 15, macros);
    items("initialState", config, 7, macros);
    items("videoHpd", config, 2, {"Normal (Display Controlled)", "Hold (RSX-4 Controlled)"});
    QStringList channels("Off");
    for (int channel = 1; channel <= 16; ++channel)
        channels << QString::number(channel);
    items("channelOverride", config, 14, channels);
    items("doublePressLimit", PresetImage::DoublePressLimit, 0,
          {"50ms", "100ms", "200ms", "500ms", "1.0s", "1.5s", "2.0s"},
          {5, 10, 20, 50, 100, 150, 200});
    items(
        "baudRate", PresetImage::SerialConfig, 0,
        {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200", "230400", "460800"});
    items("parity", PresetImage::SerialConfig, 1, {"None", "Odd", "Even"});
}

void tst_generalpage::encodings()
{
    QFETCH(QString, boxName);
    QFETCH(QString, item);
    QFETCH(PresetImage::Region, region);
    QFETCH(int, position);
    QFETCH(int, stored);

    // The user's choice reaches the model on apply.
    PresetImage image;
    GeneralPage page(macroNames());
    page.load(image);
    QComboBox *combo = box(page, boxName);
    const int index = combo->findText(item);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    image.setValue(PresetImage::ConfigBlock, 5, 123); // a fixed byte no control owns
    page.apply(image);
    QCOMPARE(image.value(region, position), stored);
    QCOMPARE(image.value(PresetImage::ConfigBlock, 5), 123);

    // The stored value loads as the same item.
    PresetImage other;
    other.setValue(region, position, stored);
    GeneralPage fresh(macroNames());
    fresh.load(other);
    QCOMPARE(box(fresh, boxName)->currentText(), item);
    QCOMPARE(other.value(region, position), stored);
}

void tst_generalpage::outsideEncodings_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<PresetImage::Region>("region");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("afterLoad");
    QTest::addColumn<int>("afterApply");

    const auto config = PresetImage::ConfigBlock;
    QTest::newRow("setup macro 13")
        << "setupMacro" << config << 15 << 13 << "<No Action>" << 0 << 0;
    QTest::newRow("setup macro 255")
        << "setupMacro" << config << 15 << 255 << "<No Action>" << 0 << 0;
    QTest::newRow("initial state 13") << "initialState" << config << 7 << 13 << "" << 13 << 13;
    QTest::newRow("HPD 5") << "videoHpd" << config << 2 << 5 << "Hold (RSX-4 Controlled)" << 5 << 1;
    QTest::newRow("override 17") << "channelOverride" << config << 14 << 17 << "" << 17 << 17;
    QTest::newRow("double press 15")
        << "doublePressLimit" << PresetImage::DoublePressLimit << 0 << 15 << "" << 15 << 15;
    QTest::newRow("double press 0")
        << "doublePressLimit" << PresetImage::DoublePressLimit << 0 << 0 << "" << 0 << 0;
    QTest::newRow("baud 10") << "baudRate" << PresetImage::SerialConfig << 0 << 10 << "" << 10
                             << 10;
    QTest::newRow("parity 3") << "parity" << PresetImage::SerialConfig << 1 << 3 << "" << 3 << 3;
}

void tst_generalpage::outsideEncodings()
{
    QFETCH(QString, boxName);
    QFETCH(PresetImage::Region, region);
    QFETCH(int, position);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(int, afterLoad);
    QFETCH(int, afterApply);

    // As from a file: the byte arrives in the image and is parsed.
    PresetImage image;
    image.setImageByte(image.region(region).offset + position, value);
    image.parseImage();
    GeneralPage page(macroNames());
    page.load(image);
    QComboBox *combo = box(page, boxName);
    QCOMPARE(combo->currentText(), shown);
    QCOMPARE(combo->currentIndex() < 0, shown.isEmpty());
    QCOMPARE(image.value(region, position), afterLoad);

    page.apply(image);
    QCOMPARE(image.value(region, position), afterApply);
    image.buildImage();
    QCOMPARE(image.imageByte(image.region(region).offset + position), afterApply);

    // Applying and loading again settles: nothing moves any more.
    page.load(image);
    page.apply(image);
    QCOMPARE(image.value(region, position), afterApply);

    // A choice of the user replaces the kept value: the second item is 1,
    // or 10 ("100ms") for the double press limit.
    combo->setCurrentIndex(1);
    page.apply(image);
    QCOMPARE(image.value(region, position), boxName == "doublePressLimit" ? 10 : 1);
}

void tst_generalpage::names()
{
    PresetImage image;
    for (int i = 0; i < 16; ++i) {
        image.setValue(PresetImage::PresetName, i, i < 2 ? 'A' + i : 0);
        image.setValue(PresetImage::PresetDescription, i, i < 2 ? 'c' + i : 0);
    }
    GeneralPage page(macroNames());
    QSignalSpy edits(&page, &GeneralPage::namesEdited);
    connect(&page, &GeneralPage::namesEdited, &page, [&] { page.applyNames(image); });
    page.load(image);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(page.nameEdit()->text(), QString("AB"));

    // Stale bytes in both regions: one keystroke rewrites all 32.
    for (int i = 0; i < 16; ++i) {
        image.setValue(PresetImage::PresetName, i, 99);
        image.setValue(PresetImage::PresetDescription, i, 99);
    }
    page.nameEdit()->end(false);
    QTest::keyClicks(page.nameEdit(), "Z");
    QCOMPARE(edits.count(), 1);
    QCOMPARE(codes(image, PresetImage::PresetName), textCodes("ABZ"));
    QCOMPARE(codes(image, PresetImage::PresetDescription), textCodes("cd"));

    page.descriptionEdit()->end(false);
    QTest::keyClick(page.descriptionEdit(), Qt::Key_Backspace);
    QCOMPARE(edits.count(), 2);
    QCOMPARE(codes(image, PresetImage::PresetDescription), textCodes("c"));

    // Sixteen characters at most, stored with no 0 byte.
    page.descriptionEdit()->clear();
    QTest::keyClicks(page.descriptionEdit(), "ABCDEFGHIJKLMNOPQRST");
    QCOMPARE(page.descriptionEdit()->text(), QString("ABCDEFGHIJKLMNOP"));
    QCOMPARE(codes(image, PresetImage::PresetDescription), textCodes("ABCDEFGHIJKLMNOP"));
}

QTEST_MAIN(tst_generalpage)
#include "tst_generalpage.moc"
