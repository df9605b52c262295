#include "HidReport.h"

#include <QtTest>

using Bytes = QVector<int>;

// Report fields that the link tests cannot pin down: the date and time on
// fixed days, and firmware text decoding. Every command's bytes, as sent,
// are checked in tst_devicelink and by the virtual unit.
class tst_hidreport : public QObject
{
    Q_OBJECT
private slots:
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
        unsigned char out[HidReport::OutputSize] = {};
        HidReport::setDateTime(out, date, time);
        Bytes sent;
        for (int n = 0; n < 7; ++n)
            sent << out[1 + 8 + n];
        QCOMPARE(sent, values);
    }

    void firmwareText_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("length cuts") << 3 << QByteArray("RSX-4") << "RSX";
        QTest::newRow("latin-1") << 2 << QByteArray("\xE9\xFC") << QString::fromLatin1("\xE9\xFC");
    }
    void firmwareText()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        unsigned char in[HidReport::ReportSize] = {};
        in[0] = static_cast<unsigned char>(length);
        in[1] = 0x0E;
        memcpy(in + 8, data.constData(), size_t(data.size()));
        QCOMPARE(HidReport::firmwareText(in), text);
    }
};

QTEST_GUILESS_MAIN(tst_hidreport)
#include "tst_hidreport.moc"
