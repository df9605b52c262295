#include "FuzzSupport.h"

// JSON import as the tool runs it, on exports the input makes and edits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    return fuzz::run(invariants::checkImport, data, size);
}
