#pragma once

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <cstdint>
#include <limits>

namespace runtime {

// 32-bit position and counter arithmetic that raises the overflow error instead of wrapping.
inline std::int32_t checkedAdd(std::int32_t left, std::int32_t right) {
    std::int32_t result = 0;
    if (__builtin_add_overflow(left, right, &result))
        raise(ErrorKind::Overflow, decimal(left) + " + " + decimal(right) + " does not fit in 32 bits");
    return result;
}

inline std::int32_t checkedSubtract(std::int32_t left, std::int32_t right) {
    std::int32_t result = 0;
    if (__builtin_sub_overflow(left, right, &result))
        raise(ErrorKind::Overflow, decimal(left) + " - " + decimal(right) + " does not fit in 32 bits");
    return result;
}

// Bound-tested access to a fixed table by a button index: outside 0..size-1 raises
// the subscript-out-of-range error.
template <class Table>
auto& tableAt(Table& table, std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= std::size(table))
        raise(ErrorKind::SubscriptOutOfRange, "index " + decimal(index) + " is outside 0 to " +
                                                  decimal(static_cast<std::int64_t>(std::size(table)) - 1));
    return table[static_cast<std::size_t>(index)];
}

} // namespace runtime
