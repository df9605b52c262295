#include "DurationCode.h"
#include "PresetImage.h"
#include "PresetText.h"
#include "RoutingMatrix.h"

#include <QtTest>

// The widget-free rules behind the configuration pages.
class tst_configencodings : public QObject
{
    Q_OBJECT
private slots:
    void durationCodes_data();
    void durationCodes();
    void unknownDurationCodes();
    void writeText_data();
    void writeText();
    void readText_data();
    void readText();
    void routingClickRule();
    void routingRefusals();
};

void tst_configencodings::durationCodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("50ms") << "50ms" << 5;
    QTest::newRow("100ms") << "100ms" << 10;
    QTest::newRow("200ms") << "200ms" << 20;
    QTest::newRow("500ms") << "500ms" << 50;
    QTest::newRow("1.0s") << "1.0s" << 100;
    QTest::newRow("1.5s") << "1.5s" << 150;
    QTest::newRow("2.0s") << "2.0s" << 200;
}

void tst_configencodings::durationCodes()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(DurationCode::texts().size(), 7);
    QCOMPARE(DurationCode::values().size(), 7);
    const int position = DurationCode::indexOf(code);
    QVERIFY(position >= 0);
    QCOMPARE(DurationCode::texts().at(position), text);
    QCOMPARE(DurationCode::values().at(DurationCode::texts().indexOf(text)), code);
}

void tst_configencodings::unknownDurationCodes()
{
    for (int code : {-1, 0, 4, 6, 15, 49, 51, 201, 255})
        QCOMPARE(DurationCode::indexOf(code), -1);
}

void tst_configencodings::writeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<int>>("codes");
    QTest::newRow("empty") << QString() << QVector<int>(16, 0);
    QTest::newRow("short") << "Show"
                           << QVector<int>{83, 104, 111, 119, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("e acute") << QString::fromUtf8("Café")
                             << QVector<int>{67, 97, 102, 233, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("euro sign") << QString::fromUtf8("€uro")
                               << QVector<int>{63, 117, 114, 111, 0, 0, 0, 0,
                                               0,  0,   0,   0,   0, 0, 0, 0};
    QTest::newRow("outside the basic plane")
        << QString::fromUtf8("a\U0001F600b")
        << QVector<int>{97, 63, 98, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("sixteen") << "ABCDEFGHIJKLMNOP" << QVector<int>{65, 66, 67, 68, 69, 70, 71, 72,
                                                                   73, 74, 75, 76, 77, 78, 79, 80};
    QTest::newRow("cut to sixteen")
        << "ABCDEFGHIJKLMNOPQRS"
        << QVector<int>{65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80};
    QTest::newRow("top of Latin-1")
        << QString::fromUtf8("ÿ\u0100")
        << QVector<int>{255, 63, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void tst_configencodings::writeText()
{
    QFETCH(QString, text);
    QFETCH(QVector<int>, codes);
    PresetImage image;
    for (int i = 0; i < 16; ++i)
        image.setValue(PresetImage::PresetDescription, i, 99);
    PresetText::write(image, PresetImage::PresetDescription, text);
    QVector<int> written;
    for (int i = 0; i < 16; ++i)
        written << image.value(PresetImage::PresetDescription, i);
    QCOMPARE(written, codes);
    // The name is another region and stays as it was.
    QCOMPARE(PresetText::read(image, PresetImage::PresetName), QString("<EMPTY PRESET>"));
}

void tst_configencodings::readText_data()
{
    QTest::addColumn<QVector<int>>("codes");
    QTest::addColumn<QString>("text");
    QTest::newRow("gap skipped") << QVector<int>{65, 66, 0, 67, 68} << "ABCD";
    QTest::newRow("leading zeros") << QVector<int>{0, 0, 0, 88} << "X";
    QTest::newRow("Latin-1") << QVector<int>{67, 97, 102, 233} << QString::fromUtf8("Café");
    QTest::newRow("all zero") << QVector<int>{} << QString();
    QTest::newRow("full") << QVector<int>{49, 50, 51, 52, 53, 54, 55, 56,
                                          57, 48, 49, 50, 51, 52, 53, 54}
                          << "1234567890123456";
}

void tst_configencodings::readText()
{
    QFETCH(QVector<int>, codes);
    QFETCH(QString, text);
    PresetImage image;
    for (int i = 0; i < 16; ++i)
        image.setValue(PresetImage::PresetName, i, i < codes.size() ? codes.at(i) : 0);
    QCOMPARE(PresetText::read(image, PresetImage::PresetName), text);
}

void tst_configencodings::routingClickRule()
{
    RoutingMatrix cells;
    cells.setValue(3, 5, RoutingMatrix::Unroutable);
    for (int row : {0, 1, 2, 5})
        cells.setValue(row, 5, 1);
    cells.setValue(0, 4, 1);

    // MERGE OUT to USB B drops every other source of USB B.
    QVERIFY(cells.toggle(4, 5));
    QCOMPARE(cells.value(4, 5), 1);
    for (int row : {0, 1, 2, 5})
        QCOMPARE(cells.value(row, 5), 0);
    QCOMPARE(cells.value(3, 5), -1);
    QCOMPARE(cells.value(0, 4), 1);

    // A second click unroutes it.
    QVERIFY(cells.toggle(4, 5));
    QCOMPARE(cells.value(4, 5), 0);

    // Any value other than 1 counts as not routed.
    cells.setValue(1, 1, 7);
    QVERIFY(cells.toggle(1, 1));
    QCOMPARE(cells.value(1, 1), 1);
}

void tst_configencodings::routingRefusals()
{
    RoutingMatrix cells;
    cells.setValue(2, 4, RoutingMatrix::Unroutable);
    cells.setValue(0, 4, 1);
    QVERIFY(!cells.toggle(2, 4));
    QCOMPARE(cells.value(2, 4), -1);
    QCOMPARE(cells.value(0, 4), 1);
    QVERIFY(!cells.toggle(6, 0));
    QVERIFY(!cells.toggle(0, 8));
    QVERIFY(!cells.toggle(-1, 0));
    cells.setValue(6, 0, 1);
    QCOMPARE(cells.value(6, 0), 0);
}

QTEST_GUILESS_MAIN(tst_configencodings)
#include "tst_configencodings.moc"
