#pragma once

#include "runtime/Variant.h"
#include "sortlib/ICompare.h"

#include <string_view>

namespace pelora {

// A comparator that orders objects by one attribute, which it reads by name at run time.
class AttributeCompare : public sortlib::ICompare {
public:
    virtual std::u16string_view attribute() const = 0;
};

// Orders objects by one attribute read by name at run time, lhs first: true when the attribute of
// lhs is less than that of rhs. It knows nothing of the objects' classes.
template <std::u16string_view const& Attribute>
class AttributeLess : public AttributeCompare {
public:
    std::u16string_view attribute() const override { return Attribute; }

protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override {
        runtime::Variant const a = runtime::readMember(lhs, Attribute);
        runtime::Variant const b = runtime::readMember(rhs, Attribute);
        return runtime::lessThan(a, b).isTrue();
    }
};

inline constexpr std::u16string_view kHeight = u"Height";
inline constexpr std::u16string_view kWeight = u"Weight";
inline constexpr std::u16string_view kAge = u"Age";

class CmpHeight final : public AttributeLess<kHeight> {};
class CmpWeight final : public AttributeLess<kWeight> {};
class CmpAge final : public AttributeLess<kAge> {};

} // namespace pelora
