#pragma once

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace form {

// Bound-tested access to a fixed table (an array) by a button index: outside 0..size-1 raises the
// subscript-out-of-range error.
template <class Table>
auto& tableAt(Table& table, std::int16_t index) {
    std::size_t const size = std::size(table);
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        runtime::raise(runtime::ErrorKind::SubscriptOutOfRange, "index ", index, " is outside 0 to ",
                       static_cast<std::int64_t>(size) - 1);
    return table[static_cast<std::size_t>(index)];
}

} // namespace form
