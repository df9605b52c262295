#include "RandomImage.h"

#include "PresetImage.h"

#include <QDateTime>
#include <QtGlobal>

#include <cstdio>

namespace {

const int Durations[] = {5, 10, 20, 50, 100, 150, 200};

} // namespace

quint32 RandomImage::sessionSeed()
{
    static const quint32 seed = [] {
        bool ok = false;
        const quint32 given = qEnvironmentVariable("CUESMITH_SEED").toUInt(&ok);
        return ok ? given : quint32(QDateTime::currentMSecsSinceEpoch() % 1000000007);
    }();
    return seed;
}

RandomImage::RandomImage(quint32 seed) : m_seed(seed), m_engine(seed) {}

QString RandomImage::replay() const
{
    return QStringLiteral(" (replay with CUESMITH_SEED=%1)").arg(m_seed);
}

int RandomImage::below(int n)
{
    return n > 1 ? int(std::uniform_int_distribution<int>(0, n - 1)(m_engine)) : 0;
}

int RandomImage::byte()
{
    const int edges[] = {0, 1, 0x7F, 0x80, 0xEF, 0xF0, 0xFF};
    return chance(30) ? edges[below(7)] : below(256);
}

int RandomImage::code()
{
    switch (below(10)) {
    case 0:
        return 81 + below(16);
    case 1:
        return chance(50) ? 0 : 231 + below(25);
    case 2:
        return 193 + below(38); // system
    case 3:
        return 129 + below(16); // macro
    default: {
        const int firsts[] = {1, 65, 97, 145};
        const int counts[] = {64, 16, 32, 16};
        const int kind = below(4);
        // Small entries, so that lists share codes and pools fill up.
        return firsts[kind] + (chance(70) ? below(4) : below(counts[kind]));
    }
    }
}

QByteArray RandomImage::bytes(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char(byte()));
    return out;
}

void RandomImage::fill(PresetImage &image)
{
    using R = PresetImage;
    auto put = [&image](R::Region r, int entry, int index, int value) {
        const R::RegionInfo &info = image.region(r);
        image.setImageByte(info.offset + entry * info.entrySize + index, value);
    };
    if (chance(5)) {
        for (int i = 0; i < image.imageSize(); ++i)
            image.setImageByte(i, below(256));
        return;
    }
    for (int i = 0; i < image.imageSize(); ++i)
        image.setImageByte(i, chance(80) ? 0 : byte());
    for (R::Region r : {R::GpiDebounce, R::DoublePressLimit, R::RelayPulse})
        for (int i = 0; i < image.region(r).entryCount; ++i)
            put(r, i, 0, chance(90) ? Durations[below(7)] : byte());
    for (R::Region r : {R::GpiPolarity, R::RelayBootState})
        for (int i = 0; i < image.region(r).entryCount; ++i)
            put(r, i, 0, chance(90) ? below(2) : byte());
    for (R::Region r : {R::PresetName, R::PresetDescription}) {
        const int length = below(17);
        for (int i = 0; i < 16; ++i)
            put(r, 0, i, i < length ? 32 + below(95) : 0);
    }
    for (R::Region r : {R::TriggerSlots, R::SwitchSlots, R::MacroSlots}) {
        const R::RegionInfo &info = image.region(r);
        for (int list = 0; list < info.entryCount; ++list) {
            const int used = chance(30) ? 0 : below(info.entrySize + 1);
            for (int slot = 0; slot < info.entrySize; ++slot)
                put(r, list, slot, slot < used ? code() : 0);
        }
    }
    for (int e = 0; e < 64; ++e) {
        if (chance(40))
            put(R::MidiEventPool, e, 0, chance(90) ? 1 + below(9) : byte());
        put(R::MidiEventPool, e, 1, chance(90) ? 0x80 + below(0x70) : byte());
        put(R::MidiEventPool, e, 2, chance(20) ? 0 : below(128));
        put(R::MidiEventPool, e, 3, chance(20) ? 0 : below(128));
    }
    for (int e = 0; e < 16; ++e) {
        put(R::SysexEventPool, e, 0, chance(40) ? 1 + below(9) : 0);
        put(R::SysexEventPool, e, 1, chance(90) ? 1 + below(31) : byte());
        put(R::SerialEventPool, e, 0, chance(90) ? 4 + below(29) : byte());
        for (int i = 1; i < 4; ++i)
            put(R::SerialEventPool, e, i, chance(90) ? below(2) : byte());
    }
    for (int e = 0; e < 32; ++e) {
        put(R::RelayEventPool, e, 0, chance(40) ? 1 + below(4) : (chance(90) ? 0 : byte()));
        put(R::RelayEventPool, e, 1, below(8));
    }
}

QByteArray RandomImage::image()
{
    PresetImage image;
    fill(image);
    QByteArray out;
    for (int i = 0; i < image.imageSize(); ++i)
        out.append(char(image.imageByte(i)));
    return out;
}
