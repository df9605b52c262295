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

// A whole report: `header`, then `data`, then zeros.
Bytes padded(const Bytes &header, const Bytes &data = {})
{
    const Bytes bytes = header + data;
    return bytes + Bytes(VirtualUnit::ReportSize - bytes.size(), 0);
}

// Adds one column per type, named in order.
template <typename... T> void columns(std::initializer_list<const char *> names)
{
    auto name = names.begin();
    (QTest::addColumn<T>(*name++), ...);
}

bool buttonEnabled(const commsWidget &panel, const char *name)
{
    return panel.findChild<QPushButton *>(name)->isEnabled();
}

// A panel, the image it transfers, and what it announced.
struct Rig
{
    PresetImage image;
    QVector<int> before;
    commsWidget panel;
    QSignalSpy status{&panel, &commsWidget::commsStatusChange};
    QSignalSpy redraw{&panel, &commsWidget::redrawData};

    // Fills the image from `seed` (0 keeps it) and connects; forgets what that took.
    bool connect(int seed = 0)
    {
        if (seed)
            fillImage(image, seed);
        before = image.image();
        const bool online = connectUnit(panel);
        unit().clearLog();
        status.clear();
        redraw.clear();
        return online;
    }
    void start(bool upload) { upload ? panel.startUpload(&image) : panel.startDownload(&image); }
    bool run(bool upload)
    {
        start(upload);
        return finishTransfer(panel) > 0;
    }
};

// One row of a table: what the unit is set to, and what should come of it.
struct TransferCase
{
    bool upload;
    QString firmware;
    int dateStatus = 0;
    bool sync = true;
    int latency = 0, noise = 0;
    bool cancel = false;
};
struct StartCase
{
    bool upload;
    QString firmware, cpld;
    int control;
    QString title = {}, text = {};
    bool unplug = false;
};
// A transfer interrupted: the unit plugged out after some reports, status
// 0xFF for a write block, or a block reply rewritten to a count and address.
struct FaultCase
{
    bool upload;
    int dateStatus = 0, unplugAfter = 0, failBlock = 0;
    int badReply = 0, count = 0, address = 0;
    bool completes = false;
    QString firmware = "1.6";
};

} // namespace

