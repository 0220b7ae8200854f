#pragma once

#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <type_traits>

namespace runtime {

namespace detail {

template <class MemberPointer>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
    using type = Class;
};

template <auto Pointer>
Variant readThrough(Object& self) {
    using Class = typename MemberOf<decltype(Pointer)>::type;
    auto& object = static_cast<Class&>(self);
    if constexpr (std::is_member_function_pointer_v<decltype(Pointer)>)
        return Variant((object.*Pointer)());
    else
        return Variant(object.*Pointer);
}

} // namespace detail

// An entry of a class's member table: `member<&Student::Height>(u"Height")` names a public data
// member or a method without arguments.
template <auto Pointer>
constexpr MemberEntry member(std::u16string_view name) {
    return MemberEntry{name, &detail::readThrough<Pointer>, false};
}

// The same, for the one member that an arithmetic operand reads from the object.
template <auto Pointer>
constexpr MemberEntry defaultMember(std::u16string_view name) {
    return MemberEntry{name, &detail::readThrough<Pointer>, true};
}

} // namespace runtime
