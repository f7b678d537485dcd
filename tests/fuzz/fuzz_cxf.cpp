// libFuzzer target: the strict CxF3 reader.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::cxfFile(data, size);
    return 0;
}
