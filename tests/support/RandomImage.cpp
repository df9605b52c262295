#include "support/RandomImage.h"

#include "core/preset/PresetImage.h"

#include <QDateTime>

#include <functional>

quint32 RandomImage::sessionSeed()
{
    static const quint32 seed = [] {
        bool ok = false;
        const quint32 given = qEnvironmentVariable("CUESMITH_SEED").toUInt(&ok);
        return ok ? given : quint32(QDateTime::currentMSecsSinceEpoch() % 1000000007);
    }();
    return seed;
}

int RandomImage::cases(int n)
{
#if defined(__SANITIZE_ADDRESS__)
    return qMax(1, n / 10);
#else
    return n;
#endif
}

QString RandomImage::firstFailure(QString (*check)(RandomImage &), int cases)
{
    cases = RandomImage::cases(cases);
    for (int i = 0; i < cases; ++i) {
        RandomImage random(sessionSeed() + quint32(i));
        const QString failure = check(random);
        if (!failure.isEmpty())
            return failure + random.replay();
    }
    return {};
}

RandomImage::RandomImage(quint32 seed) : m_seed(seed), m_engine(seed) {}

QString RandomImage::replay() const
{
    return QStringLiteral(" (replay with CUESMITH_SEED=%1)").arg(m_seed);
}

int RandomImage::below(int n)
{
    if (n <= 1)
        return 0;
    if (!m_data)
        return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
    quint32 value = 0;
    for (qint64 span = 1; span < n && m_pos < m_size; span <<= 8)
        value = value << 8 | m_data[m_pos++];
    return int(value % quint32(n));
}

int RandomImage::byte()
{
    const int edges[] = {0, 1, 0x7F, 0x80, 0xEF, 0xF0, 0xFF};
    return chance(30) ? edges[below(7)] : below(256);
}

int RandomImage::code()
{
    const int firsts[] = {81, 231, 193, 129, 1, 65, 97, 145},
              spans[] = {16, 25, 38, 16, 4, 4, 4, 4};
    const int range = below(10);
    // Mostly the first entries of each pool, so that lists share codes and pools fill.
    return range == 9 ? 0 : firsts[qMin(range, 7)] + below(spans[qMin(range, 7)]);
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
    const bool raw = m_data || chance(5);
    for (int i = 0; i < image.imageSize(); ++i) {
        const int fed = m_pos < m_size ? m_data[m_pos++] : 0;
        image.setImageByte(i, m_data ? fed : raw ? below(256) : chance(80) ? 0 : byte());
    }
    if (raw)
        return;
    // Each entry's bytes, chosen by `pick(entry, index)`.
    auto each = [&image](R::Region r, const std::function<int(int, int)> &pick) {
        const R::RegionInfo &info = image.region(r);
        for (int entry = 0; entry < info.entryCount; ++entry)
            for (int i = 0; i < info.entrySize; ++i)
                image.setImageByte(info.offset + entry * info.entrySize + i, pick(entry, i));
    };
    const int durations[] = {5, 10, 20, 50, 100, 150, 200};
    for (R::Region r : {R::GpiDebounce, R::DoublePressLimit, R::RelayPulse})
        each(r, [&](int, int) { return chance(90) ? durations[below(7)] : byte(); });
    for (R::Region r : {R::GpiPolarity, R::RelayBootState})
        each(r, [&](int, int) { return chance(90) ? below(2) : byte(); });
    int used = 0;
    for (R::Region r : {R::PresetName, R::PresetDescription})
        each(r, [&](int, int i) { return i < (used = i ? used : below(17)) ? 32 + below(95) : 0; });
    for (R::Region r : {R::TriggerSlots, R::SwitchSlots, R::MacroSlots})
        each(r, [&](int, int i) {
            used = i > 0 ? used : chance(30) ? 0 : below(image.region(r).entrySize + 1);
            return i < used ? code() : 0;
        });
    const int midi[] = {0, 0x80, 0, 0};
    each(R::MidiEventPool, [&](int, int i) {
        if (i == 0)
            return chance(60) ? 0 : chance(90) ? 1 + below(9) : byte();
        return chance(90) ? midi[i] + (i == 1 ? below(0x70) : chance(20) ? 0 : below(128)) : byte();
    });
    each(R::SysexEventPool, [&](int, int i) {
        return i == 0                 ? (chance(40) ? 1 + below(9) : 0)
               : i == 1 && chance(90) ? 1 + below(31)
                                      : byte();
    });
    each(R::SerialEventPool, [&](int, int i) {
        return i == 0 && chance(90) ? 4 + below(29) : i < 4 && chance(90) ? below(2) : byte();
    });
    each(R::RelayEventPool, [&](int, int i) {
        return i == 1 ? below(8) : chance(40) ? 1 + below(4) : chance(90) ? 0 : byte();
    });
    // Now and then one pool with every entry in use.
    const R::Region pools[] = {R::MidiEventPool, R::SysexEventPool, R::RelayEventPool,
                               R::SerialEventPool};
    const R::RegionInfo &full = image.region(pools[below(4)]);
    for (int entry = chance(25) ? 0 : full.entryCount; entry < full.entryCount; ++entry)
        image.setImageByte(full.offset + entry * full.entrySize, 1 + below(4));
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
