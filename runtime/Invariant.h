#pragma once

#include <string_view>

namespace runtime {

// Reports that a structure broke one of its own invariants, naming where and what, and stops the
// program: such a state comes only from a fault in this code, and going on would spread it. Tests
// and fuzz targets call checks that end here.
[[noreturn]] void invariantBroken(std::string_view where, std::string_view what) noexcept;

inline void expectInvariant(bool holds, std::string_view where, std::string_view what) noexcept {
    if (!holds)
        invariantBroken(where, what);
}

} // namespace runtime
