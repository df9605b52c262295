// cuesmith-cli, run in-process against files and the virtual unit.
#include "CommandRunner.h"
#include "FunctionNames.h"
#include "GeneralPage.h"
#include "MidiPage.h"
#include "PresetFile.h"
#include "PresetImage.h"
#include "RandomImage.h"
#include "VirtualUnit.h"
#include "gpiConfigWidget.h"
#include "relayConfigWidget.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int status = -1;
    QString out;
    QString err;
};

QByteArray fileBytes(const QByteArray &image, qint32 magic = PresetFile::Magic,
                     qint16 version = PresetFile::Version)
{
    QByteArray data;
    for (int shift = 24; shift >= 0; shift -= 8)
        data.append(char(magic >> shift));
    return data + char(version >> 8) + char(version) + image;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    Result cli(QStringList args)
    {
        Result r;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        CommandRunner runner(out, err);
        runner.setReplyTimeout(200);
        for (QString &a : args)
            a.replace("%D", dir.path());
        r.status = runner.run(QStringList{"cuesmith-cli"} + args);
        return r;
    }

    // What the window writes for a file: open, every page loaded and applied
    // again, "Save Preset As...".
    QByteArray windowSave(const QByteArray &file)
    {
        QBuffer in;
        in.setData(file);
        in.open(QIODevice::ReadOnly);
        PresetFile preset;
        preset.read(in, 1760);
        PresetImage image;
        preset.applyTo(image);
        image.parseImage();
        QWidget window;
        GeneralPage general(FunctionNames::macroNames());
        MidiPage midi(&window);
        gpiConfigWidget gpi(image, &window);
        relayConfigWidget relays(image, &window);
        general.load(image);
        midi.load(image);
        midi.apply(image);
        general.apply(image);
        gpi.applyToImage(image);
        relays.applyToImage(image);
        image.buildImage();
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        PresetFile::write(out, image);
        return out.data();
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        QVERIFY(dir.isValid());
        writeAll(path("new.rsx4pre"), fileBytes({}));
        writeAll(path("later.rsx4pre"), fileBytes({}, PresetFile::Magic, 0x0201));
        writeAll(path("foreign.bin"), "not a preset");
        QByteArray codes(1760, 0);
        codes[96] = char(170); // GPI 1 slot 1: a code in no range
        codes[256] = 1;        // a MIDI record no slot names
        writeAll(path("problems.rsx4pre"), fileBytes(codes));
        QCOMPARE(cli({"export", "%D/new.rsx4pre", "-o", "%D/new.json"}).status, 0);
        const QByteArray json = readAll(path("new.json"));
        writeAll(path("missing.json"), QByteArray(json).replace("\"Setup Macro\"", "\"Setup\""));
        writeAll(path("baditem.json"), QByteArray(json).replace("\"9600\"", "\"9601\""));
    }

    // Export then import writes exactly what the window saves, for any file
    // the window opens: values outside their encodings, reserved bytes and
    // records no slot names included.
    void jsonRoundTripIsWhatTheWindowSaves()
    {
        RandomImage random;
        for (int i = 0; i < 100; ++i) {
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
            const QByteArray saved = windowSave(file);
            const QByteArray back = readAll(path("back.rsx4pre"));
            for (int k = 0; k < saved.size(); ++k)
                QVERIFY2(back.size() == saved.size() && back.at(k) == saved.at(k),
                         qPrintable(QStringLiteral("image %1, byte %2").arg(i).arg(k - 6) +
                                    random.replay()));
            // Both forms of one preset are the same preset.
            QCOMPARE(cli({"diff", "%D/random.rsx4pre", "%D/random.json"}).out, QString());
        }
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, QStringList args, int status, const char *message) {
            QTest::newRow(name) << args << status << QString(message);
        };
        row("no command", {}, 2, "no command given");
        row("unknown command", {"frobnicate"}, 2, "unknown command");
        row("missing argument", {"show"}, 2, "show takes FILE");
        row("unknown option", {"show", "%D/new.rsx4pre", "--fast"}, 2, "Unknown option");
        row("import without -o", {"import", "%D/new.json"}, 2, "import needs -o");
        row("no such file", {"show", "%D/none.rsx4pre"}, 3, "cannot be read");
        row("foreign file", {"export", "%D/foreign.bin"}, 3, "not a preset file");
        row("later version", {"check", "%D/later.rsx4pre"}, 3, "later version");
        row("missing field", {"import", "%D/missing.json", "-o", "%D/x.rsx4pre"}, 3,
            "field \"General/Setup Macro\": missing");
        row("malformed field", {"import", "%D/baditem.json", "-o", "%D/x.rsx4pre"}, 3,
            "field \"General/Baud Rate\": \"9601\" is not an item");
        row("not writable", {"export", "%D/new.rsx4pre", "-o", "%D/no/dir/x.json"}, 3,
            "cannot be written");
        row("differences", {"diff", "%D/new.rsx4pre", "%D/problems.rsx4pre"}, 1,
            "GPI 1 slot 1: 0 -> {\"code\":170,\"kind\":\"None\"}");
        row("code in no range", {"check", "%D/problems.rsx4pre"}, 1,
            "GPI 1 slot 1: code 170 is in no event range");
        row("record no slot names", {"check", "%D/problems.rsx4pre"}, 1,
            "MIDI record of code 1: status 0 is outside 128-239\n"
            "MIDI record of code 1: in use, but no slot names it");
    }

    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Result r = cli(args);
        QCOMPARE(r.status, status);
        QVERIFY2((r.out + r.err).contains(message), qPrintable(r.out + r.err));
        QVERIFY(!QFile::exists(path("x.rsx4pre")));
    }
};

QTEST_MAIN(tst_cli)
#include "tst_cli.moc"
