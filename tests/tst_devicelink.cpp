#include "core/device/UsbIdentity.h"
#include "gui/widgets/StatusLamp.h"
#include "support/DeviceTestKit.h"
#include "support/Invariants.h"
#include "support/ModalAnswerer.h"

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
            list << Bytes(out.begin() + 1, out.end());
    return list;
}

struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// A panel, the image it transfers, and what it announced.
struct Rig
{
    PresetImage image;
    QVector<int> before;
    DeviceLinkPanel panel;
    QSignalSpy status{&panel, &DeviceLinkPanel::commsStatusChange};

    QTemporaryDir backups;

    bool connect(int seed)
    {
        panel.unitBackup().setFolder(backups.path());
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
    bool said(const QString &text) const { return status.contains({text}); }
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
        QCOMPARE(RandomImage::firstFailure(invariants::checkDevice, 150), QString());
    }

    // The fault matrix: both image sizes, plugged out after every report, and
    // every write block refused. Nothing more is sent, the preset stays, and
    // the next transfer goes through.
    void interruptedTransfer_data()
    {
        QTest::addColumn<int>("n");
        for (const char *size : {"", "1232, "}) {
            const int blocks = *size ? 52 : 74;
            for (int n = 1; n <= blocks; ++n) {
                QTest::addRow("%supload, unplugged after report %d", size, n) << n;
                QTest::addRow("%supload, 0xFF for block %d", size, n) << n;
                QTest::addRow("%sdownload, unplugged after request %d", size, n) << n;
            }
            QTest::addRow("%supload, unplugged after report %d", size, blocks + 1) << blocks + 1;
        }
        for (int n : {1, 2, 3, 40, 74, 75})
            QTest::addRow("two at once, upload, unplugged after report %d", n) << n;
        for (int n : {1, 73, 74})
            QTest::addRow("two at once, upload, 0xFF for block %d", n) << n;
    }
    void interruptedTransfer()
    {
        QFETCH(int, n);
        const QString tag = QTest::currentDataTag();
        const bool old = tag.startsWith("1232"), upload = tag.contains("upload");
        const int unplugAfter = tag.contains("unplugged") ? n : 0, failBlock = n - unplugAfter;
        const int dateStatus = tag.startsWith("two") ? 0x80 : 0;
        const int size = old ? 1232 : 1760, blocks = (size + 23) / 24;
        unit().setFirmwareVersion(old ? "1.4" : "1.6");
        unit().setDateTimeStatus(dateStatus);
        unit().setEeprom(std::vector<std::uint8_t>(size * 3 / 2, 0x31));
        Rig r;
        QVERIFY(r.connect(32));
        // Counted from the first write: an upload reads every block for its backup first.
        unit().setUnplugAfterReports(unplugAfter && upload ? unplugAfter + blocks : unplugAfter);
        unit().setFailWriteBlock(failBlock);
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        r.run(upload);
        QCOMPARE(answerer.titles(), QStringList{upload ? "Send Preset" : "Receive Preset"});
        const auto sent = unit().receivedReports().size();
        tick(r.panel, 10);
        QCOMPARE(unit().receivedReports().size(), sent);
        if (failBlock && dateStatus == 0)
            QCOMPARE(sentWith(0x0D).size(), failBlock);
        QCOMPARE(r.panel.link()->isOnline(), unplugAfter == 0);
        QCOMPARE(r.panel.findChild<QLineEdit *>("unitNameEdit")->text() == "<Not Connected>",
                 unplugAfter > 0);
        QVERIFY(!r.said(upload ? "Upload Complete" : "Download Complete"));
        QVERIFY(!unplugAfter || r.status.last() == QVariantList{"RSX-4 Offline"});
        QVERIFY(!r.panel.transferDialog()->isVisible() && (!unplugAfter || !unit().isOpen()));
        QCOMPARE(r.image.image(), r.before);
        // After the last block the unit holds the preset, but never said so.
        QCOMPARE(unit().completedUploads(), upload && unplugAfter == blocks + 1 ? 1 : 0);

        unit().setPlugged(true);
        unit().setFailWriteBlock(0);
        QVERIFY(r.connect(33) && r.run(upload));
        QCOMPARE(toInts(unit().eeprom(), size), r.image.image().mid(0, size));
        QCOMPARE(r.image.image().mid(size), r.before.mid(size));
        QVERIFY(r.said(upload ? "Upload Complete" : "Download Complete"));
    }

    // Bytes a command does not define keep what the previous report left: a
    // firmware request after an upload clears only its own.
    void leftoverBytes()
    {
        Rig r;
        QVERIFY(r.connect(12) && r.run(true));
        const Bytes last = sentWith(0x0D).last();
        unit().setPlugged(false);
        tick(r.panel);
        unit().setPlugged(true);
        QVERIFY(connectUnit(r.panel));
        QCOMPARE(sentWith(0x0E).first(), Bytes({0, 0x0E, 1, 0, 0, 0, 0, 0}) + last.mid(8));

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
        DeviceLinkPanel panel;
        panel.show();
        auto *name = panel.findChild<QLineEdit *>("unitNameEdit");
        auto *led = panel.findChild<StatusLamp *>("linkLed");
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
        // An idle tick rewrites and repaints nothing.
        QCoreApplication::processEvents();
        PaintCounter paints;
        for (QWidget *w : panel.findChildren<QWidget *>())
            w->installEventFilter(&paints);
        tick(panel, 50);
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 0);
        const QStringList strings = panel.link()->firmwareStrings();
        unit().setPlugged(false);
        tick(panel);
        QCOMPARE(state(), QString("<Not Connected> dark 000250"));
        QVERIFY(panel.link()->syncsDateTime());
        // The panel's own timer finds the unit again.
        unit().setPlugged(true);
        QTRY_COMPARE_WITH_TIMEOUT(panel.link()->firmwareStrings(), strings, 3000);
    }

    // The virtual unit's check of what it is sent, on which all of the above relies.
    void unitChecks()
    {
        hid_device *dev = hid_open(UsbIdentity::VendorId, UsbIdentity::ProductId, nullptr);
        for (const Bytes &report :
             {Bytes{0, 0x0E, 1, 5, 0, 0, 0, 0, 9}, Bytes{0, 0x0E, 2, 0, 0, 0, 0, 0, 8},
              Bytes{24, 0x0D, 1, 1, 6, 0xE0, 0, 24}}) {
            unsigned char out[65] = {};
            std::copy(report.begin(), report.end(), out + 1);
            QCOMPARE(hid_write(dev, out, 65), 65);
        }
        hid_close(dev);
        QCOMPARE(leftovers().join('\n').count(QRegularExpression(
                     "byte 3 is 0x05|byte 8 changed from 0x09 to 0x08|first write block")),
                 3);
        unit().reset();
    }
};

QTEST_MAIN(tst_devicelink)
#include "tst_devicelink.moc"
