#include "DeviceTestKit.h"
#include "HidAccess.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace kit;
using Outcome = DeviceLink::TransferOutcome;

namespace {

const QString UnitId = "0003:000004D8:0000F29E";

// Lays out hidraw entries under `root`: "hidraw3 <HID_ID> rw|locked|gone".
// A locked node is a folder, which nobody, not even root, opens for writing.
void layTree(const QString &root, const QStringList &entries)
{
    QDir(root).mkpath("dev");
    for (const QString &entry : entries) {
        const QStringList f = entry.split(' ');
        const QString device = root + "/sys/class/hidraw/" + f[0] + "/device";
        QDir(root).mkpath(device);
        QFile uevent(device + "/uevent");
        QVERIFY(uevent.open(QIODevice::WriteOnly));
        uevent.write("DRIVER=hid-generic\nHID_ID=" + f[1].toLatin1() + "\nHID_NAME=x\n");
        const QString node = root + "/dev/" + f[0];
        if (f[2] == "rw")
            QVERIFY(QFile(node).open(QIODevice::WriteOnly));
        if (f[2] == "locked")
            QVERIFY(QDir(root).mkpath(node));
    }
}

// Steps a link opened by path until `done`, or until it closes.
template <typename Done> void stepUntil(DeviceLink &link, Done done)
{
    for (int i = 0; i < 500 && !done() && link.step(100) >= 0; ++i) {
    }
}

} // namespace

class tst_transfers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void hidAccess_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("listing");
        QTest::newRow("present, accessible") << QStringList{"hidraw2 " + UnitId + " rw"}
                                             << int(HidAccess::Accessible) << "hidraw2 1";
        QTest::newRow("present, not accessible") << QStringList{"hidraw0 " + UnitId + " locked"}
                                                 << int(HidAccess::NoPermission) << "hidraw0 0";
        QTest::newRow("present, node gone") << QStringList{"hidraw0 " + UnitId + " gone"}
                                            << int(HidAccess::NoPermission) << "hidraw0 0";
        QTest::newRow("other vendor")
            << QStringList{"hidraw1 0003:0000046D:0000F29E rw", "hidraw4 0003:000004D8:0000F29F rw"}
            << int(HidAccess::Absent) << "";
        QTest::newRow("same ids over bluetooth")
            << QStringList{"hidraw1 0005:000004D8:0000F29E rw"} << int(HidAccess::Absent) << "";
        QTest::newRow("absent") << QStringList() << int(HidAccess::Absent) << "";
        QTest::newRow("two units, listed by number")
            << QStringList{"hidraw10 " + UnitId + " rw", "hidraw9 " + UnitId + " locked",
                           "hidraw3 0003:0000046D:0000C52B rw"}
            << int(HidAccess::Accessible) << "hidraw9 0, hidraw10 1";
    }
    void hidAccess()
    {
        QFETCH(QStringList, entries);
        QTemporaryDir root;
        layTree(root.path(), entries);
        const HidAccess check(root.path() + "/sys", root.path() + "/dev");
        QStringList listing;
        for (const HidAccess::Node &node : check.units()) {
            QCOMPARE(QFileInfo(node.path).path(), root.path() + "/dev");
            listing << QFileInfo(node.path).fileName() + (node.accessible ? " 1" : " 0");
        }
        QTEST(listing.join(", "), "listing");
        QTEST(int(check.verdict()), "verdict");
        QCOMPARE(int(HidAccess(root.path() + "/none").verdict()), int(HidAccess::Absent));
    }

    // Without an event loop, through the calls a command-line tool makes: a
    // slow unit that accepts the date and time, so two blocks go out at once;
    // the download started the moment the upload is done reads back every byte.
    void uploadThenDownloadByPath()
    {
        unit().setDateTimeStatus(0x80);
        unit().setReplyLatency(3);
        DeviceLink link;
        QVERIFY(!link.openPath("/dev/hidraw7"));
        QVERIFY(link.openPath("/dev/hidraw0"));
        stepUntil(link, [&] { return link.firmwareExchangeDone(); });
        QCOMPARE(link.firmwareStrings().last(), QString::fromStdString(unit().firmwareString(10)));

        PresetImage sent, received;
        fillImage(sent, 7);
        int unanswered = -1;
        connect(&link, &DeviceLink::uploadFinished, this,
                [&] { unanswered = unit().pendingReplies(); });
        QVERIFY(link.startUpload(&sent));
        stepUntil(link, [&] { return !link.isBusy(); });
        QCOMPARE(link.lastOutcome(), Outcome::Completed);
        QCOMPARE(unanswered, 0);
        QVERIFY(link.startDownload(&received));
        stepUntil(link, [&] { return !link.isBusy(); });
        QCOMPARE(link.lastOutcome(), Outcome::Completed);
        QCOMPARE(received.image(), sent.image());
        QCOMPARE(toInts(unit().eeprom(), 1760), sent.image());
        link.close();
        QCOMPARE(link.step(0), -1);
        QVERIFY(!unit().isOpen());
    }
};

QTEST_MAIN(tst_transfers)
#include "tst_transfers.moc"
