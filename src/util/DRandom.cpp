// 48-bit linear congruential generator.
#include "util/DRandom.h"

#include "lang/DSystem.h"

namespace vela::util {

namespace {
constexpr uint64_t MULTIPLIER = 0x5DEECE66Dull;
constexpr uint64_t INCREMENT = 0xB;
constexpr uint64_t MASK = (1ull << 48) - 1;
} // namespace

DRandom::DRandom() : DRandom(vela::lang::DSystem::currentTimeMillis()) { }

DRandom::DRandom(int64_t seed)
{
    setSeed(seed);
}

void DRandom::setSeed(int64_t value)
{
    setState((static_cast<uint64_t>(value) ^ MULTIPLIER) & MASK);
}

uint64_t DRandom::getState() const
{
    return uint64_t { seedHigh } << 32 | seedLow;
}

void DRandom::setState(uint64_t state)
{
    state &= MASK;
    seedLow = static_cast<uint32_t>(state);
    seedHigh = static_cast<uint32_t>(state >> 32);
}

int32_t DRandom::next(int32_t bits)
{
    uint64_t seed = (getState() * MULTIPLIER + INCREMENT) & MASK;
    setState(seed);
    // Clamped so the shift stays defined for any argument.
    int shift = 48 - (bits < 0 ? 0 : bits > 48 ? 48 : bits);
    return static_cast<int32_t>(static_cast<uint32_t>(seed >> shift));
}

} // namespace vela::util
