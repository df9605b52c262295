#include "FuzzSupport.h"

// The device link against a faulty virtual unit, the input choosing the faults.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    return fuzz::run(invariants::checkDevice, data, size);
}
