// Benchmarks of the runtime core, with a counting allocator that proves the hot paths
// (retain/release, get by integer, the random step) allocate nothing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"
#include "util/DVector.h"

using namespace vela::lang;
using namespace vela::util;

static long allocations = 0;

// The replacements below pair malloc with free themselves; once inlined, the compiler cannot
// see that and warns about every delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

// Runs the timed loop, reports its allocations per iteration and fails the benchmark when a
// path that must not allocate did.
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

static void StringConcat(benchmark::State& state)
{
    DStringPtr left = new DString(u"snd/"), right = new DString(u"select_sound_effect");
    measure(state, false, [&] { benchmark::DoNotOptimize((left + right).get()); });
}
BENCHMARK(StringConcat);

static void StringHashCodeFresh(benchmark::State& state)
{
    measure(state, false, [] {
        DStringPtr s = new DString(u"a text of forty units for the hash code!");
        benchmark::DoNotOptimize(s->hashCode());
    });
}
BENCHMARK(StringHashCodeFresh);

static DHashtablePtr tableOfIntegers(int n)
{
    DHashtablePtr table = new DHashtable;
    for (int i = 0; i < n; ++i)
        table->put(new DInteger(i), new DInteger(i));
    return table;
}

static void HashtablePut(benchmark::State& state)
{
    measure(state, false, [] { benchmark::DoNotOptimize(tableOfIntegers(1000).get()); });
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(HashtablePut);

static void HashtableGetByString(benchmark::State& state)
{
    DHashtablePtr table = new DHashtable;
    DStringPtr keys[64];
    for (int i = 0; i < 64; ++i) {
        keys[i] = u"key" + DStringPtr(DInteger::toString(i));
        table->put(keys[i], new DInteger(i));
    }
    int i = 0;
    measure(state, false, [&] { benchmark::DoNotOptimize(table->get(keys[i++ & 63]).get()); });
}
BENCHMARK(HashtableGetByString);

static void HashtableGetByInteger(benchmark::State& state)
{
    DHashtablePtr table = tableOfIntegers(1000);
    int32_t i = 0;
    measure(state, true, [&] {
        benchmark::DoNotOptimize(table->get(i).get());
        i = (i + 1) % 1000;
    });
}
BENCHMARK(HashtableGetByInteger);

static void VectorAddRemove(benchmark::State& state)
{
    DVectorPtr vector = new DVector;
    DObjectPtr element = new DObject;
    measure(state, false, [&] {
        for (int i = 0; i < 100; ++i)
            vector->addElement(element);
        while (vector->size() > 0)
            vector->removeElementAt(vector->size() - 1);
    });
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(VectorAddRemove);

static void RandomNext(benchmark::State& state)
{
    DRandomPtr random = new DRandom(1);
    measure(state, true, [&] { benchmark::DoNotOptimize(random->next(32)); });
}
BENCHMARK(RandomNext);
