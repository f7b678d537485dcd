// libFuzzer target: the standard-colour sheet checks of the library upload.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::standardColorSheet(data, size);
    return 0;
}
