#include "talverin/Comparators.h"

namespace talverin {

bool LongLess::ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
    std::int32_t const a = lhs.toInt32();
    std::int32_t const b = rhs.toInt32();
    return a < b;
}

bool LongGT::ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
    std::int32_t const a = lhs.toInt32();
    std::int32_t const b = rhs.toInt32();
    return a > b;
}

bool StrLess::ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
    std::u16string const s = lhs.toText();
    std::u16string const t = rhs.toText();
    return runtime::compareText(s, t) < 0;
}

} // namespace talverin
