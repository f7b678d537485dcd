// libFuzzer target: the strict CSV readers.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::csvFile(data, size);
    return 0;
}
