#include "FuzzSupport.h"

// The preset image, preset files, event records and the event store: the
// first byte picks the checker, the rest makes its choices.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    static QString (*const checks[])(RandomImage &) = {
        invariants::checkImage, invariants::checkFile, invariants::checkRecords,
        invariants::checkStore};
    return size == 0 ? 0 : fuzz::run(checks[data[0] % 4], data + 1, size - 1);
}
