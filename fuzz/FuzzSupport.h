#pragma once

// What the libFuzzer targets share: an application for the link's timer, and
// a broken invariant as a crash libFuzzer keeps.

#include "support/Invariants.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Runs one checker with its choices taken from the input.
inline int run(QString (*checker)(RandomImage &), const std::uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "cuesmith-fuzz";
    static char *argv[] = {name, nullptr};
    static const QCoreApplication *app = new QCoreApplication(argc, argv);
    Q_UNUSED(app);
    RandomImage random(data, size);
    const QString failure = checker(random);
    if (failure.isEmpty())
        return 0;
    std::fprintf(stderr, "\ninvariant broken: %s\n", qPrintable(failure));
    std::abort();
}

} // namespace fuzz
