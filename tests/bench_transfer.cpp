// Poll ticks an upload and a download take against a unit that answers at
// once, next to the protocol's floor (one reply per tick), and the processor
// time of a tick. Prints its figures; run by hand, it is not a test.
#include "DeviceTestKit.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

struct Figures
{
    int ticks = 0;
    double microsecondsPerTick = 0;
};

Figures measure(commsWidget &panel, PresetImage &image, bool upload)
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kit::quietLog();
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
        commsWidget panel;
        kit::connectUnit(panel);
        const Figures f = measure(panel, image, c.upload);
        const int floor = c.blocks + (c.upload ? 1 : 0);
        const bool within = f.ticks <= floor + 2 && kit::unit().violations().empty();
        allWithin = allWithin && within;
        std::printf("%-34s %6d %6d %8d %10.1f  %s\n", c.name, f.ticks, floor, floor + 2,
                    f.microsecondsPerTick, within ? "ok" : "OVER");
    }

    // An idle, connected link: what one tick costs.
    kit::unit().reset();
    commsWidget panel;
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
