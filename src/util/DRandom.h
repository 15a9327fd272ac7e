// 48-bit linear congruential random generator.
#pragma once

#include "lang/DObject.h"
#include "util/DRandom.ptr"

namespace vela::util {

class DRandom : public vela::lang::DObject {
public:
    // Seeded from the millisecond tick count: two generators made in the same millisecond
    // give the same sequence.
    DRandom();
    explicit DRandom(int64_t seed);

    // seed := (value XOR 0x5DEECE66D) AND (2^48 - 1), as the constructors do.
    void setSeed(int64_t value);
    // The current 48-bit state, as kept (for saving and restoring a generator).
    uint64_t getState() const;
    void setState(uint64_t state);

    // Advances the state and returns its top `bits` bits (1 … 32).
    int32_t next(int32_t bits);
    int32_t nextInt() { return next(32); }

private:
    uint32_t seedLow = 0;
    uint32_t seedHigh = 0;
};

} // namespace vela::util
