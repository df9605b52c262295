#include "../fuzz/Invariants.h"
#include "DeviceTestKit.h"
#include "GeneralPage.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "QLedIndicator.h"
#include "WindowDriver.h"
#include "deviceInfoDialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace kit;
using Bytes = QVector<int>;

namespace {

QList<Bytes> sentWith(int command)
{
    QList<Bytes> list;
    for (const auto &out : unit().receivedReports())
        if (out[2] == command)
            list << reportBytes(out);
    return list;
}

void click(QWidget &parent, const char *name)
{
    QTest::mouseClick(parent.findChild<QPushButton *>(name), Qt::LeftButton);
}

// A panel, the image it transfers, and what it announced.
struct Rig
{
    PresetImage image;
    QVector<int> before;
    commsWidget panel;
    QSignalSpy status{&panel, &commsWidget::commsStatusChange};

    bool connect(int seed)
    {
        fillImage(image, seed);
        before = image.image();
        const bool online = connectUnit(panel);
        unit().clearLog();
        status.clear();
        return online;
    }
    bool run(bool upload)
    {
        upload ? panel.startUpload(&image) : panel.startDownload(&image);
        return finishTransfer(panel) > 0;
    }
    QStringList texts() const
    {
        QStringList list;
        for (const QList<QVariant> &args : status)
            list << args.first().toString();
        return list;
    }
};

} // namespace

