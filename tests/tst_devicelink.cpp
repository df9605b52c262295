#include "DeviceTestKit.h"
#include "ModalAnswerer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kit;

namespace {

using Bytes = QVector<int>;

QList<VirtualUnit::OutputReport> reportsWithCommand(int command)
{
    QList<VirtualUnit::OutputReport> list;
    for (const auto &out : unit().receivedReports()) {
        if (out[2] == command)
            list << out;
    }
    return list;
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList list;
    for (const QList<QVariant> &args : spy)
        list << args.first().toString();
    return list;
}

VirtualUnit::Report report(const Bytes &bytes)
{
    VirtualUnit::Report r{};
    for (int n = 0; n < bytes.size() && n < VirtualUnit::ReportSize; ++n)
        r[n] = static_cast<std::uint8_t>(bytes.at(n));
    return r;
}

// The write block the unit must receive for `image` at `address`.
Bytes expectedWriteBlock(const QVector<int> &image, int phase, int total, int address, int count)
{
    Bytes bytes(VirtualUnit::ReportSize, 0);
    const Bytes header{count,      0x0D,         phase,        1,
                       total >> 8, total & 0xFF, address >> 8, address & 0xFF};
    std::copy(header.begin(), header.end(), bytes.begin());
    for (int i = 0; i < count; ++i)
        bytes[8 + i] = image.at(address + i) & 0xFF;
    return bytes;
}

} // namespace

