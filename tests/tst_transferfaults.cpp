#include "DeviceTestKit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kit;

namespace {

enum class Fault { Unplug, FailureStatus };

int sentWriteBlocks()
{
    int count = 0;
    for (const auto &out : unit().receivedReports())
        count += out[2] == 0x0D ? 1 : 0;
    return count;
}

QStringList statusTexts(const QSignalSpy &spy)
{
    QStringList list;
    for (const QList<QVariant> &args : spy)
        list << args.first().toString();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

// Every transfer of both image sizes broken at every block, by the unit going
// away or refusing a block: the link ends where it should, shows nothing of
// the transfer any more, leaves the image alone, and the next transfer is
// exact. Unplugging a 1760-byte transfer at every report is tst_devicelink's.
class tst_transferfaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void brokenTransfer_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("at");

        // Unplugged right after report n: the date and time is an upload's
        // report 1, block n its report n + 1.
        for (int n = 1; n <= 53; ++n)
            QTest::addRow("1232 upload, unplugged after report %d", n)
                << true << "1.4" << Fault::Unplug << n;
        for (int n = 1; n <= 52; ++n)
            QTest::addRow("1232 download, unplugged after request %d", n)
                << false << "1.4" << Fault::Unplug << n;
        // Status 0xFF answering write block n.
        for (int n = 1; n <= 74; ++n)
            QTest::addRow("1760 upload, block %d refused", n)
                << true << "1.6" << Fault::FailureStatus << n;
        for (int n = 1; n <= 52; ++n)
            QTest::addRow("1232 upload, block %d refused", n)
                << true << "1.4" << Fault::FailureStatus << n;
    }
    void brokenTransfer()
    {
        QFETCH(bool, upload);
        QFETCH(QString, firmware);
        QFETCH(Fault, fault);
        QFETCH(int, at);
        const int size = firmware == "1.4" ? 1232 : 1760;
        const int blocks = (size + 23) / 24;
        unit().setFirmwareVersion(firmware.toStdString());
        unit().setEeprom(pattern(61));
        const std::vector<std::uint8_t> factory = unit().eeprom();
        PresetImage image;
        fillImage(image, 62);
        const QVector<int> before = image.image();

        commsWidget panel;
        QVERIFY(connectUnit(panel));
        unit().clearLog();
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        QSignalSpy redraw(&panel, &commsWidget::redrawData);
        if (fault == Fault::Unplug)
            unit().setUnplugAfterReports(at);
        else
            unit().setFailWriteBlock(at);

        if (upload)
            panel.startUpload(&image);
        else
            panel.startDownload(&image);
        QVERIFY(dialogShown(panel));
        QVERIFY(finishTransfer(panel) > 0);
        tick(panel, 3);

        QCOMPARE(panel.link()->currentTransferState(), 0);
        QVERIFY(!dialogShown(panel));
        QCOMPARE(image.image(), before);
        QCOMPARE(redraw.count(), 0);
        QVERIFY(!statusTexts(status).contains("Upload Complete"));
        QVERIFY(!statusTexts(status).contains("Download Complete"));
        const auto *uploadButton = panel.findChild<QPushButton *>("uploadButton");
        if (fault == Fault::Unplug) {
            QVERIFY(!panel.link()->isOnline());
            QCOMPARE(statusTexts(status).last(), QString("RSX-4 Offline"));
            QCOMPARE(panel.findChild<QLineEdit *>("unitNameEdit")->text(),
                     QString("<Not Connected>"));
            QVERIFY(!uploadButton->isEnabled());
            // Only the last block, taken before the unit went, completes the unit's copy.
            QCOMPARE(unit().completedUploads(), upload && at == blocks + 1 ? 1 : 0);
            unit().setPlugged(true);
            QVERIFY(connectUnit(panel));
        } else {
            // The refused block is the last one sent; the link stays up.
            QVERIFY(panel.link()->isOnline());
            QCOMPARE(sentWriteBlocks(), at);
            QCOMPARE(unit().completedUploads(), 0);
            QVERIFY(uploadButton->isEnabled());
            unit().setFailWriteBlock(0);
        }

        // The next transfer starts from the beginning and is exact.
        unit().clearLog();
        if (upload) {
            fillImage(image, 63);
            panel.startUpload(&image);
            QVERIFY(finishTransfer(panel) > 0);
            QCOMPARE(unit().completedUploads(), 1);
            QCOMPARE(toInts(unit().eeprom(), size), image.image().mid(0, size));
            QCOMPARE(toInts(unit().eeprom(), 1760).mid(size), toInts(factory, 1760).mid(size));
            QCOMPARE(sentWriteBlocks(), blocks);
        } else {
            panel.startDownload(&image);
            QVERIFY(finishTransfer(panel) > 0);
            QCOMPARE(image.image().mid(0, size), toInts(unit().eeprom(), size));
            QCOMPARE(image.image().mid(size), before.mid(size));
            QCOMPARE(redraw.count(), 1);
        }
        QVERIFY(!dialogShown(panel));
        QCOMPARE(panel.link()->currentTransferState(), 0);
    }
};

QTEST_MAIN(tst_transferfaults)
#include "tst_transferfaults.moc"
