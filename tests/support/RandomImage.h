#pragma once

#include <QByteArray>
#include <QString>

#include <random>

class PresetImage;

// Seeded source of preset images for property tests. Most bytes take values
// the program gives meaning to (valid and shared event codes, records in use,
// duration codes, zero data bytes) and some take values it must survive (codes
// 81-96 and past 230, lengths past a record, bytes past 0x7F). One seed gives
// one sequence, so a failure replays with CUESMITH_SEED set to the printed seed.
class RandomImage
{
public:
    // The seed of this process: CUESMITH_SEED when set, otherwise from the clock.
    static quint32 sessionSeed();

    // Runs `check` on `cases` generators seeded one after another from the
    // session's seed: the first failure, with the seed that replays it first.
    // `n`, or a tenth of it under AddressSanitizer, where every allocation is
    // traced: the same paths without outrunning the test's time limit.
    static int cases(int n);
    static QString firstFailure(QString (*check)(RandomImage &), int cases);

    explicit RandomImage(quint32 seed = sessionSeed());
    // Takes every choice from a fuzz input instead (0 once it runs out), and
    // fill() copies the input's first bytes as they are.
    RandomImage(const unsigned char *data, size_t size) : m_seed(0), m_data(data), m_size(size) {}

    // Appended to a failure message: how to replay it.
    QString replay() const;

    int below(int n);
    bool chance(int percent) { return below(100) < percent; }
    // A byte biased toward the edges a comparison would get wrong.
    int byte();
    // An event code: mostly valid ones, sometimes 81-96, 231-255 or 0.
    int code();
    QByteArray bytes(int count);

    // 1760 image bytes; sets the flat image only (call parseImage() to load).
    void fill(PresetImage &image);
    QByteArray image();

private:
    quint32 m_seed;
    std::mt19937 m_engine;
    const unsigned char *m_data = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
};
