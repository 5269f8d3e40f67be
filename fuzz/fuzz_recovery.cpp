#include "recovery_fuzz_entry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (vantrel::fuzz::runRecoveryInput(data, size) != 0)
        std::abort();
    return 0;
}