// The protocol and both transfers, driven through the panel against the
// virtual unit.
class tst_devicelink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void firmwareExchange_data()
    {
        QTest::addColumn<QString>("string1");
        QTest::addColumn<QString>("cpld");
        QTest::addColumn<double>("version");
        QTest::addColumn<int>("imageVersion");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("cpldVersion");
        QTest::newRow("1.4") << "RSX-4 v1.4 (virtual)"
                             << "190117" << 1.4 << 1 << 8 << 2.0;
        QTest::newRow("1.5") << "RSX-4 v1.5 (virtual)"
                             << "190117" << 1.5 << 2 << 10 << 2.0;
        QTest::newRow("1.6") << "RSX-4 v1.6 (virtual)"
                             << "190117" << 1.6 << 2 << 10 << 2.0;
        QTest::newRow("no number") << "RSX-4 unit"
                                   << "190117" << 0.0 << 1 << 8 << 2.0;
        QTest::newRow("short") << "RSX"
                               << "190117" << 0.0 << 1 << 8 << 2.0;
        QTest::newRow("CPLD 190116") << "RSX-4 v1.6 (virtual)"
                                     << "190116" << 1.6 << 2 << 10 << 1.0;
        QTest::newRow("CPLD 999999") << "RSX-4 v1.6 (virtual)"
                                     << "999999" << 1.6 << 2 << 10 << 2.0;
        QTest::newRow("CPLD no number") << "RSX-4 v1.4 (virtual)"
                                        << "CPLD-X" << 1.4 << 1 << 8 << 1.0;
    }
    void firmwareExchange()
    {
        QFETCH(QString, string1);
        QFETCH(QString, cpld);
        QFETCH(double, version);
        QFETCH(int, imageVersion);
        QFETCH(int, count);
        QFETCH(double, cpldVersion);
        unit().setFirmwareString(1, string1.toStdString());
        unit().setCpldBuild(cpld.toStdString());

        commsWidget panel;
        const DeviceLink *link = panel.link();
        QCOMPARE(link->firmwareVersion(), 0.0);
        QCOMPARE(link->unitImageVersion(), 1);
        QCOMPARE(link->unitCpldVersion(), 1.0);
        QVERIFY(connectUnit(panel));

        QCOMPARE(link->firmwareVersion(), version);
        QCOMPARE(link->unitImageVersion(), imageVersion);
        QCOMPARE(link->expectedStringCount(), count);
        QCOMPARE(link->unitCpldVersion(), cpldVersion);

        Bytes requested;
        for (const auto &out : reportsWithCommand(0x0E))
            requested << out[3];
        Bytes expected;
        for (int k = 1; k <= count; ++k)
            expected << k;
        QCOMPARE(requested, expected);

        const QStringList defaults = DeviceLink::defaultFirmwareStrings();
        for (int k = 1; k <= 10; ++k) {
            const QString want =
                k <= count ? QString::fromStdString(unit().firmwareString(k)) : defaults.at(k - 1);
            QCOMPARE(link->firmwareStrings().at(k - 1), want);
        }
        QCOMPARE(panel.findChild<QLineEdit *>("unitNameEdit")->text(), string1);
    }

    void firmwareRepliesOutOfTheOrdinary_data()
    {
        QTest::addColumn<Bytes>("reply");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("requests");
        const Bytes name{0x0E, 0, 0, 0, 0, 0, 0, 'N', 'A', 'M', 'E', 'S'};
        QTest::newRow("length above 56")
            << (Bytes{200, 0x0E, 2, 0, 0, 0, 0, 0} + Bytes(56, 'x')) << 2 << QString(56, 'x') << 1;
        QTest::newRow("zero byte ends it")
            << Bytes{5, 0x0E, 3, 0, 0, 0, 0, 0, 'a', 'b', 0, 'c', 'd'} << 3 << "ab" << 1;
        QTest::newRow("numbered 0") << (Bytes{5} + name) << 0 << "" << 0;
        QTest::newRow("numbered above the count")
            << Bytes{1, 0x0E, 11, 0, 0, 0, 0, 0, 'z'} << 0 << "" << 0;
        QTest::newRow("last string")
            << Bytes{2, 0x0E, 10, 0, 0, 0, 0, 0, 'o', 'k'} << 10 << "ok" << 0;
    }
    void firmwareRepliesOutOfTheOrdinary()
    {
        QFETCH(Bytes, reply);
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(int, requests);
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        const QStringList before = panel.link()->firmwareStrings();
        unit().setAnswerFirmwareRequests(false);
        unit().clearLog();

        unit().queueReport(report(reply));
        tick(panel);

        QStringList after = before;
        if (number > 0)
            after[number - 1] = text;
        QCOMPARE(panel.link()->firmwareStrings(), after);
        QCOMPARE(reportsWithCommand(0x0E).size(), requests);
        QCOMPARE(panel.link()->expectedStringCount(), 10);
    }

    void emptyStringOneStopsTheRepeat()
    {
        unit().setAnswerFirmwareRequests(false);
        commsWidget panel;
        tick(panel, 5);
        // Asked again on every tick while it has not come.
        QCOMPARE(reportsWithCommand(0x0E).size(), 5);
        QCOMPARE(panel.link()->firmwareStrings().first(), QString("unknown"));
        QVERIFY(panel.findChild<QPushButton *>("uploadButton")->isEnabled());
        QVERIFY(panel.findChild<QPushButton *>("downloadButton")->isEnabled());

        unit().queueReport(report({0, 0x0E, 1}));
        unit().clearLog();
        tick(panel, 3);
        QCOMPARE(panel.link()->firmwareStrings().first(), QString());
        QCOMPARE(panel.link()->firmwareVersion(), 0.0);
        // String 2 is asked for once, and string 1 no more.
        QCOMPARE(reportsWithCommand(0x0E).size(), 1);
        QCOMPARE(int(reportsWithCommand(0x0E).first()[3]), 2);
    }

    void blockBytes_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("blocks");
        QTest::newRow("upload 1760") << true << "1.6" << 1760 << 74;
        QTest::newRow("upload 1232") << true << "1.4" << 1232 << 52;
        QTest::newRow("download 1760") << false << "1.6" << 1760 << 74;
        QTest::newRow("download 1232") << false << "1.4" << 1232 << 52;
    }
    // First, middle and last report of each transfer, byte for byte.
    void blockBytes()
    {
        QFETCH(bool, upload);
        QFETCH(QString, firmware);
        QFETCH(int, total);
        QFETCH(int, blocks);
        unit().setFirmwareVersion(firmware.toStdString());
        PresetImage image;
        fillImage(image, 3);
        // Values wider than a byte go out as their low eight bits.
        image.setImageByte(5, 0x1FE);
        const QVector<int> bytes = image.image();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        unit().clearLog();
        if (upload)
            panel.startUpload(&image);
        else
            panel.startDownload(&image);
        QVERIFY(finishTransfer(panel) > 0);

        const auto sent = reportsWithCommand(upload ? 0x0D : 0x0C);
        QCOMPARE(sent.size(), blocks);
        const int middle = blocks / 2;
        if (upload) {
            QCOMPARE(reportBytes(sent.first()), expectedWriteBlock(bytes, 1, total, 0, 24));
            QCOMPARE(reportBytes(sent.at(middle)),
                     expectedWriteBlock(bytes, 2, total, middle * 24, 24));
            QCOMPARE(reportBytes(sent.last()), expectedWriteBlock(bytes, 3, total, total - 8, 8));
            QCOMPARE(int(sent.first()[1 + 8 + 5]), 0xFE);
        } else {
            auto expected = [](int phase, int count, int address) {
                Bytes report(VirtualUnit::ReportSize, 0);
                const Bytes header{0, 0x0C, phase, 0, count, 0, address >> 8, address & 0xFF};
                std::copy(header.begin(), header.end(), report.begin());
                return report;
            };
            QCOMPARE(reportBytes(sent.first()), expected(0x80, 24, 0));
            QCOMPARE(reportBytes(sent.at(1)), expected(0x81, 24, 24));
            QCOMPARE(reportBytes(sent.at(middle)), expected(0x81, 24, middle * 24));
            QCOMPARE(reportBytes(sent.last()), expected(0x82, 8, total - 8));
        }
    }

    void dateTimeBytes()
    {
        PresetImage image;
        fillImage(image, 9);
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        // A download first, so that byte 7 and the bytes after the values hold
        // something a date and time report must leave alone.
        panel.startDownload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        fillImage(image, 9);
        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        unit().clearLog();

        const QDateTime before = QDateTime::currentDateTime();
        panel.startUpload(&image);
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(finishTransfer(panel) > 0);

        const auto dates = reportsWithCommand(0x0B);
        QCOMPARE(dates.size(), 1);
        const Bytes bytes = reportBytes(dates.first());
        QCOMPARE(bytes.mid(0, 7), (Bytes{7, 0x0B, 0x64, 0, 0, 0, 0}));
        // Left by the last block of the previous upload: its address and data.
        QCOMPARE(bytes.at(7), 1752 & 0xFF);
        QCOMPARE(bytes.at(15), image.imageByte(1759));
        QCOMPARE(bytes.mid(16), Bytes(48, 0));

        auto values = [](const QDateTime &t) {
            return Bytes{t.date().day(),       t.date().month(), t.date().year() % 100,
                         t.date().dayOfWeek(), t.time().hour(),  t.time().minute(),
                         t.time().second()};
        };
        const Bytes sent = bytes.mid(8, 7);
        QVERIFY2(sent == values(before) || sent == values(after),
                 qPrintable(QString("%1").arg(sent.at(6))));
    }

    void upload_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("dateStatus");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<int>("latency");
        QTest::addColumn<int>("noise");
        QTest::newRow("1.6") << "1.6" << 0x00 << true << 0 << 0;
        QTest::newRow("1.6, date reply accepted") << "1.6" << 0x80 << true << 0 << 0;
        QTest::newRow("1.6, no date") << "1.6" << 0x00 << false << 0 << 0;
        QTest::newRow("1.6, slow unit") << "1.6" << 0x00 << true << 3 << 0;
        QTest::newRow("1.6, noise") << "1.6" << 0x00 << true << 0 << 1;
        QTest::newRow("1.4") << "1.4" << 0x00 << true << 0 << 0;
        QTest::newRow("1.4, slow unit, noise") << "1.4" << 0x80 << true << 2 << 3;
    }
    void upload()
    {
        QFETCH(QString, firmware);
        QFETCH(int, dateStatus);
        QFETCH(bool, sync);
        QFETCH(int, latency);
        QFETCH(int, noise);
        unit().setFirmwareVersion(firmware.toStdString());
        unit().setDateTimeStatus(dateStatus);
        const std::vector<std::uint8_t> factory = unit().eeprom();
        PresetImage image;
        fillImage(image, 5);

        commsWidget panel;
        panel.syncDateTimeOption()->setChecked(sync);
        QVERIFY(connectUnit(panel));
        unit().setReplyLatency(latency);
        unit().setRandomReports(noise, 42);
        unit().clearLog();
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);

        panel.startUpload(&image);
        QVERIFY(dialogShown(panel));
        QCOMPARE(panel.transferDialog()->windowTitle(), QString("Transfer Operation"));
        QCOMPARE(panel.transferDialog()->windowModality(), Qt::WindowModal);
        QVERIFY(panel.transferDialog()->windowFlags() & Qt::Tool);
        QVERIFY(!panel.findChild<QPushButton *>("uploadButton")->isEnabled());
        if (sync && dateStatus == 0x80) {
            // The accepted date and time reply sends the first two blocks at once.
            tick(panel, latency + 1);
            QCOMPARE(reportsWithCommand(0x0D).size(), 2);
        }
        QVERIFY(finishTransfer(panel) > 0);
        tick(panel, 10);

        const int size = firmware == "1.4" ? 1232 : 1760;
        QCOMPARE(toInts(unit().eeprom(), size), image.image().mid(0, size));
        QCOMPARE(toInts(unit().eeprom(), 1760).mid(size), toInts(factory, 1760).mid(size));
        QCOMPARE(unit().completedUploads(), 1);
        QCOMPARE(reportsWithCommand(0x0B).size(), sync ? 1 : 0);
        QCOMPARE(texts(status), QStringList({"Sending Preset to RSX-4...", "Upload Complete"}));
        QVERIFY(!dialogShown(panel));
        QCOMPARE(panel.link()->currentTransferState(), 0);
        QVERIFY(panel.findChild<QPushButton *>("uploadButton")->isEnabled());
    }

    void download_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("latency");
        QTest::addColumn<int>("noise");
        QTest::newRow("1.6") << "1.6" << 0 << 0;
        QTest::newRow("1.6, slow unit") << "1.6" << 4 << 0;
        QTest::newRow("1.6, noise") << "1.6" << 0 << 1;
        QTest::newRow("1.4") << "1.4" << 0 << 0;
        QTest::newRow("1.4, slow unit, noise") << "1.4" << 1 << 2;
    }
    void download()
    {
        QFETCH(QString, firmware);
        QFETCH(int, latency);
        QFETCH(int, noise);
        unit().setFirmwareVersion(firmware.toStdString());
        unit().setEeprom(pattern(11));
        PresetImage image;
        fillImage(image, 12);
        const QVector<int> before = image.image();

        commsWidget panel;
        QVERIFY(connectUnit(panel));
        unit().setReplyLatency(latency);
        unit().setRandomReports(noise, 7);
        QStringList events;
        connect(&panel, &commsWidget::commsStatusChange, this,
                [&events](const QString &text) { events << text; });
        connect(&panel, &commsWidget::redrawData, this, [&] {
            // The model already holds the new preset when the views are asked to reload.
            events << QString("redraw %1").arg(image.value(PresetImage::PresetName, 0));
        });

        panel.startDownload(&image);
        QVERIFY(dialogShown(panel));
        QVERIFY(finishTransfer(panel) > 0);

        const int size = firmware == "1.4" ? 1232 : 1760;
        QCOMPARE(image.image().mid(0, size), toInts(unit().eeprom(), size));
        QCOMPARE(image.image().mid(size), before.mid(size));
        QCOMPARE(events,
                 QStringList({"Receiving Preset from RSX-4...",
                              QString("redraw %1").arg(unit().eeprom()[32]), "Download Complete"}));
        QVERIFY(!dialogShown(panel));
        QCOMPARE(panel.link()->currentTransferState(), 0);
    }

    void refusedForNewerFirmware_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<QString>("title");
        QTest::newRow("upload 2.0") << "2.0" << true << "Send Preset";
        QTest::newRow("download 2.0") << "2.0" << false << "Receive Preset";
        QTest::newRow("upload 3.1") << "3.1" << true << "Send Preset";
        QTest::newRow("download 2.5") << "2.5" << false << "Receive Preset";
    }
    void refusedForNewerFirmware()
    {
        QFETCH(QString, firmware);
        QFETCH(bool, upload);
        QFETCH(QString, title);
        unit().setFirmwareVersion(firmware.toStdString());
        PresetImage image;
        const QVector<int> before = image.image();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        unit().clearLog();
        ModalAnswerer answerer;
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);

        if (upload)
            panel.startUpload(&image);
        else
            panel.startDownload(&image);
        tick(panel, 5);

        QCOMPARE(answerer.titles(), QStringList({title}));
        QCOMPARE(answerer.texts(), QStringList({DeviceLink::FirmwareTooNewText}));
        QVERIFY(unit().receivedReports().empty());
        QCOMPARE(status.count(), 0);
        QVERIFY(!dialogShown(panel));
        QVERIFY(!panel.link()->isBusy());
        QCOMPARE(image.image(), before);
    }

    void midiRemoteControlWarning_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("cpld");
        QTest::addColumn<bool>("warns");
        QTest::newRow("disabled, channel 1") << 0x00 << "190116" << false;
        QTest::newRow("disabled, channel 6") << 0x05 << "190116" << false;
        QTest::newRow("input 1, channel 1") << 0x10 << "190116" << true;
        QTest::newRow("expansion, channel 16") << 0x3F << "190116" << true;
        QTest::newRow("input 2, newer CPLD") << 0x20 << "190117" << false;
    }
    void midiRemoteControlWarning()
    {
        QFETCH(int, control);
        QFETCH(QString, cpld);
        QFETCH(bool, warns);
        unit().setCpldBuild(cpld.toStdString());
        PresetImage image;
        image.setValue(PresetImage::ConfigBlock, 3, control);
        image.buildImage();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        unit().clearLog();

        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) > 0);

        QCOMPARE(answerer.titles(), warns ? QStringList({"Send Preset"}) : QStringList());
        if (warns)
            QCOMPARE(answerer.texts(), QStringList({DeviceLink::MidiRemoteControlText}));
        // The upload goes on after the warning.
        QCOMPARE(unit().completedUploads(), 1);
        QCOMPARE(toInts(unit().eeprom(), 1760), image.image());
    }

    void unplugDuringUpload_data()
    {
        QTest::addColumn<int>("dateStatus");
        QTest::addColumn<int>("reports");
        // Plugged out after the date and time (1 report) or after block n (n + 1 reports).
        for (int reports = 1; reports <= 75; ++reports)
            QTest::newRow(qPrintable(QString("after report %1").arg(reports))) << 0x00 << reports;
        for (int reports : {1, 2, 3, 40, 74, 75})
            QTest::newRow(qPrintable(QString("two at once, after report %1").arg(reports)))
                << 0x80 << reports;
    }
    void unplugDuringUpload()
    {
        QFETCH(int, dateStatus);
        QFETCH(int, reports);
        unit().setDateTimeStatus(dateStatus);
        PresetImage image;
        fillImage(image, 21);
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        unit().setUnplugAfterReports(reports);

        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) >= 0);

        QVERIFY(!panel.link()->isOnline());
        QCOMPARE(panel.link()->currentTransferState(), 0);
        QVERIFY(!dialogShown(panel));
        QCOMPARE(panel.findChild<QLineEdit *>("unitNameEdit")->text(), QString("<Not Connected>"));
        QCOMPARE(texts(status).last(), QString("RSX-4 Offline"));
        QVERIFY(!texts(status).contains("Upload Complete"));
        // After the last block the unit holds the preset, but never said so.
        QCOMPARE(unit().completedUploads(), reports == 75 ? 1 : 0);
        unit().clearLog();

        // Plugged in again, the next upload starts from the beginning.
        unit().setPlugged(true);
        QVERIFY(connectUnit(panel));
        fillImage(image, 22);
        unit().clearLog();
        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(unit().completedUploads(), 1);
        QCOMPARE(toInts(unit().eeprom(), 1760), image.image());
    }

    void unplugDuringDownload_data()
    {
        QTest::addColumn<int>("reports");
        for (int reports = 1; reports <= 74; ++reports)
            QTest::newRow(qPrintable(QString("after request %1").arg(reports))) << reports;
    }
    void unplugDuringDownload()
    {
        QFETCH(int, reports);
        unit().setEeprom(pattern(31));
        PresetImage image;
        fillImage(image, 32);
        const QVector<int> before = image.image();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        QSignalSpy redraw(&panel, &commsWidget::redrawData);
        unit().setUnplugAfterReports(reports);

        panel.startDownload(&image);
        QVERIFY(finishTransfer(panel) >= 0);

        QVERIFY(!panel.link()->isOnline());
        QCOMPARE(panel.link()->currentTransferState(), 0);
        QVERIFY(!dialogShown(panel));
        QCOMPARE(panel.findChild<QLineEdit *>("unitNameEdit")->text(), QString("<Not Connected>"));
        QCOMPARE(texts(status).last(), QString("RSX-4 Offline"));
        QCOMPARE(image.image(), before);
        QCOMPARE(redraw.count(), 0);

        unit().setPlugged(true);
        QVERIFY(connectUnit(panel));
        panel.startDownload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(image.image(), toInts(unit().eeprom(), 1760));
        QCOMPARE(redraw.count(), 1);
    }

    void versionsSurviveAReconnect()
    {
        unit().setFirmwareVersion("1.4");
        unit().setCpldBuild("190116");
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        unit().setPlugged(false);
        tick(panel);
        QVERIFY(!panel.link()->isOnline());
        QCOMPARE(panel.link()->firmwareStrings(), DeviceLink::defaultFirmwareStrings());
        QCOMPARE(panel.link()->expectedStringCount(), 1);
        QCOMPARE(panel.link()->firmwareVersion(), 1.4);

        unit().setAnswerFirmwareRequests(false);
        unit().setPlugged(true);
        tick(panel, 3);
        QVERIFY(panel.link()->isOnline());
        QCOMPARE(panel.link()->firmwareVersion(), 1.4);
        QCOMPARE(panel.link()->unitCpldVersion(), 1.0);
    }

    void failureStatus_data()
    {
        QTest::addColumn<int>("dateStatus");
        QTest::addColumn<int>("block");
        QTest::addColumn<bool>("reportedComplete");
        QTest::newRow("block 1") << 0x00 << 1 << false;
        QTest::newRow("block 2") << 0x00 << 2 << false;
        QTest::newRow("block 37") << 0x00 << 37 << false;
        QTest::newRow("last block") << 0x00 << 74 << false;
        QTest::newRow("two at once, block 1") << 0x80 << 1 << false;
        QTest::newRow("two at once, block 73") << 0x80 << 73 << false;
        // Ahead by one block, the upload counts as done at the reply before the last.
        QTest::newRow("two at once, last block") << 0x80 << 74 << true;
    }
    void failureStatus()
    {
        QFETCH(int, dateStatus);
        QFETCH(int, block);
        QFETCH(bool, reportedComplete);
        unit().setDateTimeStatus(dateStatus);
        unit().setFailWriteBlock(block);
        PresetImage image;
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        unit().clearLog();

        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        const int sent = reportsWithCommand(0x0D).size();
        tick(panel, 10);

        QVERIFY(panel.link()->isOnline());
        QVERIFY(!dialogShown(panel));
        QCOMPARE(texts(status).contains("Upload Complete"), reportedComplete);
        QCOMPARE(unit().completedUploads(), 0);
        // Nothing more is sent after the failure.
        QCOMPARE(reportsWithCommand(0x0D).size(), sent);
        QVERIFY(sent <= std::min(block + 2, 74));

        // The link stays up and the next upload goes through.
        unit().setFailWriteBlock(0);
        panel.startUpload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(unit().completedUploads(), 1);
    }

    void badBlockReplies_data()
    {
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("reply");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("completes");
        QTest::newRow("count 57") << "1.6" << 1 << 57 << 0 << false;
        QTest::newRow("count 255") << "1.6" << 30 << 255 << 696 << false;
        QTest::newRow("past the end") << "1.6" << 10 << 24 << 1750 << false;
        QTest::newRow("far past the end") << "1.6" << 10 << 24 << 0xFFF0 << false;
        QTest::newRow("last, count 57") << "1.6" << 74 << 57 << 1752 << false;
        QTest::newRow("last, one byte past") << "1.6" << 74 << 9 << 1752 << false;
        QTest::newRow("short image, past 1232") << "1.4" << 52 << 9 << 1224 << false;
        QTest::newRow("short image, last exact") << "1.4" << 52 << 8 << 1224 << true;
        QTest::newRow("56 bytes at the end") << "1.6" << 74 << 56 << 1704 << true;
    }
    void badBlockReplies()
    {
        QFETCH(QString, firmware);
        QFETCH(int, reply);
        QFETCH(int, count);
        QFETCH(int, address);
        QFETCH(bool, completes);
        unit().setFirmwareVersion(firmware.toStdString());
        unit().setEeprom(pattern(41));
        PresetImage image;
        fillImage(image, 42);
        const QVector<int> before = image.image();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        int replies = 0;
        unit().setReplyFilter([&](VirtualUnit::Report &r) {
            if (r[1] == 0x0C && ++replies == reply) {
                r[0] = static_cast<std::uint8_t>(count);
                r[6] = static_cast<std::uint8_t>(address >> 8);
                r[7] = static_cast<std::uint8_t>(address & 0xFF);
            }
            return true;
        });
        QSignalSpy redraw(&panel, &commsWidget::redrawData);
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);

        panel.startDownload(&image);
        QVERIFY(finishTransfer(panel) > 0);
        tick(panel, 3);

        QVERIFY(!dialogShown(panel));
        QVERIFY(panel.link()->isOnline());
        QCOMPARE(redraw.count(), completes ? 1 : 0);
        QCOMPARE(texts(status).contains("Download Complete"), completes);
        if (!completes)
            QCOMPARE(image.image(), before);
    }

    void repliesWhileIdle_data()
    {
        QTest::addColumn<Bytes>("reply");
        QTest::newRow("date and time accepted") << Bytes{0, 0x0B, 0x80};
        QTest::newRow("block accepted") << Bytes{0, 0x0D, 0x80, 0, 0, 0, 0, 0};
        QTest::newRow("block failed") << Bytes{0, 0x0C, 0xFF};
        QTest::newRow("block data") << (Bytes{24, 0x0C, 0x80, 0, 0, 0, 0, 0} + Bytes(24, 0x55));
        QTest::newRow("unknown command") << Bytes{3, 0x42, 0x80, 0, 0, 0, 0, 0, 1, 2, 3};
    }
    void repliesWhileIdle()
    {
        QFETCH(Bytes, reply);
        PresetImage image;
        const QVector<int> before = image.image();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        unit().clearLog();

        unit().queueReport(report(reply));
        tick(panel, 3);

        QVERIFY(unit().receivedReports().empty());
        QVERIFY(!panel.link()->isBusy());
        QVERIFY(!dialogShown(panel));
        QCOMPARE(status.count(), 0);
        QCOMPARE(image.image(), before);
    }

    void cancelDoesNotStopATransfer()
    {
        unit().setEeprom(pattern(51));
        PresetImage image;
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        panel.startDownload(&image);
        tick(panel, 10);
        panel.transferDialog()->cancel();
        QVERIFY(!dialogShown(panel));
        QVERIFY(panel.link()->isBusy());

        // No second transfer while this one runs.
        QVERIFY(!panel.findChild<QPushButton *>("uploadButton")->isEnabled());
        QVERIFY(!panel.findChild<QPushButton *>("downloadButton")->isEnabled());
        unit().clearLog();
        panel.startUpload(&image);
        panel.startDownload(&image);
        QVERIFY(unit().receivedReports().empty());

        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(image.image(), toInts(unit().eeprom(), 1760));
        QCOMPARE(texts(status).last(), QString("Download Complete"));
        QVERIFY(panel.findChild<QPushButton *>("uploadButton")->isEnabled());
    }

    void unpluggedWhileTheWarningIsUp()
    {
        unit().setCpldBuild("190116");
        PresetImage image;
        image.setValue(PresetImage::ConfigBlock, 3, 0x11);
        image.buildImage();
        commsWidget panel;
        QVERIFY(connectUnit(panel));
        ModalAnswerer answerer;
        answerer.setAnswer([&](QWidget *box) {
            unit().setPlugged(false);
            tick(panel);
            ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
        });
        unit().clearLog();
        panel.startUpload(&image);

        QCOMPARE(answerer.titles(), QStringList({"Send Preset"}));
        QVERIFY(!panel.link()->isOnline());
        QVERIFY(!panel.link()->isBusy());
        QVERIFY(!dialogShown(panel));
        QVERIFY(unit().receivedReports().empty());
    }
};

QTEST_MAIN(tst_devicelink)
#include "tst_devicelink.moc"
