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

namespace {
// Sixteen codes: the Latin-1 bytes given, then zeros.
QVector<int> padded(const QByteArray &latin1)
{
    QVector<int> codes(16, 0);
    for (int i = 0; i < latin1.size(); ++i)
        codes[i] = static_cast<unsigned char>(latin1.at(i));
    return codes;
}
} // namespace

void tst_configencodings::writeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("latin1");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("e acute") << QString::fromUtf8("Caf\u00e9") << QByteArray("Caf\xe9");
    QTest::newRow("euro sign") << QString::fromUtf8("\u20acuro") << QByteArray("?uro");
    QTest::newRow("outside the basic plane")
        << QString::fromUtf8("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("top of Latin-1") << QString::fromUtf8("\u00ff\u0100") << QByteArray("\xff?");
    QTest::newRow("cut to sixteen") << "ABCDEFGHIJKLMNOPQRS" << QByteArray("ABCDEFGHIJKLMNOP");
}

void tst_configencodings::writeText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, latin1);
    PresetImage image;
    for (int i = 0; i < 16; ++i)
        image.setValue(PresetImage::PresetDescription, i, 99);
    PresetText::write(image, PresetImage::PresetDescription, text);
    QVector<int> written;
    for (int i = 0; i < 16; ++i)
        written << image.value(PresetImage::PresetDescription, i);
    QCOMPARE(written, padded(latin1));
    // The name is another region and stays as it was.
    QCOMPARE(PresetText::read(image, PresetImage::PresetName), QString("<EMPTY PRESET>"));
}

void tst_configencodings::readText_data()
{
    QTest::addColumn<QByteArray>("latin1");
    QTest::addColumn<QString>("text");
    QTest::newRow("gap skipped") << QByteArray("AB\0CD", 5) << "ABCD";
    QTest::newRow("leading zeros") << QByteArray("\0\0\0X", 4) << "X";
    QTest::newRow("Latin-1") << QByteArray("Caf\xe9") << QString::fromUtf8("Caf\u00e9");
    QTest::newRow("all zero") << QByteArray() << QString();
    QTest::newRow("full") << QByteArray("1234567890123456") << "1234567890123456";
}

void tst_configencodings::readText()
{
    QFETCH(QByteArray, latin1);
    QFETCH(QString, text);
    PresetImage image;
    const QVector<int> codes = padded(latin1);
    for (int i = 0; i < 16; ++i)
        image.setValue(PresetImage::PresetName, i, codes.at(i));
    QCOMPARE(PresetText::read(image, PresetImage::PresetName), text);
}

QTEST_GUILESS_MAIN(tst_configencodings)
#include "tst_configencodings.moc"
