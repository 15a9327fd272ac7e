// Test helpers: the kind of DExceptionBase a statement throws, a destruction probe and case tables.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <tuple>

#include "lang/DExceptionBase.h"
#include "lang/DObject.h"

namespace testing_support {

constexpr uint32_t NOTHING_THROWN = 0xFFFFFFFFu;

// Rows of test cases, read with structured bindings.
template <class... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

// Accepts and deletes whatever the body throws, reporting its kind (0 for a null record).
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

// Counts its own destructions, so tests can tell exactly when an object was freed.
class Probe : public vela::lang::DObject {
public:
    explicit Probe(int* destroyed) : destroyed(destroyed) { }
    ~Probe() override { ++*destroyed; }

private:
    int* destroyed;
};

} // namespace testing_support

#define EXPECT_THROWS_KIND(statement, kind)                                                   \
    EXPECT_EQ(testing_support::thrownKind([&] { statement; }), static_cast<uint32_t>(kind))
