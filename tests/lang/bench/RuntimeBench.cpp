// Benchmarks of the runtime core, with a counting allocator that proves the hot paths
// (retain and release, lookups by integer, the random step) allocate nothing.
#include <benchmark/benchmark.h>

#include "lang/DInteger.h"
#include "support/CountingNew.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"

using namespace vela::lang;
using namespace vela::util;
using support::allocations;

// Runs the timed loop and reports its allocations per iteration; a path that must not
// allocate and did is an error, which fails the benchmark's smoke test.
template <class Step>
static void measure(benchmark::State& state, bool mustNotAllocate, Step&& step)
{
    long start = allocations;
    for (auto _ : state)
        step();
    long used = allocations - start;
    state.counters["allocs/iter"] = static_cast<double>(used) / state.iterations();
    if (mustNotAllocate && used != 0)
        state.SkipWithError("allocated on a path that must not allocate");
}

static void RetainRelease(benchmark::State& state)
{
    DObjectPtr object = new DObject;
    measure(state, true, [&] {
        DObjectPtr copy = object;
        benchmark::DoNotOptimize(copy.get());
    });
}
BENCHMARK(RetainRelease);

// A table of 1000 integers; the argument picks the lookup: by an integer key's hash (1), which
// must not allocate, or by an equal key object (0).
static void HashtableGet(benchmark::State& state)
{
    DHashtablePtr table = new DHashtable;
    DObjectPtr keys[1000];
    for (int i = 0; i < 1000; ++i)
        table->put(keys[i] = new DInteger(i), new DInteger(i));
    int32_t i = 0;
    measure(state, state.range(0) == 1, [&] {
        benchmark::DoNotOptimize(state.range(0) ? table->get(i).get() : table->get(keys[i]).get());
        i = (i + 1) % 1000;
    });
}
BENCHMARK(HashtableGet)->Arg(0)->Arg(1);

static void RandomNext(benchmark::State& state)
{
    DRandomPtr random = new DRandom(1);
    measure(state, true, [&] { benchmark::DoNotOptimize(random->next(32)); });
}
BENCHMARK(RandomNext);
