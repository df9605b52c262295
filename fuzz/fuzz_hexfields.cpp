#include "FuzzSupport.h"

// Hex and Latin-1 text as the event editor's fields take it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    return fuzz::run(invariants::checkHexText, data, size);
}
