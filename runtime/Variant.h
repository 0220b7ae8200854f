#pragma once

#include "runtime/Object.h"
#include "runtime/Ref.h"
#include "runtime/RefCounted.h"

#include <concepts>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

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

// The kinds of value; those from String on hold a counted reference.
enum class Kind : std::uint8_t { Empty, Int16, Int32, Boolean, Missing, String, Object };

// The kind's name in the English messages ("32-bit integer") and, in UTF-8, in the Japanese ones
// ("32 ビット整数", "Empty 値"). A Japanese message puts the name first or after a comma, where it
// needs no space before it whether it starts with a kana, a kanji or a Latin letter.
std::string_view kindName(Kind kind) noexcept;
std::string_view japaneseKindName(Kind kind) noexcept;

// An immutable text, shared by every value that holds it.
class SharedText final : public RefCounted {
public:
    explicit SharedText(std::u16string text) noexcept : m_text(std::move(text)) {}
    std::u16string const& text() const noexcept { return m_text; }

private:
    std::u16string m_text;
};

// A tagged value of 16 bytes: the kind and one 8-byte payload. Text and objects are held by counted
// reference, so copying shares them (the count goes up) and moving leaves the source Empty.
// Copying and moving never allocate; only making a new text does.
//
// The payload is a plain union rather than a std::variant: a copy or a move is then a 16-byte copy
// plus, for text and objects, one count, which keeps moving elements inside a Collection cheap.
class Variant {
public:
    Variant() noexcept = default;
    Variant(Empty) noexcept {}
    Variant(Missing) noexcept : m_kind(Kind::Missing) {}
    Variant(std::int16_t value) noexcept : m_kind(Kind::Int16) { m_payload.int16 = value; }
    Variant(std::int32_t value) noexcept : m_kind(Kind::Int32) { m_payload.int32 = value; }
    Variant(Boolean value) noexcept : m_kind(Kind::Boolean) { m_payload.boolean = value; }
    Variant(bool) = delete; // a truth value is a Boolean; use fromBool()
    Variant(std::u16string value) : Variant(make<SharedText>(std::move(value)).leak()) {}
    Variant(std::u16string_view value) : Variant(std::u16string(value)) {}
    Variant(char16_t const* value) : Variant(std::u16string(value)) {}
    template <std::derived_from<Object> T>
    Variant(Ref<T> object) noexcept : Variant(static_cast<Object*>(object.leak())) {}

    // A whole number in the narrowest of the two integer kinds that holds it; beyond 32 bits
    // it raises the overflow error.
    static Variant fromInteger(std::int64_t value);
    static Variant fromBool(bool value) noexcept { return Variant(value ? Boolean::True : Boolean::False); }

    Variant(Variant const& other) noexcept : m_kind(other.m_kind), m_payload(other.m_payload) { retain(); }
    Variant(Variant&& other) noexcept
        : m_kind(std::exchange(other.m_kind, Kind::Empty)), m_payload(other.m_payload) {}
    Variant& operator=(Variant const& other) noexcept {
        Variant copy(other);
        swap(copy);
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        Variant taken(std::move(other));
        swap(taken);
        return *this;
    }
    ~Variant() { release(); }

    void swap(Variant& other) noexcept {
        std::swap(m_kind, other.m_kind);
        std::swap(m_payload, other.m_payload);
    }

    Kind kind() const noexcept { return m_kind; }
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
    Ref<Object> asObject() const;

    // Converting access. An object converts through one read of its default member.
    std::int32_t toInt32() const { // type mismatch or overflow when impossible
        if (m_kind == Kind::Int32)
            return m_payload.int32;
        if (m_kind == Kind::Int16)
            return m_payload.int16;
        return convertToInt32();
    }
    std::u16string toText() const; // integers as decimal digits
    bool isTrue() const;           // a tested value is true when nonzero

    // Same kind and same value (texts by content, objects by identity). This is not the language's
    // comparison.
    friend bool operator==(Variant const& left, Variant const& right) noexcept;

private:
    // Take over one count of a new text, or of an object (null: an object variable set to nothing).
    explicit Variant(SharedText* text) noexcept : m_kind(Kind::String) { m_payload.text = text; }
    explicit Variant(Object* object) noexcept : m_kind(Kind::Object) { m_payload.object = object; }

    std::int32_t convertToInt32() const;

    // The counted text or object this value holds, if any. Values of the other kinds, the ones a
    // sort and a transform mostly move about, pass with a single test.
    RefCounted const* counted() const noexcept {
        if (m_kind < Kind::String)
            return nullptr;
        if (m_kind == Kind::String)
            return m_payload.text;
        return m_payload.object;
    }
    void retain() const noexcept {
        if (RefCounted const* held = counted())
            held->ref();
    }
    void release() const noexcept {
        if (RefCounted const* held = counted())
            held->unref();
    }

    union Payload {
        std::int16_t int16;
        std::int32_t int32;
        Boolean boolean;
        SharedText const* text;
        Object* object;
    };

    Kind m_kind = Kind::Empty;
    Payload m_payload{.int32 = 0};
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
