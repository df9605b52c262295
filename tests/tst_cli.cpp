// cuesmith-cli, run in-process against files and the virtual unit.
#include "cli/CommandRunner.h"
#include "core/device/FirmwareStringNames.h"
#include "core/document/PresetFile.h"
#include "core/preset/PresetImage.h"
#include "gui/window/MainWindow.h"
#include "support/ModalAnswerer.h"
#include "support/RandomImage.h"
#include "support/WindowDriver.h"
#include "virtualunit/VirtualUnit.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <sys/stat.h>

struct Result
{
    int status = -1;
    QString out, err;
};

static QByteArray fileBytes(const QByteArray &image, qint32 magic = PresetFile::Magic,
                            qint16 version = PresetFile::Version)
{
    QByteArray data;
    for (int shift = 24; shift >= 0; shift -= 8)
        data.append(char(magic >> shift));
    return data + char(version >> 8) + char(version) + image;
}

static QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class tst_cli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString sysRoot = "sys"; // where the access check looks
    std::unique_ptr<MainWindow> window;

    QString path(const QString &name) const { return dir.filePath(name); }

    Result cli(QStringList args)
    {
        Result r;
        QTextStream out(&r.out), err(&r.err);
        CommandRunner runner(out, err);
        runner.setReplyTimeout(200);
        runner.setProgressShown(true);
        runner.setAccessCheck(HidAccess(path(sysRoot), path("dev")));
        for (QString &a : args)
            a.replace("%D", dir.path());
        r.status = runner.run(QStringList{"cuesmith-cli"} + args);
        return r;
    }

    // A fresh unit, or `count` of them, each with one fault of its own.
    static VirtualUnit &unit(int index = 0, int count = 1)
    {
        VirtualUnit::setUnitCount(count);
        for (int i = 0; i < count; ++i)
            VirtualUnit::unit(i).reset();
        return VirtualUnit::unit(index);
    }

    // What the window makes of a file: opened with "Open Preset...", saved with
    // "Save Preset As..."; empty when the window refuses the file.
    QByteArray windowSave(const QString &file)
    {
        const QString saved = path("window.rsx4pre");
        QStringList paths{file, saved};
        QFile::remove(saved);
        bool refused = false;
        ModalAnswerer answerer;
        answerer.setAnswer([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box) {
                const QString name = paths.takeFirst();
                QTimer::singleShot(0, w, [w, name] { ModalAnswerer::acceptFileDialog(w, name); });
                return;
            }
            refused = refused || box->text() == "Unable to Open Preset File";
            ModalAnswerer::clickButton(box, QDialogButtonBox::Ok);
        });
        action(*window, "Open Preset...")->trigger();
        if (!refused)
            action(*window, "Save Preset As...")->trigger();
        return readAll(saved);
    }

