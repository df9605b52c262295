#include "core/device/HidAccess.h"
#include "core/document/UnitBackup.h"
#include "support/DeviceTestKit.h"
#include "support/ModalAnswerer.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace kit;

namespace {

const QString Refused = "Send Preset | The RSX-4 reported an error while receiving the preset. "
                        "The unit may now hold an incomplete preset: send the preset again.";
const QString SendLost = "Send Preset | The RSX-4 was disconnected before the preset was "
                         "completely sent. The unit may hold an incomplete preset: reconnect it "
                         "and send the preset again.";
const QString ReceiveLost = "Receive Preset | The RSX-4 was disconnected before the preset was "
                            "completely received. The preset in Cuesmith is unchanged.";
const QString NoFit = "Receive Preset | The RSX-4 sent a reply that does not fit the preset. The "
                      "preset in Cuesmith is unchanged.";
const QString NoBackup = "Send Preset | The preset in the RSX-4 could not be kept as a backup in "
                         "/dev/null/backups/rsx4-20261207-093000.rsx4pre (the folder cannot be "
                         "created), so nothing was sent: the unit keeps its preset.";

// How a transfer is ended early: write block `at` refused, the unit unplugged
// after report `at` or in the tick the transfer's start lets run, read reply
// `at` claiming `count` bytes, Cancel after `at` ticks, or a backup folder that
// cannot be made. Whether any block was written (an upload first reads 74
// blocks for its backup), then the box ("title | text"), or none.
enum Fault { Refuse, Unplug, UnplugAtStart, Reply, Cancel, NoFolder };
struct Abort
{
    bool upload;
    Fault fault;
    int at, count, dateStatus;
    bool writes;
    QString box;
};

// Lays out hidraw entries under `root`: "hidraw3 <HID_ID> rw|locked|gone, ...",
// where the id "unit" stands for the RSX-4's. A locked node is a folder, which
// nobody, not even root, opens for writing.
void layTree(const QString &root, const QString &entries)
{
    QDir(root).mkpath("dev");
    for (const QString &entry : entries.split(", ", Qt::SkipEmptyParts)) {
        QStringList f = entry.split(' ');
        f[1].replace("unit", "0003:000004D8:0000F29E");
        const QString device = root + "/sys/class/hidraw/" + f[0] + "/device";
        QDir(root).mkpath(device);
        QFile uevent(device + "/uevent");
        uevent.open(QIODevice::WriteOnly);
        uevent.write("DRIVER=hid-generic\nHID_ID=" + f[1].toLatin1() + "\nHID_NAME=x\n");
        const QString node = root + "/dev/" + f[0];
        if (f[2] != "gone")
            f[2] == "locked" ? QDir().mkpath(node) : QFile(node).open(QIODevice::WriteOnly);
    }
}

} // namespace

Q_DECLARE_METATYPE(Abort)

