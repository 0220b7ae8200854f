#pragma once

#include "sortlib/ICompare.h"

namespace talverin {

// Ascending by value: both arguments converted to 32-bit integers, lhs first.
class LongLess final : public sortlib::ICompare {
protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;
};

// Descending by value: lhs greater than rhs. Equal values answer false, as with LongLess.
class LongGT final : public sortlib::ICompare {
protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;
};

// Ascending by decimal text, compared by UTF-16 code unit: "12703" comes before "1851".
class StrLess final : public sortlib::ICompare {
protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;
};

} // namespace talverin
