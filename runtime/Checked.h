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
        raise(ErrorKind::Overflow, en(left, " + ", right, " does not fit in 32 bits"),
              ja(left, " + ", right, " の結果は 32 ビット整数に収まりません"));
    return result;
}

inline std::int32_t checkedSubtract(std::int32_t left, std::int32_t right) {
    std::int32_t result = 0;
    if (__builtin_sub_overflow(left, right, &result))
        raise(ErrorKind::Overflow, en(left, " - ", right, " does not fit in 32 bits"),
              ja(left, " - ", right, " の結果は 32 ビット整数に収まりません"));
    return result;
}

} // namespace runtime
