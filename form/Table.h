#pragma once

#include "runtime/Error.h"
#include "runtime/Ref.h"
#include "runtime/Text.h"

#include <array>
#include <cstdint>
#include <functional>

namespace form {

// Bound-tested access to a fixed table by a button index: outside 0..size-1 raises the
// subscript-out-of-range error.
template <class Entry, std::size_t Size>
Entry& tableAt(std::array<Entry, Size>& table, std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Size)
        runtime::raise(runtime::ErrorKind::SubscriptOutOfRange, "index ", index, " is outside 0 to ",
                       static_cast<std::int64_t>(Size) - 1);
    return table[static_cast<std::size_t>(index)];
}

// Replaces each entry of a click's interface table by what the wrapper makes of it. A form takes
// one so that a test can watch or fail the calls that a click makes; an empty wrapper leaves the
// table as built.
template <class Interface>
using EntryWrapper = std::function<runtime::Ref<Interface>(runtime::Ref<Interface>)>;

template <class Interface, std::size_t Size>
void wrapEntries(std::array<runtime::Ref<Interface>, Size>& table, EntryWrapper<Interface> const& wrap) {
    if (!wrap)
        return;
    for (runtime::Ref<Interface>& entry : table)
        entry = wrap(std::move(entry));
}

} // namespace form