private slots:
    void initTestCase()
    {
        window = std::make_unique<MainWindow>(QStringList{"cuesmith"});
        QVERIFY(mkfifo(QFile::encodeName(path("fifo")).constData(), 0600) == 0);
        writeAll(path("new"), fileBytes({}));
        writeAll(path("later"), fileBytes({}, PresetFile::Magic, 0x0201));
        writeAll(path("foreign"), "not a preset");
        QByteArray codes(1760, 0);
        codes[96] = char(170); // GPI 1 slot 1: a code in no range
        codes[256] = 1;        // a MIDI record no slot names
        codes[3] = 0x21;       // MIDI remote control on channel 2
        writeAll(path("bad"), fileBytes(codes));
        QCOMPARE(cli({"export", "%D/new", "-o", "%D/new.json"}).status, 0);
        const QByteArray json = readAll(path("new.json"));
        writeAll(path("big.json"), json + QByteArray(4 << 20, ' '));
        writeAll(path("m"), QByteArray(json).replace("\"Setup Macro\"", "\"Setup\""));
        writeAll(path("item"), QByteArray(json).replace("\"9600\"", "\"9601\""));
        QCOMPARE(cli({"export", "%D/bad", "-o", "%D/bad.json"}).status, 0);
        const QByteArray bad = readAll(path("bad.json"));
        const char *edits[][3] = {
            {"minus", "\"00 00 00 00 00\"", "\"-1 00 00 00 00\""},
            {"plus", "\"00 00 00 00 00\"", "\"+1 00 00 00 00\""},
            {"one digit", "\"00 00 00 00 00\"", "\"0 00 00 00 00\""},
            {"three digits", "\"00 00 00 00 00\"", "\"000 00 00 00 00\""},
            {"unlisted slot", "\"kind\": \"MIDI\",", "\"kind\": \"MIDI\", \"slot\": 3,"},
            {"status and type", "\"status\": 0", "\"status\": 0, \"type\": \"Note On\""},
            {"row key", "\"GPI 2\": {", "\"GPI 2\": {\"Colour\": 1,"}};
        for (const auto &edit : edits)
            writeAll(path(edit[0]), QByteArray(bad).replace(edit[1], edit[2]));
        // A unit the access check sees and this user may not open.
        QVERIFY(QDir(dir.path()).mkpath("sys/class/hidraw/hidraw7/device"));
        writeAll(path("sys/class/hidraw/hidraw7/device/uevent"), "HID_ID=0003:000004D8:0000F29E\n");
        // Two units this user may open, and a keyboard.
        QVERIFY(QDir(dir.path()).mkpath("dev"));
        for (const char *node : {"hidraw0", "hidraw1", "hidraw5"}) {
            QVERIFY(
                QDir(dir.path()).mkpath(QStringLiteral("units/class/hidraw/%1/device").arg(node)));
            writeAll(path(QStringLiteral("units/class/hidraw/%1/device/uevent").arg(node)),
                     node[6] == '5' ? "HID_ID=0003:0000046D:0000C31C\n"
                                    : "HID_ID=0003:000004D8:0000F29E\n");
            writeAll(path(QStringLiteral("dev/%1").arg(node)), "");
        }
    }

    // Export then import writes exactly what the window saves, for any file
    // the window opens: values outside their encodings, reserved bytes and
    // records no slot names included.
    void jsonRoundTripIsWhatTheWindowSaves()
    {
        RandomImage random;
        for (int i = 0; i < RandomImage::cases(100); ++i) {
            QByteArray image = random.image();
            if (random.chance(10))
                image.truncate(1232);
            const QByteArray file =
                fileBytes(image, random.chance(10) ? PresetFile::OldMagic : PresetFile::Magic);
            writeAll(path("random.rsx4pre"), file);
            const Result exported = cli({"export", "%D/random.rsx4pre", "-o", "%D/random.json"});
            const Result imported = cli({"import", "%D/random.json", "-o", "%D/back.rsx4pre"});
            QVERIFY2(exported.status == 0 && imported.status == 0,
                     qPrintable(exported.err + imported.err + random.replay()));
            QVERIFY2(readAll(path("back.rsx4pre")) == windowSave(path("random.rsx4pre")),
                     qPrintable(QStringLiteral("image %1").arg(i) + random.replay()));
            // Both forms of one preset are the same preset.
            QCOMPARE(cli({"diff", "%D/random.rsx4pre", "%D/random.json"}).out, QString());
        }
    }

    // Every command that reads a preset file gives the window's verdict on it
    // and reads what the window reads, a file padded to gigabytes included.
    void readsAsTheWindowOpens_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("size");
        RandomImage random;
        QTest::newRow("padded to 3 GiB") << fileBytes(random.image()) << (qint64(3) << 30);
        QTest::newRow("earlier, short, padded")
            << fileBytes(random.image().left(900), PresetFile::OldMagic) << qint64(5 << 20);
        QTest::newRow("later, padded")
            << fileBytes({}, PresetFile::Magic, 0x0201) << (qint64(3) << 30);
        QTest::newRow("cut in the header") << fileBytes({}).left(5) << qint64(0);
    }
    void readsAsTheWindowOpens()
    {
        QFETCH(QByteArray, file);
        QFETCH(qint64, size);
        writeAll(path("v.rsx4pre"), file);
        QVERIFY(size == 0 || QFile::resize(path("v.rsx4pre"), size));
        const QByteArray saved = windowSave(path("v.rsx4pre"));
        for (const QString command : {"show", "check", "export"})
            QCOMPARE(cli({command, "%D/v.rsx4pre"}).status == 3, saved.isEmpty());
        QCOMPARE(cli({"diff", "%D/v.rsx4pre", "%D/window.rsx4pre"}).status,
                 saved.isEmpty() ? 3 : 0);
        QCOMPARE(cli({"export", "%D/v.rsx4pre", "-o", "%D/v.json"}).status,
                 saved.isEmpty() ? 3 : 0);
        cli({"import", "%D/v.json", "-o", "%D/v.back"});
        QCOMPARE(readAll(path("v.back")), saved);
        QFile::remove(path("v.rsx4pre"));
        QFile::remove(path("v.json"));
        QFile::remove(path("v.back"));
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fault");
        const auto row = [](const char *name, QStringList args, int status, const char *message,
                            const char *fault = "") {
            QTest::newRow(name) << args << status << QString(message) << QString(fault);
        };
        row("no command", {}, 2, "no command given");
        row("unknown command", {"frobnicate"}, 2, "unknown command");
        row("import without -o", {"import", "%D/new.json"}, 2, "import needs -o");
        row("no such file", {"show", "%D/none"}, 3, "cannot be read");
        row("foreign file", {"export", "%D/foreign"}, 3, "not a preset file");
        row("later version", {"check", "%D/later"}, 3, "later version");
        row("missing field", {"import", "%D/m", "-o", "%D/x"}, 3,
            "\"General/Setup Macro\": missing");
        row("malformed field", {"import", "%D/item", "-o", "%D/x"}, 3, "\"9601\" is not an item");
        row("hex sign -", {"import", "%D/minus", "-o", "%D/kept"}, 3,
            "field \"Carried/Fixed Config Bytes\": \"-1\" is not two hex digits");
        row("hex sign +", {"import", "%D/plus", "-o", "%D/kept"}, 3,
            "\"+1\" is not two hex digits");
        row("one hex digit", {"import", "%D/one digit", "-o", "%D/x"}, 3, "\"0\" is not two hex");
        row("three hex digits", {"import", "%D/three digits", "-o", "%D/x"}, 3, "\"000\" is not");
        row("unknown key in a record", {"import", "%D/unlisted slot", "-o", "%D/kept"}, 3,
            "field \"Events/Unlisted Records/1/slot\": unknown field");
        row("key beside status", {"diff", "%D/bad", "%D/status and type"}, 3,
            "field \"Events/Unlisted Records/1/type\": unknown field");
        row("unknown key in a row", {"import", "%D/row key", "-o", "%D/kept"}, 3,
            "field \"GPIO/GPI Configuration/GPI 2/Colour\": unknown field");
        row("device", {"show", "/dev/zero"}, 3, "/dev/zero: cannot be read: not a regular file");
        row("FIFO", {"check", "%D/fifo"}, 3, "fifo: cannot be read: not a regular file");
        row("directory", {"diff", "%D/new", "%D"}, 3, "cannot be read: a directory");
        row("device as JSON", {"import", "/dev/zero", "-o", "%D/kept"}, 3, "not a regular file");
        row("JSON too large", {"import", "%D/big.json", "-o", "%D/kept"}, 3,
            "big.json: refused: larger than any export (4 MiB)");
        row("JSON too large to show", {"show", "%D/big.json"}, 3, "larger than any export");
        row("refused file", {"export", "%D/foreign", "-o", "%D/kept"}, 3, "not a preset file");
        row("not writable", {"export", "%D/new", "-o", "%D/no/x"}, 3, "cannot be written");
        row("differences", {"diff", "%D/new", "%D/bad"}, 1, "GPI 1 slot 1: 0 -> {\"code\":170");
        row("code in no range", {"check", "%D/bad"}, 1, "code 170 is in no event range");
        row("record no slot names", {"check", "%D/bad"}, 1, "code 1: in use, but no slot names");
        row("no unit", {"info"}, 4, "no RSX-4 found", "unplugged");
        row("no unit to open", {"info"}, 4, "no permission to open it", "hidden");
        row("no unit at path", {"info", "--device", "/dev/hidraw99"}, 4,
            "cuesmith-cli: /dev/hidraw99 is not an RSX-4\n");
        row("not a unit", {"upload", "%D/new", "--device", "%D/dev/hidraw5"}, 4,
            "/dev/hidraw5 is not an RSX-4\n", "keyboard");
        row("no permission", {"list"}, 0, "hidraw7\tVRSX4-1000\tno permission", "permission");
        row("no permission to open", {"upload", "%D/new"}, 4, "no permission", "permission");
        row("MIDI warning", {"upload", "%D/bad"}, 0, "unable to support MIDI Remote", "cpld");
        row("firmware 2.0", {"upload", "%D/new"}, 5, "firmware version newer", "2.0");
        row("status 0xFF", {"upload", "%D/new"}, 5, "refused a block (status 0xFF)", "refuse");
        row("unplugged", {"download", "-o", "%D/x"}, 5, "went offline", "unplug");
        row("unplugged, kept", {"download", "-o", "%D/kept"}, 5, "went offline", "unplug");
        row("timed out", {"info"}, 5, "no reply from the unit for 0.2 s", "silent");
        row("noise, no reply", {"info"}, 5, "no reply from the unit for 0.2 s", "noise");
        row("verify", {"upload", "%D/new"}, 6, "address 30 holds 0x01, 0x00 was sent", "corrupt");
    }

    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(QString, fault);
        VirtualUnit &u = unit();
        u.setPlugged(fault != "unplugged" && fault != "hidden");
        sysRoot = fault == "unplugged" ? "none" : fault == "keyboard" ? "units" : "sys";
        u.setPath(fault == "permission" ? path("dev/hidraw7").toStdString()
                  : fault == "keyboard" ? path("dev/hidraw5").toStdString()
                                        : u.path());
        u.setFirmwareVersion(fault == "2.0" ? "2.0" : "1.6");
        u.setCpldBuild(fault == "cpld" ? "190116" : "190117");
        u.setFailWriteBlock(fault == "refuse" ? 9 : 0);
        u.setUnplugAfterReports(fault == "unplug" ? 40 : 0);
        u.setAnswerFirmwareRequests(fault != "silent" && fault != "noise");
        u.setNoiseInterval(fault == "noise" ? 20 : 0);
        if (fault == "corrupt") // one bit of a block read back, at address 30
            u.setReplyFilter([](VirtualUnit::Report &r) {
                r[14] ^= r[1] == 0x0C && r[7] == 24 ? 1 : 0;
                return true;
            });
        writeAll(path("kept"), "kept");
        QElapsedTimer time;
        time.start();
        const Result r = cli(args);
        // Reports that answer nothing buy no time.
        QVERIFY(time.elapsed() < 1000);
        QCOMPARE(r.status, status);
        QVERIFY2((r.out + r.err).contains(message), qPrintable(r.out + r.err));
        // The progress line ends before anything else is said, and at the end.
        QVERIFY2(!r.err.contains(QRegularExpression("bytes[^\\r\\n]")) &&
                     (r.err.isEmpty() || r.err.endsWith('\n')),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(path("x")));
        QCOMPARE(readAll(path("kept")), QByteArray("kept"));
    }

    // Two units: list names both, and --device picks the second.
    void list()
    {
        unit(1, 2).setFirmwareString(1, "RSX-4 B v1.6");
        QString expected;
        for (int i = 0; i < 2; ++i)
            expected += QStringLiteral("/dev/hidraw%1\tVRSX4-100%1\t%2\n")
                            .arg(i)
                            .arg(QString::fromStdString(VirtualUnit::unit(i).firmwareString(1)));
        QCOMPARE(cli({"list"}).out, expected);
    }

    void info()
    {
        VirtualUnit &second = unit(1, 2);
        second.setPath(path("dev/hidraw1").toStdString());
        sysRoot = "units";
        second.setFirmwareVersion("1.4");
        second.setCpldBuild("190116");
        const Result r = cli({"info", "--device", QString::fromStdString(second.path())});
        QString expected = "Name: " + QString::fromStdString(second.firmwareString(1)) + '\n';
        for (int n = 2; n <= 10; ++n) // an older unit sends eight strings
            expected += FirmwareStringNames::captions().at(n - 2) + ' ' +
                        (n <= 8 ? QString::fromStdString(second.firmwareString(n)) : "n/a") + '\n';
        QCOMPARE(r.out, expected + "Firmware Version: 1.4\nImage Version: 1\nCPLD Version: 1.0\n");
    }

    void download()
    {
        RandomImage random;
        const QByteArray eeprom = random.image();
        unit(1, 2).setEeprom(std::vector<std::uint8_t>(eeprom.begin(), eeprom.end()));
        VirtualUnit::unit(1).setPath(path("dev/hidraw1").toStdString());
        sysRoot = "units";
        QCOMPARE(cli({"download", "--device", "%D/dev/hidraw1", "-o", "%D/down"}).status, 0);
        QCOMPARE(readAll(path("down")), fileBytes(eeprom));
    }

    // What the window would upload for the file, checked on the unit; units
    // before firmware 1.5 take the first 1232 bytes.
    void upload()
    {
        for (const auto &[firmware, length] : {std::pair{"1.6", 1760}, {"1.4", 1232}}) {
            RandomImage random;
            const QByteArray file = fileBytes(random.image());
            writeAll(path("up.rsx4pre"), file);
            VirtualUnit &u = unit();
            u.setFirmwareVersion(firmware);
            const Result r = cli({"upload", "%D/up.rsx4pre"});
            QVERIFY2(r.status == 0, qPrintable(r.err + random.replay()));
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(u.eeprom().data()), length),
                     windowSave(path("up.rsx4pre")).mid(6, length));
            QCOMPARE(u.completedUploads(), 1);
            QVERIFY(u.violations().empty());
        }
    }

    // The unit's preset is kept as a backup first, as the window saves it;
    // without the backup nothing is sent.
    void uploadBackup()
    {
        const QString folder = path("data/cuesmith/backups");
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
        RandomImage random;
        QByteArray held = random.image();
        held[9] = char(0xE1); // MIDI port B: a value the window's page settles to MIDI IN
        writeAll(path("held.rsx4pre"), fileBytes(held));
        VirtualUnit &u = unit();
        u.setEeprom(std::vector<std::uint8_t>(held.begin(), held.end()));
        Result r = cli({"upload", "%D/new"});
        const QString backup = QRegularExpression("backup: (.*)\n").match(r.err).captured(1);
        QVERIFY2(r.status == 0 && backup.startsWith(folder + "/rsx4-"), qPrintable(r.err));
        QCOMPARE(readAll(backup), windowSave(path("held.rsx4pre")));
        QCOMPARE(u.completedUploads(), 1);

        const auto unitHolds = [&u] {
            return QByteArray(reinterpret_cast<const char *>(u.eeprom().data()), 1760);
        };
        const QByteArray before = unitHolds();
        r = cli({"upload", "%D/held.rsx4pre", "--no-backup", "--no-verify"});
        QVERIFY(r.status == 0 && !r.err.contains("backup") && unitHolds() != before);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);

        const QByteArray kept = unitHolds();
        u.setUnplugAfterReports(40);
        r = cli({"upload", "%D/new"});
        QVERIFY2(r.status == 5 && r.err.contains("went offline"), qPrintable(r.err));
        u.setPlugged(true);
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("new")));
        r = cli({"upload", "%D/new"});
        QVERIFY2(r.status == 3 && r.err.contains("could not be kept as a backup"),
                 qPrintable(r.err));
        QCOMPARE(u.completedUploads(), 2);
        QCOMPARE(unitHolds(), kept);
        qunsetenv("XDG_DATA_HOME");
    }

    // Help and usage errors name the tool as it is installed, not as it was started.
    void helpNamesTheTool()
    {
        for (const QString command : {"show", "diff", "list", "upload"}) {
            const QString usage = "Usage: cuesmith-cli [options] " + command;
            QVERIFY2(cli({command, "--help"}).out.startsWith(usage), qPrintable(command));
            QVERIFY(cli({command, "x", "y", "z"}).err.contains('\n' + usage));
        }
    }

    // The man page gives exactly the states list prints for a unit it cannot name.
    void listStatesAsTheManPageSays()
    {
        QFile page(CUESMITH_SOURCE_DIR "/src/cli/cuesmith-cli.1.in");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString entry = QString(page.readAll()).section(".B list\n", 1).section(".TP", 0, 0);
        QStringList documented, printed;
        sysRoot = "sys";
        for (auto it = QRegularExpression("\"([^\"]+)\"").globalMatch(entry); it.hasNext();)
            documented << it.next().captured(1);
        for (const QString fault : {"permission", "unopenable", "silent"}) {
            VirtualUnit &u = unit();
            u.setPath(fault == "permission" ? path("dev/hidraw7").toStdString() : u.path());
            u.setPlugFile(fault == "unopenable" ? path("absent").toStdString() : "");
            u.setAnswerFirmwareRequests(fault != "silent");
            printed << cli({"list"}).out.section('\t', 2).trimmed();
        }
        documented.sort();
        printed.sort();
        QCOMPARE(documented, printed);
    }

    void linksNeitherQtGuiNorWidgets()
    {
        QProcess ldd;
        ldd.start("ldd", {CUESMITH_CLI_PATH});
        QVERIFY(ldd.waitForFinished());
        const QString libraries = ldd.readAllStandardOutput();
        const QString qt = QStringLiteral("Qt%1").arg(QT_VERSION_MAJOR);
        QVERIFY2(libraries.contains("lib" + qt + "Core") && libraries.contains("libhidapi") &&
                     !libraries.contains(qt + "Gui") && !libraries.contains(qt + "Widgets"),
                 qPrintable(libraries));
    }
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
