#pragma once

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <array>
#include <cstdint>

namespace form {

// Bound-tested access to a fixed table by a button index: outside 0..size-1 raises the
// subscript-out-of-range error.
template <class Entry, std::size_t Size>
Entry& tableAt(std::array<Entry, Size>& table, std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Size)
        runtime::raise(runtime::ErrorKind::SubscriptOutOfRange,
                       runtime::en("index ", index, " is outside 0 to ", static_cast<std::int64_t>(Size) - 1),
                       runtime::ja("インデックス ", index, " は 0 から ", static_cast<std::int64_t>(Size) - 1,
                                   " の範囲にありません"));
    return table[static_cast<std::size_t>(index)];
}

} // namespace form
