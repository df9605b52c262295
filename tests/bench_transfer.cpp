// Poll ticks an upload (its backup read included) and a download take against
// a unit that answers at once, next to the protocol's floor (one reply per
// tick), and the processor time of a tick. Prints its figures; run by hand, it is not a test.
#include "core/document/PresetFile.h"
#include "support/DeviceTestKit.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

struct Figures
{
    int ticks = 0;
    double microsecondsPerTick = 0;
};

Figures measure(DeviceLinkPanel &panel, PresetImage &image, bool upload)
{
    int ticks = 0;
    const auto connection =
        QObject::connect(panel.link(), &DeviceLink::polled, [&ticks] { ++ticks; });
    QElapsedTimer clock;
    clock.start();
    if (upload)
        panel.startUpload(&image);
    else
        panel.startDownload(&image);
    while (panel.link()->isBusy() && ticks < 10000)
        panel.pollUsb();
    const qint64 elapsed = clock.nsecsElapsed();
    QObject::disconnect(connection);
    return {ticks, ticks ? elapsed / 1000.0 / ticks : 0};
}

// Wall time of one `cuesmith-cli upload` (an upload of 1760 bytes and its
// verifying download), process start included, against the virtual unit
// preloaded into the tool.
double cliUploadSeconds(const QString &preset, const QString &eeprom)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_PRELOAD", CUESMITH_VIRTUALUNIT_PRELOAD);
    env.insert("VIRTUAL_UNIT_EEPROM", eeprom);
    cli.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    cli.start(CUESMITH_CLI_PATH, {"upload", preset});
    cli.waitForFinished();
    const double seconds = clock.nsecsElapsed() / 1e9;
    return cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0 ? seconds : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir backups;
    // The tool keeps its backups there too, never in the user's folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(backups.path()));
    std::printf("%-34s %6s %6s %8s %10s  %s\n", "transfer", "ticks", "floor", "limit", "us/tick",
                "result");
    bool allWithin = true;

    struct Case
    {
        const char *name;
        const char *firmware;
        int dateStatus;
        bool upload;
        int blocks;
    };
    const Case cases[] = {
        {"upload 1760, date reply 0x00", "1.6", 0x00, true, 74},
        {"upload 1760, date reply 0x80", "1.6", 0x80, true, 74},
        {"download 1760", "1.6", 0x00, false, 74},
        {"upload 1232, date reply 0x00", "1.4", 0x00, true, 52},
        {"download 1232", "1.4", 0x00, false, 52},
    };
    for (const Case &c : cases) {
        kit::unit().reset();
        kit::unit().setFirmwareVersion(c.firmware);
        kit::unit().setDateTimeStatus(c.dateStatus);
        PresetImage image;
        kit::fillImage(image, 1);
        DeviceLinkPanel panel;
        panel.unitBackup().setFolder(backups.path());
        kit::connectUnit(panel);
        const Figures f = measure(panel, image, c.upload);
        // An upload reads every block for its backup, then answers the date
        // and time and every block written.
        const int floor = c.upload ? 2 * c.blocks + 1 : c.blocks;
        const bool within = f.ticks <= floor + 2 && kit::unit().violations().empty();
        allWithin = allWithin && within;
        std::printf("%-34s %6d %6d %8d %10.1f  %s\n", c.name, f.ticks, floor, floor + 2,
                    f.microsecondsPerTick, within ? "ok" : "OVER");
    }

    // The command-line tool reads each reply as soon as it arrives.
    QTemporaryDir dir;
    const QString preset = dir.filePath("bench.rsx4pre");
    QFile file(preset);
    file.open(QIODevice::WriteOnly);
    PresetImage image;
    kit::fillImage(image, 3);
    PresetFile::write(file, image);
    file.close();
    std::vector<double> runs;
    for (int i = 0; i < 11; ++i)
        runs.push_back(cliUploadSeconds(preset, dir.filePath("eeprom.bin")));
    std::sort(runs.begin(), runs.end());
    const bool cliWithin = runs.front() >= 0 && runs[runs.size() / 2] < 0.3;
    allWithin = allWithin && cliWithin;
    std::printf("cuesmith-cli upload + verify, 1760 bytes, process start included: median %.3f s, "
                "best %.3f s, worst %.3f s (limit 0.3 s; the window's upload, backup read "
                "included, at least 149 ticks = 2.2 s)  %s\n",
                runs[runs.size() / 2], runs.front(), runs.back(), cliWithin ? "ok" : "OVER");

    // An idle, connected link: what one tick costs.
    kit::unit().reset();
    DeviceLinkPanel panel;
    panel.show();
    kit::connectUnit(panel);
    QCoreApplication::processEvents();
    const int idleTicks = 20000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < idleTicks; ++i)
        panel.pollUsb();
    QCoreApplication::processEvents();
    std::printf("idle tick: %.2f us (%.4f%% of one core at one tick per 15 ms)\n",
                clock.nsecsElapsed() / 1000.0 / idleTicks,
                clock.nsecsElapsed() / 1e9 / idleTicks / 0.015 * 100);
    return allWithin ? 0 : 1;
}
