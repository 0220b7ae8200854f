#pragma once

#include "runtime/Object.h"
#include "runtime/Ref.h"

#include <concepts>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

namespace runtime {

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};

// The marker of an omitted optional argument.
struct Missing {
    friend bool operator==(Missing, Missing) = default;
};

// The platform's truth value: 16 bits, true is -1 (all bits set), false is 0.
enum class Boolean : std::int16_t { False = 0, True = -1 };

enum class Kind { Empty, Int16, Int32, Boolean, String, Object, Missing };

std::string_view kindName(Kind kind) noexcept;

// A tagged value. Copying shares an object (its count goes up); moving leaves the source Empty.
// Copying or moving a value that holds neither an object nor a string allocates nothing.
class Variant {
public:
    Variant() noexcept = default;
    Variant(Empty) noexcept {}
    Variant(Missing) noexcept : m_value(Missing{}) {}
    Variant(std::int16_t value) noexcept : m_value(value) {}
    Variant(std::int32_t value) noexcept : m_value(value) {}
    Variant(Boolean value) noexcept : m_value(value) {}
    Variant(bool) = delete; // a truth value is a Boolean; use fromBool()
    Variant(std::u16string value) noexcept : m_value(std::move(value)) {}
    Variant(std::u16string_view value) : m_value(std::u16string(value)) {}
    Variant(char16_t const* value) : m_value(std::u16string(value)) {}
    template <std::derived_from<Object> T>
    Variant(Ref<T> object) noexcept : m_value(Ref<Object>(std::move(object))) {}

    // A whole number in the narrowest of the two integer kinds that holds it; beyond 32 bits
    // it raises the overflow error.
    static Variant fromInteger(std::int64_t value);
    static Variant fromBool(bool value) noexcept { return Variant(value ? Boolean::True : Boolean::False); }

    Variant(Variant const&) = default;
    Variant(Variant&& other) noexcept : m_value(std::move(other.m_value)) { other.m_value.emplace<Empty>(); }
    Variant& operator=(Variant const& other) {
        Variant copy(other);
        swap(copy);
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        Variant taken(std::move(other));
        swap(taken);
        return *this;
    }
    ~Variant() = default;

    void swap(Variant& other) noexcept { m_value.swap(other.m_value); }

    Kind kind() const noexcept { return static_cast<Kind>(m_value.index()); }
    std::string_view kindName() const noexcept { return runtime::kindName(kind()); }
    bool isEmpty() const noexcept { return kind() == Kind::Empty; }
    bool isMissing() const noexcept { return kind() == Kind::Missing; }
    // The object test: true when the value holds an object.
    bool isObject() const noexcept { return kind() == Kind::Object; }

    // Strict access: the value must already be of the asked kind, else type mismatch
    // (object required for asObject).
    std::int16_t asInt16() const;
    std::int32_t asInt32() const;
    Boolean asBoolean() const;
    std::u16string const& asString() const;
    Ref<Object> const& asObject() const;

    // Converting access. An object converts through one read of its default member.
    std::int32_t toInt32() const;  // type mismatch or overflow when impossible
    std::u16string toText() const; // integers as decimal digits
    bool isTrue() const;           // a tested value is true when nonzero

    // Same kind and same value (objects by identity). This is not the language's comparison.
    friend bool operator==(Variant const& left, Variant const& right) noexcept {
        return left.m_value == right.m_value;
    }

private:
    std::variant<Empty, std::int16_t, std::int32_t, Boolean, std::u16string, Ref<Object>, Missing> m_value;
};

// Exact arithmetic. Two 16-bit operands give a 16-bit result where it fits and a 32-bit one where
// it does not; any 32-bit operand gives a 32-bit result; beyond 32 bits the overflow error is
// raised. Empty counts as 16-bit 0 and a truth value as a 16-bit integer; an object operand
// contributes one read of its default member. Text and Missing are a type mismatch.
Variant operator*(Variant const& left, Variant const& right);
Variant operator-(Variant const& left, Variant const& right);

// A truth value: numbers compare numerically, texts by UTF-16 code unit, a number stands before
// any text, and Empty is 0 beside a number and "" beside a text.
Variant lessThan(Variant const& left, Variant const& right);

// The texts of left and right joined.
Variant concat(Variant const& left, Variant const& right);

// Late-bound member access on the object that target holds; a target without an object raises
// the object-required error.
Variant readMember(Variant const& target, std::u16string_view name);

// Ordinal comparison of two texts by UTF-16 code unit: negative, zero or positive.
int compareText(std::u16string_view left, std::u16string_view right) noexcept;

std::ostream& operator<<(std::ostream& out, Variant const& value);

} // namespace runtime
