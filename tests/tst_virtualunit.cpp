#include "VirtualUnit.h"

#include <QtTest>

namespace {

using Bytes = QVector<int>;
constexpr auto unit = &VirtualUnit::instance;

bool write(hid_device *dev, const Bytes &reportBytes)
{
    unsigned char out[65] = {};
    for (int n = 0; n < reportBytes.size(); ++n)
        out[n + 1] = static_cast<unsigned char>(reportBytes.at(n));
    return hid_write(dev, out, 65) == 65;
}

Bytes read(hid_device *dev)
{
    unsigned char in[64] = {};
    const int n = hid_read(dev, in, 64);
    Bytes bytes;
    for (int i = 0; i < n; ++i)
        bytes << in[i];
    return bytes;
}

hid_device *openUnit()
{
    hid_device *dev = hid_open(0x04D8, 0xF29E, nullptr);
    if (dev)
        hid_set_nonblocking(dev, 1);
    return dev;
}

Bytes writeBlock(int phase, int total, int address, int count)
{
    Bytes bytes{count, 0x0D, phase, 1, total >> 8, total & 0xFF, address >> 8, address & 0xFF};
    for (int i = 0; i < count; ++i)
        bytes << ((0x11 + address + i) & 0xFF);
    return bytes;
}

const Bytes dateTime{7, 0x0B, 0x64, 0, 0, 0, 0, 0, 31, 12, 24, 2, 23, 59, 58};

QString violationText()
{
    QStringList list;
    for (const std::string &v : unit().violations())
        list << QString::fromStdString(v);
    return list.join('\n');
}

} // namespace

// The virtual unit the other tests rely on: its faults and its checks of what it is sent.
class tst_virtualunit : public QObject
{
    Q_OBJECT
private slots:
    void init() { unit().reset(); }

    void opening()
    {
        QVERIFY(!hid_open(0x04D8, 0xF29F, nullptr));
        QVERIFY(!hid_open(0x04D8, 0xF29E, L"123"));
        unit().setPlugged(false);
        QVERIFY(!openUnit());
        unit().setPlugged(true);
        hid_device *dev = openUnit();
        QVERIFY(dev);
        hid_close(dev);
    }

    void checks_data()
    {
        QTest::addColumn<QList<Bytes>>("reports");
        QTest::addColumn<QString>("violation");
        auto row = [](const char *tag, const QList<Bytes> &reports, const char *violation) {
            QTest::newRow(tag) << reports << QString(violation);
        };
        Bytes badMonth = dateTime;
        badMonth[9] = 13;
        Bytes dateAfterRead = dateTime;
        dateAfterRead[7] = 1;
        row("unused byte set", {Bytes{0, 0x0E, 1} + Bytes(37, 0) + Bytes{1}}, "byte 40 is 0x01");
        row("unknown command", {{0, 0x0F, 1}}, "unknown command 0x0F");
        row("string number 0", {{0, 0x0E, 0}}, "string number");
        row("firmware byte 3", {{0, 0x0E, 1, 5}}, "byte 3 is 0x05");
        row("first read not at 0", {{0, 0x0C, 0x80, 0, 24, 0, 0, 24}}, "first read request");
        row("read skips a block",
            {{0, 0x0C, 0x80, 0, 24, 0, 0, 0}, {0, 0x0C, 0x81, 0, 24, 0, 0, 48}},
            "read request at 48, expected 24");
        row("read past the EEPROM", {{0, 0x0C, 0x82, 0, 24, 0, 6, 0xD8}},
            "reaches past the EEPROM");
        row("write total", {writeBlock(1, 1000, 0, 24)}, "neither 1232 nor 1760");
        row("write skips a block", {writeBlock(1, 1760, 0, 24), writeBlock(2, 1760, 48, 24)},
            "write block at 48, expected 24");
        row("last block short of the end", {writeBlock(1, 1232, 0, 24), writeBlock(3, 1232, 24, 8)},
            "last write block ends at 32");
        row("bytes after the data", {writeBlock(3, 1760, 1752, 8) + Bytes{7}},
            "after the block's data");
        row("month 13", {badMonth}, "month");
        row("an undefined byte changed",
            {{0, 0x0E, 1, 0, 0, 0, 0, 0, 9}, {0, 0x0E, 2, 0, 0, 0, 0, 0, 8}},
            "byte 8 changed from 0x09 to 0x08");
        row("date leaves byte 7 alone", {{0, 0x0C, 0x80, 0, 24, 0, 0, 0}, dateAfterRead},
            "byte 7 changed");
    }
    void checks()
    {
        QFETCH(QList<Bytes>, reports);
        QFETCH(QString, violation);
        hid_device *dev = openUnit();
        for (const Bytes &r : reports)
            QVERIFY(write(dev, r));
        QVERIFY2(violationText().contains(violation), qPrintable(violationText()));
        hid_close(dev);
    }

    void usageChecks()
    {
        hid_device *dev = hid_open(0x04D8, 0xF29E, nullptr);
        read(dev);
        QVERIFY(violationText().contains("non-blocking"));
        unit().clearLog();
        hid_set_nonblocking(dev, 1);
        unsigned char small[32];
        hid_read(dev, small, 32);
        unsigned char out[65] = {0, 0, 0x0E, 1};
        hid_write(dev, out, 64);
        QVERIFY(violationText().contains("read of 32 bytes"));
        QVERIFY(violationText().contains("write of 64 bytes"));
        unit().clearLog();
        out[0] = 2;
        hid_write(dev, out, 65);
        QVERIFY(violationText().contains("report id 0x02"));
        hid_close(dev);
    }

    // The faults whose absence no device test would notice: a slow unit, noise
    // between the replies, and firmware requests left unanswered.
    void faults()
    {
        unit().setReplyLatency(2);
        unit().setRandomReports(1, 99);
        hid_device *dev = openUnit();
        QVERIFY(write(dev, {0, 0x0E, 2}));
        QCOMPARE(read(dev), Bytes());
        QCOMPARE(read(dev), Bytes());
        const Bytes noise = read(dev);
        QCOMPARE(noise.size(), 64);
        QVERIFY(noise.at(1) < 0x0B || noise.at(1) > 0x0E);
        QCOMPARE(read(dev).mid(1, 2), (Bytes{0x0E, 2}));
        QCOMPARE(read(dev), Bytes());
        unit().setReplyLatency(0);
        unit().setRandomReports(0);
        unit().setAnswerFirmwareRequests(false);
        QVERIFY(write(dev, {0, 0x0E, 1}));
        QCOMPARE(read(dev), Bytes());
        hid_close(dev);
    }
};

QTEST_GUILESS_MAIN(tst_virtualunit)
#include "tst_virtualunit.moc"
