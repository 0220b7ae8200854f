#include "runtime/Invariant.h"

#include <cstdio>
#include <cstdlib>

namespace runtime {

void invariantBroken(std::string_view where, std::string_view what) noexcept {
    std::fprintf(stderr, "%.*s: broken invariant: %.*s\n", static_cast<int>(where.size()), where.data(),
                 static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace runtime
