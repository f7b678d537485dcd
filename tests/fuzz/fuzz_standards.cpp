// libFuzzer target: the tolerance LIST and the library-of-standards CSV.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::standardsFile(data, size);
    return 0;
}
