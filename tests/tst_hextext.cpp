#include "HexText.h"

#include <QtTest>

// The byte rules behind the hex entry fields, without any widget.
class tst_hextext : public QObject
{
    Q_OBJECT
private slots:
    void pairing_data();
    void pairing();
    void sysexFraming_data();
    void sysexFraming();
    void serialHex_data();
    void serialHex();
    void latin1Text();
};

static QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

void tst_hextext::pairing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("canonical");

    QTest::newRow("empty") << "" << QByteArray() << "";
    QTest::newRow("blanks only") << "   " << QByteArray() << "";
    QTest::newRow("lower case") << "f0437e" << hex("f0437e") << "F0 43 7E";
    QTest::newRow("odd count pads the last digit") << "ABC" << hex("ab0c") << "AB 0C";
    QTest::newRow("single digit") << "7" << hex("07") << "07";
    QTest::newRow("blanks anywhere") << " F 0 4  3 " << hex("f043") << "F0 43";
    QTest::newRow("pairs run from the left") << "1 23 45" << hex("123405") << "12 34 05";
    // Only reachable by switching text typed as ASCII to hex: the decoder
    // skips what is not a hex digit.
    QTest::newRow("non-hex skipped") << "AXB" << hex("0a0b") << "0A 0B";
    QTest::newRow("zero byte kept") << "00 41" << hex("0041") << "00 41";
}

void tst_hextext::pairing()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, canonical);
    QCOMPARE(HexText::pairBytes(text), bytes);
    QCOMPARE(HexText::format(HexText::pairBytes(text)), canonical);
}

void tst_hextext::sysexFraming_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("framed already") << "f0437e7f0601f7" << hex("f0437e7f0601f7");
    QTest::newRow("unframed") << "7E 7F 06 01" << hex("f07e7f0601f7");
    QTest::newRow("F0 alone") << "F0" << hex("f0f7");
    QTest::newRow("F7 alone") << "F7" << hex("f0f7");
    QTest::newRow("empty stays empty") << "" << QByteArray();
    QTest::newRow("odd digits") << "ABC" << hex("f0ab0cf7");

    QString forty;
    QByteArray cut = hex("f0");
    for (int i = 0; i < 40; ++i) {
        forty += QStringLiteral("%1 ").arg(i + 1, 2, 16, QLatin1Char('0'));
        if (i < 28)
            cut.append(static_cast<char>(i + 1));
    }
    cut.append(static_cast<char>(0xF7));
    QTest::newRow("40 bytes keep 28 inside the frame") << forty << cut;

    QString framedLong = "F0 ";
    for (int i = 0; i < 35; ++i)
        framedLong += "11 ";
    framedLong += "F7";
    QTest::newRow("long framed message ends in F7")
        << framedLong << hex("f0").append(QByteArray(28, 0x11)).append(hex("f7"));
}

void tst_hextext::sysexFraming()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QByteArray result = HexText::sysexBytes(text);
    QCOMPARE(result, bytes);
    QVERIFY(result.size() <= HexText::SysexMaxBytes);
}

void tst_hextext::serialHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QString thirty;
    for (int i = 0; i < 30; ++i)
        thirty += QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0'));
    QByteArray first28;
    for (int i = 0; i < 28; ++i)
        first28.append(static_cast<char>(i));

    QTest::newRow("30 bytes keep 28") << thirty << first28;
    QTest::newRow("no framing added") << "41 42 0d" << hex("41420d");
    QTest::newRow("empty") << "" << QByteArray();
}

void tst_hextext::serialHex()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexText::serialHexBytes(text), bytes);
}

void tst_hextext::latin1Text()
{
    const QString text = QString::fromUtf8("Caf\u00e9 \u00ff!");
    const QByteArray bytes = HexText::textBytes(text);
    QCOMPARE(bytes, hex("436166e920ff21"));
    QCOMPARE(HexText::bytesText(bytes), text);

    QVERIFY(HexText::isLatin1(text));
    QVERIFY(!HexText::isLatin1(QString::fromUtf8("\u20ac")));

    // Shown text ends at the first zero byte.
    QCOMPARE(HexText::bytesText(hex("41420043")), QString("AB"));
    QCOMPARE(HexText::bytesText(QByteArray()), QString());
}

QTEST_GUILESS_MAIN(tst_hextext)
#include "tst_hextext.moc"