Q_DECLARE_METATYPE(TransferCase)
Q_DECLARE_METATYPE(StartCase)
Q_DECLARE_METATYPE(FaultCase)

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
        columns<QString, QString, double, int, int, double>(
            {"string1", "cpld", "version", "imageVersion", "count", "cpldVersion"});
        auto row = [](const char *string1, const char *cpld, double version, int image, int count,
                      double cpldVersion) {
            QTest::addRow("%s, CPLD %s", string1, cpld)
                << QString(string1) << QString(cpld) << version << image << count << cpldVersion;
        };
        row("RSX-4 v1.4 (virtual)", "190117", 1.4, 1, 8, 2.0);
        row("RSX-4 v1.5 (virtual)", "190117", 1.5, 2, 10, 2.0);
        row("RSX-4 v1.6 (virtual)", "190117", 1.6, 2, 10, 2.0);
        row("RSX-4 unit", "190117", 0.0, 1, 8, 2.0);
        row("RSX", "190117", 0.0, 1, 8, 2.0);
        row("RSX-4 v1.6 (virtual)", "190116", 1.6, 2, 10, 1.0);
        row("RSX-4 v1.6 (virtual)", "999999", 1.6, 2, 10, 2.0);
        row("RSX-4 v1.4 (virtual)", "CPLD-X", 1.4, 1, 8, 1.0);
    }
    void firmwareExchange()
    {
        QFETCH(QString, string1);
        QFETCH(QString, cpld);
        QFETCH(int, count);
        unit().setFirmwareString(1, string1.toStdString());
        unit().setCpldBuild(cpld.toStdString());
        commsWidget panel;
        const DeviceLink *link = panel.link();
        QCOMPARE(link->firmwareVersion(), 0.0);
        QCOMPARE(link->unitImageVersion(), 1);
        QCOMPARE(link->unitCpldVersion(), 1.0);
        QVERIFY(connectUnit(panel));

        QTEST(link->firmwareVersion(), "version");
        QTEST(link->unitImageVersion(), "imageVersion");
        QCOMPARE(link->expectedStringCount(), count);
        QTEST(link->unitCpldVersion(), "cpldVersion");
        Bytes requested, expected;
        for (const auto &out : reportsWithCommand(0x0E))
            requested << out[3];
        QStringList strings = DeviceLink::defaultFirmwareStrings();
        for (int k = 1; k <= count; ++k) {
            expected << k;
            strings[k - 1] = QString::fromStdString(unit().firmwareString(k));
        }
        QCOMPARE(requested, expected);
        QCOMPARE(link->firmwareStrings(), strings);
        QCOMPARE(panel.findChild<QLineEdit *>("unitNameEdit")->text(), string1);
    }

    // Reports nobody asked for, or out of the ordinary, while the link is idle.
    void unexpectedReplies_data()
    {
        columns<Bytes, int, QString, int>({"reply", "number", "text", "requests"});
        auto row = [](const char *tag, const Bytes &reply, int number = 0, const char *text = "",
                      int requests = 0) {
            QTest::newRow(tag) << reply << number << QString(text) << requests;
        };
        const Bytes head{0, 0, 0, 0, 0};
        QTest::newRow("length above 56")
            << (Bytes{200, 0x0E, 2} + head + Bytes(56, 'x')) << 2 << QString(56, 'x') << 1;
        row("zero byte ends it", Bytes{5, 0x0E, 3} + head + Bytes{'a', 'b', 0, 'c'}, 3, "ab", 1);
        row("numbered 0", Bytes{5, 0x0E, 0} + head + Bytes{'N', 'A', 'M', 'E', 'S'});
        row("numbered above the count", Bytes{1, 0x0E, 11} + head + Bytes{'z'});
        row("last string", Bytes{2, 0x0E, 10} + head + Bytes{'o', 'k'}, 10, "ok");
        row("date and time accepted", {0, 0x0B, 0x80});
        row("block accepted", {0, 0x0D, 0x80});
        row("block failed", {0, 0x0C, 0xFF});
        row("block data", Bytes{24, 0x0C, 0x80} + head + Bytes(24, 0x55));
        row("unknown command", Bytes{3, 0x42, 0x80} + head + Bytes{1, 2, 3});
    }
    void unexpectedReplies()
    {
        QFETCH(Bytes, reply);
        QFETCH(int, number);
        QFETCH(QString, text);
        Rig r;
        QVERIFY(r.connect());
        QStringList strings = r.panel.link()->firmwareStrings();
        unit().setAnswerFirmwareRequests(false);

        unit().queueReport(report(reply));
        tick(r.panel, 3);

        if (number > 0)
            strings[number - 1] = text;
        QCOMPARE(r.panel.link()->firmwareStrings(), strings);
        QTEST(int(unit().receivedReports().size()), "requests");
        QCOMPARE(r.panel.link()->expectedStringCount(), 10);
        QVERIFY(!r.panel.link()->isBusy());
        QVERIFY(!dialogShown(r.panel));
        QCOMPARE(r.status.count(), 0);
    }

    // A unit that stops answering firmware requests across a reconnect.
    void firmwareUnanswered()
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

        unit().setAnswerFirmwareRequests(false);
        unit().setPlugged(true);
        unit().clearLog();
        tick(panel, 5);
        QVERIFY(panel.link()->isOnline());
        // The versions found before stay; string 1 is asked for on every tick.
        QCOMPARE(panel.link()->firmwareVersion(), 1.4);
        QCOMPARE(panel.link()->unitCpldVersion(), 1.0);
        QCOMPARE(reportsWithCommand(0x0E).size(), 5);
        QVERIFY(buttonEnabled(panel, "uploadButton") && buttonEnabled(panel, "downloadButton"));

        // An empty string 1 stops the repeat: string 2 is asked for once.
        unit().queueReport(report({0, 0x0E, 1}));
        unit().clearLog();
        tick(panel, 3);
        QCOMPARE(panel.link()->firmwareStrings().first(), QString());
        QCOMPARE(reportsWithCommand(0x0E).size(), 1);
        QCOMPARE(int(reportsWithCommand(0x0E).first()[3]), 2);
    }

    void transfer_data()
    {
        QTest::addColumn<TransferCase>("c");
        QTest::newRow("upload 1.6") << TransferCase{true, "1.6"};
        QTest::newRow("upload 1.6, date reply accepted") << TransferCase{true, "1.6", 0x80};
        QTest::newRow("upload 1.6, no date") << TransferCase{true, "1.6", 0, false};
        QTest::newRow("upload 1.6, slow unit") << TransferCase{true, "1.6", 0, true, 3};
        QTest::newRow("upload 1.4") << TransferCase{true, "1.4"};
        QTest::newRow("upload 1.4, slow unit, noise")
            << TransferCase{true, "1.4", 0x80, true, 2, 3};
        QTest::newRow("download 1.6") << TransferCase{false, "1.6"};
        QTest::newRow("download 1.6, slow unit") << TransferCase{false, "1.6", 0, true, 4};
        QTest::newRow("download 1.4") << TransferCase{false, "1.4"};
        QTest::newRow("download 1.4, slow unit, noise")
            << TransferCase{false, "1.4", 0, true, 1, 2};
    }
    // End to end: the unit's EEPROM and the image agree over the transfer size
    // and nothing past it changes; the first, second, middle and last block
    // and the date and time go out byte for byte.
    void transfer()
    {
        QFETCH(TransferCase, c);
        unit().setFirmwareVersion(c.firmware.toStdString());
        unit().setDateTimeStatus(c.dateStatus);
        unit().setEeprom(pattern(11));
        const QVector<int> unitBefore = toInts(unit().eeprom(), 1760);
        Rig r;
        r.panel.syncDateTimeOption()->setChecked(c.sync);
        fillImage(r.image, 12);
        // Values wider than a byte go out as their low eight bits.
        r.image.setImageByte(5, 0x1FE);
        QVERIFY(r.connect());
        // The same transfer first, so that the bytes a date and time report
        // does not define hold something it must leave alone.
        QVERIFY(r.run(c.upload) && connectUnit(r.panel));
        unit().clearLog();
        unit().setReplyLatency(c.latency);
        unit().setRandomReports(c.noise, 42);
        QStringList events;
        connect(&r.panel, &commsWidget::commsStatusChange, this,
                [&events](const QString &text) { events << text; });
        connect(&r.panel, &commsWidget::redrawData, this, [&] {
            // The model already holds the new preset when the views are asked to reload.
            events << QString("redraw %1").arg(r.image.value(PresetImage::PresetName, 0));
        });

        const QDateTime started = QDateTime::currentDateTime();
        r.start(c.upload);
        const QDateTime startedBy = QDateTime::currentDateTime();
        QVERIFY(dialogShown(r.panel));
        QCOMPARE(r.panel.transferDialog()->windowTitle(), QString("Transfer Operation"));
        QCOMPARE(r.panel.transferDialog()->windowModality(), Qt::WindowModal);
        QVERIFY(r.panel.transferDialog()->windowFlags() & Qt::Tool);
        QVERIFY(!buttonEnabled(r.panel, "uploadButton") &&
                !buttonEnabled(r.panel, "downloadButton"));
        if (c.cancel) {
            // Cancel hides the dialog and nothing more; no second transfer starts meanwhile.
            tick(r.panel, 10);
            r.panel.transferDialog()->cancel();
            QVERIFY(!dialogShown(r.panel));
            QVERIFY(r.panel.link()->isBusy());
            const auto sent = unit().receivedReports().size();
            r.start(true);
            r.start(false);
            QCOMPARE(unit().receivedReports().size(), sent);
        }
        if (c.upload && c.sync && c.dateStatus == 0x80) {
            // The accepted date and time reply sends the first two blocks at once.
            tick(r.panel, c.latency + 1);
            QCOMPARE(reportsWithCommand(0x0D).size(), 2);
        }
        QVERIFY(finishTransfer(r.panel) > 0);
        tick(r.panel, 10);

        const int size = c.firmware == "1.4" ? 1232 : 1760, blocks = (size + 23) / 24;
        QVector<int> sentImage = r.before;
        sentImage[5] &= 0xFF;
        const QVector<int> eeprom = toInts(unit().eeprom(), 1760);
        QCOMPARE(eeprom.mid(0, size),
                 c.upload ? sentImage.mid(0, size) : r.image.image().mid(0, size));
        QCOMPARE(eeprom.mid(size), unitBefore.mid(size));
        QCOMPARE(r.image.image().mid(size), r.before.mid(size));
        const auto sent = reportsWithCommand(c.upload ? 0x0D : 0x0C);
        QCOMPARE(sent.size(), blocks);
        for (int i : {0, 1, blocks / 2, blocks - 1}) {
            const int address = i * 24, count = std::min(24, size - address);
            const int phase = i == 0 ? 1 : i == blocks - 1 ? 3 : 2;
            const Bytes expected =
                c.upload
                    ? padded({count, 0x0D, phase, 1, size >> 8, size & 0xFF, address >> 8,
                              address & 0xFF},
                             sentImage.mid(address, count))
                    : padded({0, 0x0C, 0x7F + phase, 0, count, 0, address >> 8, address & 0xFF});
            QCOMPARE(reportBytes(sent.at(i)), expected);
        }
        if (c.upload) {
            QCOMPARE(unit().completedUploads(), 1);
            QCOMPARE(events, QStringList({"Sending Preset to RSX-4...", "Upload Complete"}));
        } else {
            QCOMPARE(events, QStringList({"Receiving Preset from RSX-4...",
                                          QString("redraw %1").arg(unit().eeprom()[32]),
                                          "Download Complete"}));
        }
        const auto dates = reportsWithCommand(0x0B);
        QCOMPARE(dates.size(), c.upload && c.sync ? 1 : 0);
        if (!dates.isEmpty()) {
            const Bytes bytes = reportBytes(dates.first());
            QCOMPARE(bytes.mid(0, 7), (Bytes{7, 0x0B, 0x64, 0, 0, 0, 0}));
            // Left by the last block of the previous upload: its address and data.
            QCOMPARE(bytes.at(7), (size - 8) & 0xFF);
            QCOMPARE(bytes.at(15), sentImage.at(size - 1));
            QCOMPARE(bytes.mid(16), Bytes(48, 0));
            auto values = [](const QDateTime &t) {
                return Bytes{t.date().day(),       t.date().month(), t.date().year() % 100,
                             t.date().dayOfWeek(), t.time().hour(),  t.time().minute(),
                             t.time().second()};
            };
            QVERIFY(bytes.mid(8, 7) == values(started) || bytes.mid(8, 7) == values(startedBy));
        }
        QVERIFY(!dialogShown(r.panel));
        QVERIFY(buttonEnabled(r.panel, "uploadButton"));
    }

    // What a transfer's start asks of the user, and whether it goes on.
    void startWarnings_data()
    {
        QTest::addColumn<StartCase>("c");
        const QString old = DeviceLink::FirmwareTooNewText,
                      midi = DeviceLink::MidiRemoteControlText;
        const QString send = "Send Preset";
        QTest::newRow("upload 2.0") << StartCase{true, "2.0", "190117", 0x00, send, old};
        QTest::newRow("download 2.0")
            << StartCase{false, "2.0", "190116", 0x10, "Receive Preset", old};
        QTest::newRow("disabled, channel 1") << StartCase{true, "1.6", "190116", 0x00};
        QTest::newRow("disabled, channel 6") << StartCase{true, "1.6", "190116", 0x05};
        QTest::newRow("input 1, channel 1") << StartCase{true, "1.6", "190116", 0x10, send, midi};
        QTest::newRow("expansion, channel 16")
            << StartCase{true, "1.6", "190116", 0x3F, send, midi};
        QTest::newRow("input 2, newer CPLD") << StartCase{true, "1.6", "190117", 0x20};
        QTest::newRow("download, input 1") << StartCase{false, "1.6", "190116", 0x10};
        QTest::newRow("unplugged while the warning is up")
            << StartCase{true, "1.6", "190116", 0x11, send, midi, true};
    }
    void startWarnings()
    {
        QFETCH(StartCase, c);
        unit().setFirmwareVersion(c.firmware.toStdString());
        unit().setCpldBuild(c.cpld.toStdString());
        unit().setEeprom(pattern(61));
        Rig r;
        r.image.setValue(PresetImage::ConfigBlock, 3, c.control);
        r.image.buildImage();
        QVERIFY(r.connect());
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        if (c.unplug) {
            answerer.setAnswer([&](QWidget *box) {
                unit().setPlugged(false);
                tick(r.panel);
                ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
            });
        }

        r.start(c.upload);
        QVERIFY(finishTransfer(r.panel) >= 0);
        tick(r.panel, 5);

        QCOMPARE(answerer.titles(), c.title.isEmpty() ? QStringList() : QStringList({c.title}));
        QCOMPARE(answerer.texts(), c.text.isEmpty() ? QStringList() : QStringList({c.text}));
        QCOMPARE(r.panel.link()->isOnline(), !c.unplug);
        if (c.unplug || c.text == DeviceLink::FirmwareTooNewText) {
            QVERIFY(unit().receivedReports().empty());
            QCOMPARE(texts(r.status), c.unplug ? QStringList({"RSX-4 Offline"}) : QStringList());
            QCOMPARE(r.image.image(), r.before);
        } else {
            // A warning about remote control does not stop the upload.
            QCOMPARE(unit().completedUploads(), c.upload ? 1 : 0);
            QCOMPARE(toInts(unit().eeprom(), 1760), r.image.image());
        }
        QVERIFY(!dialogShown(r.panel));
    }

    void interruptedTransfer_data()
    {
        QTest::addColumn<FaultCase>("c");
        // An upload is plugged out after the date and time (1 report) or after
        // block n (n + 1 reports); a download after request n. Every write
        // block in turn is refused with 0xFF. Both image sizes.
        for (const QString firmware : {"1.6", "1.4"}) {
            const int blocks = firmware == "1.4" ? 52 : 74;
            const QByteArray size = firmware == "1.4" ? "1232 " : "";
            for (int reports = 1; reports <= blocks + 1; ++reports)
                QTest::addRow("%supload, unplugged after report %d", size.data(), reports)
                    << FaultCase{true, 0, reports, 0, 0, 0, 0, false, firmware};
            for (int reports = 1; reports <= blocks; ++reports)
                QTest::addRow("%sdownload, unplugged after request %d", size.data(), reports)
                    << FaultCase{false, 0, reports, 0, 0, 0, 0, false, firmware};
            for (int block = 1; block <= blocks; ++block)
                QTest::addRow("%supload, 0xFF for block %d", size.data(), block)
                    << FaultCase{true, 0, 0, block, 0, 0, 0, false, firmware};
        }
        for (int reports : {1, 2, 3, 40, 74, 75})
            QTest::addRow("upload two at once, unplugged after report %d", reports)
                << FaultCase{true, 0x80, reports};
        QTest::newRow("two at once, 0xFF for block 1") << FaultCase{true, 0x80, 0, 1};
        QTest::newRow("two at once, 0xFF for block 73") << FaultCase{true, 0x80, 0, 73};
        QTest::newRow("reply count 57") << FaultCase{false, 0, 0, 0, 1, 57, 0};
        QTest::newRow("reply past the end") << FaultCase{false, 0, 0, 0, 10, 24, 1750};
        QTest::newRow("reply far past the end") << FaultCase{false, 0, 0, 0, 10, 24, 0xFFF0};
        QTest::newRow("last reply, one byte past") << FaultCase{false, 0, 0, 0, 74, 9, 1752};
        QTest::newRow("1232, reply past the end")
            << FaultCase{false, 0, 0, 0, 52, 9, 1224, false, "1.4"};
        QTest::newRow("1232, last reply exact")
            << FaultCase{false, 0, 0, 0, 52, 8, 1224, true, "1.4"};
        QTest::newRow("56 bytes, from block before") << FaultCase{false, 0, 0, 0, 2, 56, 0, true};
    }
    void interruptedTransfer()
    {
        QFETCH(FaultCase, c);
        unit().setFirmwareVersion(c.firmware.toStdString());
        unit().setDateTimeStatus(c.dateStatus);
        unit().setEeprom(pattern(31));
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        Rig r;
        QVERIFY(r.connect(32));
        unit().setUnplugAfterReports(c.unplugAfter);
        unit().setFailWriteBlock(c.failBlock);
        int replies = 0;
        unit().setReplyFilter([&](VirtualUnit::Report &in) {
            if (in[1] == 0x0C && ++replies == c.badReply) {
                in[0] = static_cast<std::uint8_t>(c.count);
                in[6] = static_cast<std::uint8_t>(c.address >> 8);
                in[7] = static_cast<std::uint8_t>(c.address & 0xFF);
                // Data that belongs where the reply says, when it fits.
                for (int i = 0; i < c.count && i < 56 && c.address + i < 1760; ++i)
                    in[8 + i] = unit().eeprom()[c.address + i];
            }
            return true;
        });

        r.start(c.upload);
        QVERIFY(finishTransfer(r.panel) >= 0);
        const auto sent = unit().receivedReports().size();
        tick(r.panel, 10);

        const bool unplugged = c.unplugAfter > 0;
        const int size = c.firmware == "1.4" ? 1232 : 1760, blocks = (size + 23) / 24;
        // Nothing more is sent after the fault.
        QCOMPARE(unit().receivedReports().size(), sent);
        if (!unplugged && !c.completes)
            QVERIFY(reportsWithCommand(c.upload ? 0x0D : 0x0C).size() <=
                    c.failBlock + c.badReply + 2);
        // One block at a time, the refused block is the last one sent.
        if (c.failBlock && c.dateStatus == 0)
            QCOMPARE(reportsWithCommand(0x0D).size(), c.failBlock);
        QCOMPARE(r.panel.link()->isOnline(), !unplugged);
        QVERIFY(!dialogShown(r.panel));
        if (unplugged) {
            QCOMPARE(r.panel.findChild<QLineEdit *>("unitNameEdit")->text(),
                     QString("<Not Connected>"));
            QCOMPARE(texts(r.status).last(), QString("RSX-4 Offline"));
        }
        QCOMPARE(texts(r.status).contains(c.upload ? "Upload Complete" : "Download Complete"),
                 c.completes);
        if (c.upload || !c.completes)
            QCOMPARE(r.image.image(), r.before);
        else
            QCOMPARE(r.image.image().mid(0, size), toInts(unit().eeprom(), size));
        QCOMPARE(r.redraw.count(), c.completes && !c.upload ? 1 : 0);
        // After the last block the unit holds the preset, but never said so.
        QCOMPARE(unit().completedUploads(), c.upload && c.unplugAfter == blocks + 1 ? 1 : 0);

        // Plugged in again, the next transfer starts from the beginning and goes through.
        unit().setPlugged(true);
        unit().setFailWriteBlock(0);
        unit().setReplyFilter({});
        QVERIFY(r.connect(33));
        QVERIFY(r.run(c.upload));
        QCOMPARE(toInts(unit().eeprom(), size), r.image.image().mid(0, size));
        QCOMPARE(r.image.image().mid(size), r.before.mid(size));
        QCOMPARE(c.upload ? unit().completedUploads() : r.redraw.count(), 1);
    }
};

QTEST_MAIN(tst_devicelink)
#include "tst_devicelink.moc"