// The device link: its invariants over random sessions, the fault matrix, the
// texts and warnings the user sees, transfers through the window, and the
// virtual unit's check of every report on which all of it relies.
class tst_devicelink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void randomSessions()
    {
        for (int i = 0; i < 150; ++i) {
            RandomImage random(RandomImage::sessionSeed() + quint32(i));
            const QString failure = invariants::checkDevice(random);
            QVERIFY2(failure.isEmpty(), qPrintable(failure + random.replay()));
        }
    }

    // The fault matrix: both image sizes, plugged out after every report, and
    // every write block refused. Nothing more is sent, the preset stays, and
    // the next transfer goes through.
    void interruptedTransfer_data()
    {
        QTest::addColumn<bool>("upload");
        QTest::addColumn<int>("unplugAfter");
        QTest::addColumn<int>("failBlock");
        QTest::addColumn<int>("dateStatus");
        QTest::addColumn<bool>("old");
        for (bool old : {false, true}) {
            const int blocks = old ? 52 : 74;
            const char *size = old ? "1232, " : "";
            for (int n = 1; n <= blocks + 1; ++n) {
                QTest::addRow("%supload, unplugged after report %d", size, n)
                    << true << n << 0 << 0 << old;
                if (n > blocks)
                    break;
                QTest::addRow("%supload, 0xFF for block %d", size, n) << true << 0 << n << 0 << old;
                QTest::addRow("%sdownload, unplugged after request %d", size, n)
                    << false << n << 0 << 0 << old;
            }
        }
        for (int n : {1, 2, 3, 40, 74, 75})
            QTest::addRow("two at once, unplugged after report %d", n)
                << true << n << 0 << 0x80 << false;
        for (int n : {1, 73})
            QTest::addRow("two at once, 0xFF for block %d", n) << true << 0 << n << 0x80 << false;
    }
    void interruptedTransfer()
    {
        QFETCH(bool, upload);
        QFETCH(int, unplugAfter);
        QFETCH(int, failBlock);
        QFETCH(int, dateStatus);
        QFETCH(bool, old);
        const int size = old ? 1232 : 1760, blocks = (size + 23) / 24;
        unit().setFirmwareVersion(old ? "1.4" : "1.6");
        unit().setDateTimeStatus(dateStatus);
        unit().setEeprom(pattern(31));
        Rig r;
        QVERIFY(r.connect(32));
        unit().setUnplugAfterReports(unplugAfter);
        unit().setFailWriteBlock(failBlock);
        r.run(upload);
        const auto sent = unit().receivedReports().size();
        tick(r.panel, 10);
        QCOMPARE(unit().receivedReports().size(), sent);
        if (failBlock && dateStatus == 0)
            QCOMPARE(sentWith(0x0D).size(), failBlock);
        QCOMPARE(r.panel.link()->isOnline(), unplugAfter == 0);
        QCOMPARE(r.panel.findChild<QLineEdit *>("unitNameEdit")->text() == "<Not Connected>",
                 unplugAfter > 0);
        QVERIFY(!r.texts().contains(upload ? "Upload Complete" : "Download Complete"));
        QVERIFY(unplugAfter == 0 || r.texts().last() == "RSX-4 Offline");
        QVERIFY(!dialogShown(r.panel) && (unplugAfter == 0 || !unit().isOpen()));
        QCOMPARE(r.image.image(), r.before);
        // After the last block the unit holds the preset, but never said so.
        QCOMPARE(unit().completedUploads(), upload && unplugAfter == blocks + 1 ? 1 : 0);

        unit().setPlugged(true);
        unit().setFailWriteBlock(0);
        QVERIFY(r.connect(33) && r.run(upload));
        QCOMPARE(toInts(unit().eeprom(), size), r.image.image().mid(0, size));
        QCOMPARE(r.image.image().mid(size), r.before.mid(size));
        QCOMPARE(r.texts().last(), QString(upload ? "Upload Complete" : "Download Complete"));
    }

    // Bytes a command does not define keep what the previous report left:
    // the date and time after an upload's last block, a firmware request after it.
    void leftoverBytes()
    {
        Rig r;
        QVERIFY(r.connect(12) && r.run(true) && r.run(true));
        const Bytes last = sentWith(0x0D).last(), date = sentWith(0x0B).last();
        QCOMPARE(last.mid(0, 8), (Bytes{8, 0x0D, 3, 1, 6, 0xE0, 6, 0xD8}));
        QCOMPARE(date.mid(0, 8), (Bytes{7, 0x0B, 0x64, 0, 0, 0, 0, 0xD8}));
        QCOMPARE(date.mid(15), Bytes{r.image.imageByte(1759)} + Bytes(48, 0));
        unit().setPlugged(false);
        tick(r.panel);
        unit().setPlugged(true);
        QVERIFY(connectUnit(r.panel));
        QCOMPARE(sentWith(0x0E).first(), Bytes({0, 0x0E, 1, 0, 0, 0, 0, 0}) + last.mid(8));

        // A unit that stops answering: string 1 is asked for on every tick,
        // and an empty string 1 ends the repeat.
        unit().setPlugged(false);
        tick(r.panel);
        unit().setAnswerFirmwareRequests(false);
        unit().setPlugged(true);
        unit().clearLog();
        tick(r.panel, 5);
        QCOMPARE(sentWith(0x0E).size(), 5);
        unit().queueReport(VirtualUnit::Report{0, 0x0E, 1});
        unit().clearLog();
        tick(r.panel, 3);
        QCOMPARE(sentWith(0x0E), QList<Bytes>({Bytes{0, 0x0E, 2, 0, 0, 0, 0, 0} + last.mid(8)}));

        // The date and time as the unit reads it: two-digit year, Monday 1.
        unsigned char out[HidReport::OutputSize] = {};
        HidReport::setDateTime(out, QDate(2099, 12, 6), QTime(23, 59, 58));
        QCOMPARE(Bytes(out + 9, out + 16), (Bytes{6, 12, 99, 7, 23, 59, 58}));
        HidReport::setDateTime(out, QDate(2000, 1, 3), QTime(0, 0, 0));
        QCOMPARE(Bytes(out + 9, out + 16), (Bytes{3, 1, 0, 1, 0, 0, 0}));
    }

    // What a transfer's start asks of the user, and whether it goes on. The
    // tag names direction, firmware, CPLD build and MIDI remote control byte.
    void startWarnings_data()
    {
        QTest::addColumn<QString>("text");
        const QString old = DeviceLink::FirmwareTooNewText,
                      midi = DeviceLink::MidiRemoteControlText;
        QTest::newRow("upload 2.0 190117 0") << old;
        QTest::newRow("download 2.0 190116 16") << old;
        QTest::newRow("upload 1.6 190116 5") << QString();
        QTest::newRow("upload 1.6 190116 16") << midi;
        QTest::newRow("upload 1.6 190117 32") << QString();
        QTest::newRow("download 1.6 190116 16") << QString();
        QTest::newRow("upload 1.6 190116 17 unplugged meanwhile") << midi;
    }
    void startWarnings()
    {
        QFETCH(QString, text);
        const QStringList f = QString(QTest::currentDataTag()).split(' ');
        const bool upload = f[0] == "upload", unplug = f.size() > 4;
        unit().setFirmwareVersion(f[1].toStdString());
        unit().setCpldBuild(f[2].toStdString());
        Rig r;
        QVERIFY(r.connect(0x40));
        r.image.setImageByte(3, f[3].toInt());
        r.before = r.image.image();
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        answerer.setAnswer([&](QWidget *box) {
            unit().setPlugged(!unplug);
            tick(r.panel);
            ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
        });
        const bool went = r.run(upload);
        const QStringList title{upload ? "Send Preset" : "Receive Preset"};
        QCOMPARE(answerer.titles(), text.isEmpty() ? QStringList() : title);
        QCOMPARE(answerer.texts(), text.isEmpty() ? QStringList() : QStringList{text});
        QCOMPARE(went, !unplug && text != DeviceLink::FirmwareTooNewText);
        QCOMPARE(r.panel.link()->isOnline(), !unplug);
        QCOMPARE(went ? toInts(unit().eeprom(), 1760) : r.before, r.image.image());
    }

    void panelStates()
    {
        unit().setPlugged(false);
        commsWidget panel;
        panel.show();
        auto *name = panel.findChild<QLineEdit *>("unitNameEdit");
        auto *led = panel.findChild<QLedIndicator *>("linkLed");
        auto state = [&] {
            QString s = name->text() + (led->isChecked() ? " lit " : " dark ");
            for (const char *b : {"deviceInfoButton", "downloadButton", "uploadButton"})
                s += panel.findChild<QPushButton *>(b)->isEnabled() ? "1" : "0";
            return s + QString::number(panel.link()->pollInterval()) +
                   (name->isEnabled() ? "+" : "");
        };
        QCOMPARE(state(), QString("<Not Connected> dark 100250"));
        tick(panel);
        QCOMPARE(state(), QString("<Not Connected> dark 000250"));
        // Online at once, "unknown" until string 1 arrives.
        unit().setPlugged(true);
        unit().setReplyLatency(2);
        tick(panel);
        QCOMPARE(state(), QString("unknown lit 11115+"));
        QVERIFY(connectUnit(panel));
        QCOMPARE(name->text(), QString::fromStdString(unit().firmwareString(1)));
        // Device Info shows strings 2 to 10 as they were when it opened.
        QStringList shown;
        ModalAnswerer answerer;
        answerer.setAnswer([&](QWidget *widget) {
            unit().queueReport(VirtualUnit::Report{4, 0x0E, 2, 0, 0, 0, 0, 0, 'n', 'e', 'w', '!'});
            tick(panel, 3);
            for (int row = 0; row < deviceInfoDialog::RowCount; ++row)
                shown << qobject_cast<deviceInfoDialog *>(widget)->value(row);
            click(*widget, "closeButton");
        });
        const QStringList strings = panel.link()->firmwareStrings();
        click(panel, "deviceInfoButton");
        QCOMPARE(answerer.titles(), QStringList({"Device Info"}));
        QCOMPARE(shown, strings.mid(1));
        QCOMPARE(panel.link()->firmwareStrings().at(1), QString("new!"));

        unit().setPlugged(false);
        tick(panel);
        QCOMPARE(state(), QString("<Not Connected> dark 000250"));
        QVERIFY(!panel.syncDateTimeOption()->isVisible());
        // The panel's own timer finds the unit again.
        unit().setPlugged(true);
        QTRY_COMPARE_WITH_TIMEOUT(panel.link()->firmwareStrings(), strings, 3000);
    }

    // Through the main window: the unit gets what the pages show, without a
    // change of page first, and what it holds comes back into them.
    void windowTransfers()
    {
        MainWindow window({"cuesmith"});
        auto &panel = *window.findChild<commsWidget *>();
        QVERIFY(connectUnit(panel));
        selectEntry(window, "General");
        window.findChild<QComboBox *>("parity")->setCurrentText("Even");
        click(panel, "uploadButton");
        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(window.statusBar()->currentMessage(), QString("Upload Complete"));
        QCOMPARE(toInts(unit().eeprom(), 1760), window.preset().image());
        QCOMPARE(unit().eeprom()[1233], 2);

        PresetImage source;
        source.setValue(PresetImage::PresetName, 0, 'U');
        source.setValue(PresetImage::TriggerSlots, 4, 3, 217);
        source.buildImage();
        unit().setEeprom(std::vector<std::uint8_t>(source.image().begin(), source.image().end()));
        selectEntry(window, "GPI 5");
        click(panel, "downloadButton");
        QVERIFY(finishTransfer(panel) > 0);
        QCOMPARE(window.statusBar()->currentMessage(), QString("Download Complete"));
        QCOMPARE(window.preset().image(), source.image());
        // The model was parsed (the slot packed to the front) and the views reloaded.
        QCOMPARE(window.findChild<QTreeWidget *>("slotTree")->topLevelItem(0)->text(1),
                 QString("SYSTEM: Toggle USB"));
        QCOMPARE(window.findChild<GeneralPage *>()->findChild<QLineEdit *>()->text(),
                 QString("UEMPTY PRESET>"));
    }

    // The virtual unit's check of what it is sent.
    void unitChecks_data()
    {
        QTest::addColumn<QList<Bytes>>("reports");
        QTest::addColumn<QString>("violation");
        auto block = [](int phase, int total, int address, int count) {
            return Bytes{count,      0x0D,         phase,        1,
                         total >> 8, total & 0xFF, address >> 8, address & 0xFF} +
                   Bytes(count, 0x11);
        };
        auto row = [](const char *violation, const QList<Bytes> &reports) {
            QTest::newRow(violation) << reports << QString(violation);
        };
        row("byte 40 is 0x01", {Bytes{0, 0x0E, 1} + Bytes(37, 0) + Bytes{1}});
        row("unknown command 0x0F", {{0, 0x0F, 1}});
        row("byte 3 is 0x05", {{0, 0x0E, 1, 5}});
        row("read request at 48, expected 24",
            {{0, 0x0C, 0x80, 0, 24, 0, 0, 0}, {0, 0x0C, 0x81, 0, 24, 0, 0, 48}});
        row("neither 1232 nor 1760", {block(1, 1000, 0, 24)});
        row("write block at 48, expected 24", {block(1, 1760, 0, 24), block(2, 1760, 48, 24)});
        row("last write block ends at 32", {block(1, 1232, 0, 24), block(3, 1232, 24, 8)});
        row("after the block's data", {block(3, 1760, 1752, 8) + Bytes{7}});
        row("month", {{7, 0x0B, 0x64, 0, 0, 0, 0, 0, 31, 13, 24, 2, 23, 59, 58}});
        row("byte 8 changed from 0x09 to 0x08",
            {{0, 0x0E, 1, 0, 0, 0, 0, 0, 9}, {0, 0x0E, 2, 0, 0, 0, 0, 0, 8}});
    }
    void unitChecks()
    {
        QFETCH(QList<Bytes>, reports);
        hid_device *dev = hid_open(VirtualUnit::VendorId, VirtualUnit::ProductId, nullptr);
        hid_set_nonblocking(dev, 1);
        for (const Bytes &report : reports) {
            unsigned char out[65] = {};
            std::copy(report.begin(), report.end(), out + 1);
            QCOMPARE(hid_write(dev, out, 65), 65);
        }
        hid_close(dev);
        const QString found = leftovers().join('\n');
        QVERIFY2(found.contains(QTest::currentDataTag()), qPrintable(found));
        unit().reset();
    }
};

QTEST_MAIN(tst_devicelink)
#include "tst_devicelink.moc"
