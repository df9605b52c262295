#include "HexText.h"

#include <QtTest>

// The byte rules behind the hex entry fields, without any widget; the
// fields' own cases, typed and left, are in tst_hexedit.
class tst_hextext : public QObject
{
    Q_OBJECT
private slots:
    void pairing_data();
    void pairing();
    void longSysexEndsInF7();
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

    QTest::newRow("blanks only") << "   " << QByteArray() << "";
    QTest::newRow("single digit") << "7" << hex("07") << "07";
    QTest::newRow("pairs run from the left") << "1 23 45" << hex("123405") << "12 34 05";
    // Only reachable by switching text typed as ASCII to hex.
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

void tst_hextext::longSysexEndsInF7()
{
    QString framed = "F0 ";
    for (int i = 0; i < 35; ++i)
        framed += "11 ";
    QCOMPARE(HexText::sysexBytes(framed + "F7"), hex("f0") + QByteArray(28, 0x11) + hex("f7"));
}

void tst_hextext::latin1Text()
{
    const QString text = QString::fromUtf8("Caf\u00e9 \u00ff!");
    QCOMPARE(HexText::textBytes(text), hex("436166e920ff21"));
    QCOMPARE(HexText::bytesText(hex("436166e920ff21")), text);
    QVERIFY(HexText::isLatin1(text));
    QVERIFY(!HexText::isLatin1(QString::fromUtf8("\u20ac")));
}

QTEST_GUILESS_MAIN(tst_hextext)
#include "tst_hextext.moc"
