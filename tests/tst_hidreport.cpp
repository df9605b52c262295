#include "HidReport.h"

#include <QtTest>

namespace {

using Bytes = QVector<int>;

// Report bytes 0..63 of an output buffer.
Bytes reportOf(const unsigned char *out)
{
    Bytes bytes;
    for (int n = 0; n < HidReport::ReportSize; ++n)
        bytes << out[n + 1];
    return bytes;
}

// An output buffer whose every report byte holds 0xA5, as a previous report might leave it.
void fillStale(unsigned char *out)
{
    out[0] = 0;
    for (int n = 1; n < HidReport::OutputSize; ++n)
        out[n] = 0xA5;
}

// What the report must hold: `defined` for the first bytes, 0xA5 elsewhere.
Bytes expected(const Bytes &defined, const QMap<int, int> &more = {})
{
    Bytes bytes(HidReport::ReportSize, 0xA5);
    for (int n = 0; n < defined.size(); ++n)
        bytes[n] = defined.at(n);
    for (auto it = more.begin(); it != more.end(); ++it)
        bytes[it.key()] = it.value();
    return bytes;
}

} // namespace

// The byte layout of every command and of the firmware string reply.
class tst_hidreport : public QObject
{
    Q_OBJECT
private slots:
    void firmwareRequest_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<Bytes>("header");
        QTest::newRow("string 1") << 1 << Bytes{0, 0x0E, 1, 0, 0, 0, 0, 0};
        QTest::newRow("string 8") << 8 << Bytes{0, 0x0E, 8, 0, 0, 0, 0, 0};
        QTest::newRow("string 10") << 10 << Bytes{0, 0x0E, 10, 0, 0, 0, 0, 0};
    }
    void firmwareRequest()
    {
        QFETCH(int, number);
        QFETCH(Bytes, header);
        unsigned char out[HidReport::OutputSize];
        fillStale(out);
        HidReport::setFirmwareRequest(out, number);
        QCOMPARE(int(out[0]), 0);
        QCOMPARE(reportOf(out), expected(header));
    }

    void readRequest_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("address");
        QTest::addColumn<Bytes>("header");
        QTest::newRow("first") << 0x80 << 24 << 0 << Bytes{0, 0x0C, 0x80, 0, 24, 0, 0, 0};
        QTest::newRow("middle") << 0x81 << 24 << 264 << Bytes{0, 0x0C, 0x81, 0, 24, 0, 1, 8};
        QTest::newRow("last of 1760")
            << 0x82 << 8 << 1752 << Bytes{0, 0x0C, 0x82, 0, 8, 0, 6, 0xD8};
        QTest::newRow("last of 1232")
            << 0x82 << 8 << 1224 << Bytes{0, 0x0C, 0x82, 0, 8, 0, 4, 0xC8};
    }
    void readRequest()
    {
        QFETCH(int, phase);
        QFETCH(int, count);
        QFETCH(int, address);
        QFETCH(Bytes, header);
        unsigned char out[HidReport::OutputSize];
        fillStale(out);
        HidReport::setReadRequest(out, phase, count, address);
        QCOMPARE(reportOf(out), expected(header));
    }

    void writeBlock_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("count");
        QTest::addColumn<Bytes>("header");
        QTest::newRow("first of 1760")
            << 1 << 1760 << 0 << 24 << Bytes{24, 0x0D, 1, 1, 6, 0xE0, 0, 0};
        QTest::newRow("middle of 1760")
            << 2 << 1760 << 888 << 24 << Bytes{24, 0x0D, 2, 1, 6, 0xE0, 3, 0x78};
        QTest::newRow("last of 1760")
            << 3 << 1760 << 1752 << 8 << Bytes{8, 0x0D, 3, 1, 6, 0xE0, 6, 0xD8};
        QTest::newRow("last of 1232")
            << 3 << 1232 << 1224 << 8 << Bytes{8, 0x0D, 3, 1, 4, 0xD0, 4, 0xC8};
        QTest::newRow("one byte") << 3 << 1232 << 1231 << 1
                                  << Bytes{1, 0x0D, 3, 1, 4, 0xD0, 4, 0xCF};
    }
    void writeBlock()
    {
        QFETCH(int, phase);
        QFETCH(int, total);
        QFETCH(int, address);
        QFETCH(int, count);
        QFETCH(Bytes, header);
        // Image bytes wider than a byte go out as their low eight bits.
        QVector<int> image(total);
        for (int i = 0; i < total; ++i)
            image[i] = 0x300 + (i * 13 + 5) % 256;
        unsigned char out[HidReport::OutputSize];
        fillStale(out);
        HidReport::setWriteBlock(out, phase, total, address, image.constData() + address, count);

        QMap<int, int> data;
        for (int i = 0; i < HidReport::BlockSize; ++i)
            data[8 + i] = i < count ? image.at(address + i) & 0xFF : 0;
        QCOMPARE(reportOf(out), expected(header, data));
    }

    void dateTime_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<Bytes>("values");
        QTest::newRow("sunday evening")
            << QDate(2024, 3, 31) << QTime(23, 59, 58) << Bytes{31, 3, 24, 7, 23, 59, 58};
        QTest::newRow("monday midnight")
            << QDate(2000, 1, 3) << QTime(0, 0, 0) << Bytes{3, 1, 0, 1, 0, 0, 0};
        QTest::newRow("last year of a century")
            << QDate(2099, 12, 9) << QTime(9, 5, 1) << Bytes{9, 12, 99, 3, 9, 5, 1};
    }
    void dateTime()
    {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(Bytes, values);
        unsigned char out[HidReport::OutputSize];
        fillStale(out);
        HidReport::setDateTime(out, date, time);
        // Byte 7 and the bytes after the seven values keep what was there.
        QMap<int, int> fields;
        for (int i = 0; i < values.size(); ++i)
            fields[8 + i] = values.at(i);
        QCOMPARE(reportOf(out), expected({7, 0x0B, 0x64, 0, 0, 0, 0}, fields));
    }

    void replyFields()
    {
        unsigned char in[HidReport::ReportSize] = {3, 0x0D, 0x80, 0, 0, 0, 0x06, 0xD8};
        QCOMPARE(HidReport::dataCount(in), 3);
        QCOMPARE(HidReport::command(in), 0x0D);
        QCOMPARE(HidReport::argument(in), 0x80);
        QCOMPARE(HidReport::address(in), 1752);
    }

    void firmwareText_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 5 << QByteArray("RSX-4") << "RSX-4";
        QTest::newRow("length cuts") << 3 << QByteArray("RSX-4") << "RSX";
        QTest::newRow("zero ends early") << 5 << QByteArray("ab\0cd", 5) << "ab";
        QTest::newRow("empty") << 0 << QByteArray("abc") << "";
        QTest::newRow("latin-1") << 2 << QByteArray("\xE9\xFC") << QString::fromLatin1("\xE9\xFC");
        QTest::newRow("length above the report") << 200 << QByteArray(56, 'x') << QString(56, 'x');
    }
    void firmwareText()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        unsigned char in[HidReport::ReportSize] = {};
        in[0] = static_cast<unsigned char>(length);
        in[1] = 0x0E;
        memcpy(in + 8, data.constData(), std::min(data.size(), HidReport::MaxData));
        QCOMPARE(HidReport::firmwareText(in), text);
    }
};

QTEST_GUILESS_MAIN(tst_hidreport)
#include "tst_hidreport.moc"
