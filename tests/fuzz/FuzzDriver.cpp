// libFuzzer entry: hands each input to the target chosen at build time.
#include "FuzzTargets.h"

#define FUZZ_ENTRY_archive fuzz::archiveInput
#define FUZZ_ENTRY_data fuzz::dataStreamInput
#define FUZZ_ENTRY_OF(target) FUZZ_ENTRY_##target
#define FUZZ_ENTRY(target) FUZZ_ENTRY_OF(target)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FUZZ_ENTRY(FUZZ_TARGET)(data, size);
    return 0;
}
