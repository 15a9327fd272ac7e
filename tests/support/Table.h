// Rows of test cases, read with structured bindings: for (auto [in, out] : Table<A, B>{...}).
#pragma once

#include <initializer_list>
#include <tuple>

namespace support {

template <class... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

} // namespace support
