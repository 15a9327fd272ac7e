// The kind of runtime exception a statement throws, as one number a test can compare.
#pragma once

#include "lang/DExceptionBase.h"

#include <cstdint>

namespace support {

constexpr uint32_t NOTHING_THROWN = 0xFFFFFFFFu;

// Catches and deletes what the body throws and returns its kind: 0 for a null record,
// NOTHING_THROWN when the body returns.
template <class Body>
uint32_t thrownKind(Body&& body)
{
    try {
        body();
    } catch (vela::lang::DExceptionBase* e) {
        uint32_t code = e ? e->code : 0;
        delete e;
        return code;
    }
    return NOTHING_THROWN;
}

} // namespace support

#define EXPECT_THROWS_KIND(statement, kind) \
    EXPECT_EQ(support::thrownKind([&] { statement; }), static_cast<uint32_t>(kind))
