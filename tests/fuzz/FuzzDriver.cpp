// libFuzzer entry: hands each input to the target named at build time (FUZZ_TARGET).
#include "FuzzTargets.h"

#include <cstdlib>
#include <cstring>

#define FUZZ_NAME_OF(target) #target
#define FUZZ_NAME(target) FUZZ_NAME_OF(target)

static fuzz::Target chosenTarget()
{
    for (const fuzz::NamedTarget* t = fuzz::TARGETS; t->name; ++t)
        if (std::strcmp(t->name, FUZZ_NAME(FUZZ_TARGET)) == 0)
            return t->run;
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::Target target = chosenTarget();
    target(data, size);
    return 0;
}