class tst_transfers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void aborts_data()
    {
        QTest::addColumn<Abort>("c");
        auto row = [](const char *tag, const Abort &c) { QTest::newRow(tag) << c; };
        row("upload, two outstanding, last refused", {true, Refuse, 74, 0, 0x80, true, Refused});
        row("upload, unplugged", {true, Unplug, 84, 0, 0, true, SendLost});
        row("upload, cancelled, runs to its end", {true, Cancel, 83, 0, 0x80, true, {}});
        row("upload, unplugged as it starts", {true, UnplugAtStart, 0, 0, 0, false, ReceiveLost});
        row("upload, unplugged in backup", {true, Unplug, 10, 0, 0, false, ReceiveLost});
        row("upload, backup reply past the end", {true, Reply, 74, 9, 0, false, NoFit});
        row("upload, cancelled in backup", {true, Cancel, 73, 0, 0, false, {}});
        row("upload, backup not written", {true, NoFolder, 0, 0, 0, false, NoBackup});
        row("download, unplugged", {false, Unplug, 6, 0, 0, false, ReceiveLost});
        row("download, unplugged as it starts",
            {false, UnplugAtStart, 0, 0, 0, false, ReceiveLost});
        row("download, last reply past the end", {false, Reply, 74, 9, 0, false, NoFit});
        row("download, short reply leaves a gap", {false, Reply, 3, 10, 0, false, NoFit});
        row("download, cancelled", {false, Cancel, 10, 0, 0, false, {}});
    }
    // The image, the unit and the user all learn the same end of a transfer;
    // a box comes only once the transfer is over and its dialog gone.
    void aborts()
    {
        QFETCH(Abort, c);
        const bool boxed = !c.box.isEmpty(), completes = !boxed && (c.fault != Cancel || c.writes);
        unit().setDateTimeStatus(c.dateStatus);
        unit().setEeprom(pattern(3));
        DeviceLinkPanel panel;
        QTemporaryDir backups;
        panel.unitBackup().setFolder(c.fault == NoFolder ? "/dev/null/backups" : backups.path());
        panel.unitBackup().setClock([] { return QDateTime({2026, 12, 7}, {9, 30}); });
        PresetImage image;
        fillImage(image, 4);
        const QVector<int> before = image.image();
        QVERIFY(connectUnit(panel));
        unit().clearLog();
        unit().setFailWriteBlock(c.fault == Refuse ? c.at : 0);
        unit().setUnplugAfterReports(c.fault == Unplug ? c.at : 0);
        int replies = 0;
        unit().setReplyFilter([&](VirtualUnit::Report &in) {
            if (c.fault == Reply && in[1] == 0x0C && ++replies == c.at)
                in[0] = std::uint8_t(c.count);
            return true;
        });
        if (c.fault == UnplugAtStart)
            connect(panel.link(), &DeviceLink::transferStarted, this,
                    [&] { unit().setPlugged(false), tick(panel); });
        QSignalSpy status(&panel, &DeviceLinkPanel::commsStatusChange);
        QSignalSpy uploaded(&panel, &DeviceLinkPanel::uploadComplete);
        ModalAnswerer answerer;
        answerer.ignoreClass("QProgressDialog");
        bool transferOver = true;
        answerer.setAnswer([&](QWidget *box) {
            transferOver = transferOver && !panel.link()->isBusy() && !dialogShown(panel);
            ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
        });

        c.upload ? panel.startUpload(&image) : panel.startDownload(&image);
        if (c.fault == Cancel) {
            tick(panel, c.at);
            panel.transferDialog()->findChild<QPushButton *>()->click();
        }
        QVERIFY(finishTransfer(panel) >= 0);

        QCOMPARE(answerer.titles().value(0) + " | " + answerer.texts().value(0),
                 boxed ? c.box : " | ");
        QCOMPARE(answerer.titles().size(), int(boxed));
        QVERIFY(transferOver && !dialogShown(panel));
        // Nothing is written unless the unit's preset was kept first.
        const auto &sent = unit().receivedReports();
        QCOMPARE(std::any_of(sent.begin(), sent.end(), [](auto &r) { return r[2] == 0x0D; }),
                 c.writes);
        QCOMPARE(UnitBackup(backups.path()).files().size(), int(c.writes));
        QCOMPARE(status.contains({c.upload ? "Upload Complete" : "Download Complete"}), completes);
        QCOMPARE(uploaded.count() + unit().completedUploads(), c.upload && completes ? 2 : 0);
        QCOMPARE(image.image(), completes && !c.upload ? toInts(unit().eeprom(), 1760) : before);
    }

    // The window stays blocked until the unit has acknowledged the last block,
    // not merely until it was sent.
    void dialogWaitsForLastAcknowledgement()
    {
        DeviceLinkPanel panel;
        QTemporaryDir backups;
        panel.unitBackup().setFolder(backups.path());
        PresetImage image;
        QVERIFY(connectUnit(panel));
        QSignalSpy status(&panel, &DeviceLinkPanel::commsStatusChange);
        panel.startUpload(&image);
        // One dialog for the backup read and the upload.
        QCOMPARE(panel.transferDialog()->maximum(), 2 * 1760);
        auto lastSent = [] {
            const auto &sent = unit().receivedReports();
            return !sent.empty() && sent.back()[2] == 0x0D && sent.back()[3] == 3;
        };
        for (int i = 0; i < 300 && !lastSent(); ++i)
            tick(panel);
        QVERIFY(lastSent() && dialogShown(panel) && !status.contains({"Upload Complete"}));
        QCOMPARE(panel.transferDialog()->windowModality(), Qt::WindowModal);
        tick(panel);
        QVERIFY(!dialogShown(panel) && status.contains({"Upload Complete"}));
    }

    // The backup folder: named by the clock, "-2" and on for a taken name, a
    // preset equal to the newest not written again, the newest 50 kept, and
    // no other file touched.
    void backupFolder()
    {
        QTemporaryDir dir;
        UnitBackup backup(dir.filePath("new/backups"));
        QDateTime now({2026, 12, 7}, {9, 30, 5});
        backup.setClock([&now] { return now; });
        QVERIFY(backup.makeFolder() && QFile(backup.folder() + "/notes").open(QFile::WriteOnly));
        PresetImage preset;
        QStringList kept;
        auto keep = [&](int name) {
            preset.setValue(PresetImage::PresetName, 0, 'A' + name);
            const int result = int(backup.keep(preset));
            kept << QString::number(result) + QFileInfo(backup.lastPath()).fileName().mid(14);
        };
        for (int name : {0, 0, 1, 0, 0})
            keep(name);
        QCOMPARE(kept, QStringList({"0093005.rsx4pre", "1093005.rsx4pre", "0093005-2.rsx4pre",
                                    "0093005-3.rsx4pre", "1093005-3.rsx4pre"}));
        for (int i = 0; i < 50; ++i)
            now = now.addSecs(1), keep(1 - i % 2);
        const QStringList files = backup.files();
        QCOMPARE(files.size(), 50);
        QVERIFY(files.first().endsWith("093055.rsx4pre") &&
                files.last().endsWith("093006.rsx4pre"));
        QVERIFY(QFile::exists(backup.folder() + "/notes"));
    }

    // Without an event loop, through the calls a command-line tool makes: a
    // slow unit that accepts the date and time, so two blocks go out at once;
    // the upload hands the unit's old preset to its backup sink first; the
    // download started the moment the upload is done reads back every byte,
    // and a reply without data (a late acknowledgement) moves nothing.
    void uploadThenDownloadByPath()
    {
        unit().setEeprom(pattern(2));
        unit().setDateTimeStatus(0x80);
        unit().setReplyLatency(3);
        DeviceLink link;
        auto stepUntil = [&link](auto done) {
            for (int i = 0; i < 500 && !done() && link.step(100) >= 0;)
                ++i;
        };
        QVERIFY(!link.openPath("/dev/hidraw7") && link.openPath("/dev/hidraw0"));
        stepUntil([&] { return link.firmwareExchangeDone(); });
        PresetImage sent, received;
        fillImage(sent, 7);
        QVector<int> backedUp;
        QVERIFY(link.startUpload(&sent, [&](const PresetImage &old) {
            backedUp = old.image();
            return link.isReadingBackup();
        }));
        stepUntil([&] { return !link.isBusy(); });
        QCOMPARE(backedUp, toInts(pattern(2), 1760));
        unit().queueReport({0, 0x0D, 0x80});
        QVERIFY(link.startDownload(&received));
        stepUntil([&] { return !link.isBusy(); });
        QCOMPARE(link.lastOutcome(), DeviceLink::TransferOutcome::Completed);
        QCOMPARE(received.image(), sent.image());
        link.close();
        QVERIFY(!link.isOnline() && !unit().isOpen());
    }

    void access_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("listing");
        auto row = [](const char *tag, const char *entries, int verdict, const char *listing) {
            QTest::newRow(tag) << QString(entries) << verdict << QString(listing);
        };
        row("present, accessible", "hidraw2 unit rw", HidAccess::Accessible, "hidraw2 1");
        row("present, not accessible", "hidraw0 unit locked", HidAccess::NoPermission, "hidraw0 0");
        row("other vendor or bus",
            "hidraw1 0003:0000046D:0000F29E rw, hidraw5 0005:000004D8:0000F29E rw",
            HidAccess::Absent, "");
        row("absent", "", HidAccess::Absent, "");
        row("two units, listed by number",
            "hidraw10 unit rw, hidraw9 unit gone, hidraw3 0003:0000046D:0000C52B rw",
            HidAccess::Accessible, "hidraw9 0, hidraw10 1");
    }
    // What sysfs tells of the units present, and what the panel makes of it
    // while hid_open fails: it names a unit this user may not open and says
    // what to do, and forgets it once unplugged.
    void access()
    {
        QFETCH(QString, entries);
        QFETCH(int, verdict);
        QTemporaryDir root;
        layTree(root.path(), entries);
        const HidAccess check(root.path() + "/sys", root.path() + "/dev");
        QStringList listing;
        for (const HidAccess::Node &node : check.units())
            listing << QDir(root.path()).relativeFilePath(node.path) +
                           (node.accessible ? " 1" : " 0");
        QTEST(listing.join(", ").remove("dev/"), "listing");
        QCOMPARE(int(check.verdict()), verdict);

        unit().setPlugged(false);
        DeviceLinkPanel panel;
        panel.link()->setAccessCheck(check);
        auto *name = panel.findChild<QLineEdit *>("unitNameEdit");
        tick(panel);
        const bool refused = verdict == HidAccess::NoPermission;
        QCOMPARE(name->text(), QString(refused ? "<No Permission>" : "<Not Connected>"));
        const QRegularExpression tip("udev rule 60-rsx4.rules.*plug it in again");
        QCOMPARE(name->toolTip().contains(tip), refused);
        QVERIFY(QDir(root.path() + "/sys").removeRecursively());
        QTRY_COMPARE_WITH_TIMEOUT(name->text(), QString("<Not Connected>"), 3000);
        QCOMPARE(name->toolTip(), QString());
    }
};

QTEST_MAIN(tst_transfers)
#include "tst_transfers.moc"
