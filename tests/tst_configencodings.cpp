#include "PresetImage.h"
#include "PresetText.h"

#include <QtTest>

// The preset name and description as Latin-1 codes.
class tst_configencodings : public QObject
{
    Q_OBJECT
private slots:
    void writeText_data();
    void writeText();
    void readText_data();
    void readText();
};

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

QTEST_GUILESS_MAIN(tst_configencodings)
#include "tst_configencodings.moc"
