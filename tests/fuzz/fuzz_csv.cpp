// libFuzzer target: the strict CSV readers.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::csvFile(data, size);
    return 0;
}
