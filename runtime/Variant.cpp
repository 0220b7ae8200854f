#include "runtime/Variant.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <limits>
#include <optional>
#include <ostream>

namespace runtime {

static_assert(sizeof(Variant) == 16, "a value is its kind and one 8-byte payload");

std::string_view kindName(Kind kind) noexcept {
    switch (kind) {
    case Kind::Empty:
        return "Empty";
    case Kind::Int16:
        return "16-bit integer";
    case Kind::Int32:
        return "32-bit integer";
    case Kind::Boolean:
        return "truth value";
    case Kind::String:
        return "string";
    case Kind::Object:
        return "object";
    case Kind::Missing:
        return "Missing";
    }
    return "unknown";
}

std::string_view japaneseKindName(Kind kind) noexcept {
    switch (kind) {
    case Kind::Empty:
        return "Empty 値";
    case Kind::Int16:
        return "16 ビット整数";
    case Kind::Int32:
        return "32 ビット整数";
    case Kind::Boolean:
        return "真偽値";
    case Kind::String:
        return "文字列";
    case Kind::Object:
        return "オブジェクト";
    case Kind::Missing:
        return "Missing 値";
    }
    return "不明な値";
}

namespace {

[[noreturn]] void mismatch(Kind expected, Kind actual) {
    raise(ErrorKind::TypeMismatch, en("expected ", kindName(expected), ", got ", kindName(actual)),
          ja(japaneseKindName(expected), "が必要ですが、", japaneseKindName(actual), "が渡されました"));
}

bool fits16(std::int64_t value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

bool fits32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// The one place where an exact result gets its kind: 16-bit where allowed and it fits, else 32-bit.
// Nothing beyond 32 bits.
std::optional<Variant> fitted(std::int64_t value, bool allow16) {
    if (allow16 && fits16(value))
        return Variant(static_cast<std::int16_t>(value));
    if (fits32(value))
        return Variant(static_cast<std::int32_t>(value));
    return std::nullopt;
}

// A variant as an arithmetic or comparison operand: the value itself, or for an object one read of
// its default member, kept in storage.
Variant const& operand(Variant const& value, Variant& storage) {
    if (!value.isObject())
        return value;
    storage = value.asObject()->readDefaultMember();
    if (storage.isObject())
        mismatch(Kind::Int32, Kind::Object);
    return storage;
}

struct Number {
    std::int64_t value;
    bool wide; // held as a 32-bit integer
};

// The numeric value of an operand that is not an object, or nothing for text.
std::optional<Number> numberOf(Variant const& value) {
    switch (value.kind()) {
    case Kind::Empty:
        return Number{0, false};
    case Kind::Int16:
        return Number{value.asInt16(), false};
    case Kind::Int32:
        return Number{value.asInt32(), true};
    case Kind::Boolean:
        return Number{static_cast<std::int16_t>(value.asBoolean()), false};
    case Kind::String:
        return std::nullopt;
    case Kind::Object:
    case Kind::Missing:
        break;
    }
    mismatch(Kind::Int32, value.kind());
}

Number arithmeticOperand(Variant const& value) {
    Variant storage;
    Variant const& resolved = operand(value, storage);
    auto const number = numberOf(resolved);
    if (!number)
        mismatch(Kind::Int32, resolved.kind());
    return *number;
}

Variant arithmeticResult(Number a, char op, Number b, std::int64_t value) {
    if (auto result = fitted(value, !a.wide && !b.wide))
        return *std::move(result);
    std::string_view const sign = op == '*' ? "×" : std::string_view(&op, 1);
    raise(ErrorKind::Overflow, en(a.value, ' ', op, ' ', b.value, " = ", value, " does not fit in 32 bits"),
          ja(a.value, ' ', sign, ' ', b.value, " = ", value, " は 32 ビット整数に収まりません"));
}

// Parses optional blanks, an optional sign, decimal digits and optional blanks.
std::int32_t parseInt32(std::u16string_view text) {
    auto isBlank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == u'-' || text[begin] == u'+'))
        negative = text[begin++] == u'-';
    if (begin == end)
        raise(ErrorKind::TypeMismatch, en('\'', text, "' is not a whole number"),
              ja("文字列「", text, "」は整数ではありません"));
    std::int64_t magnitude = 0;
    bool tooLarge = false;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            raise(ErrorKind::TypeMismatch, en('\'', text, "' is not a whole number"),
                  ja("文字列「", text, "」は整数ではありません"));
        if (!tooLarge)
            magnitude = magnitude * 10 + (text[i] - u'0');
        tooLarge = tooLarge || magnitude > (std::int64_t{1} << 32);
    }
    std::int64_t const value = negative ? -magnitude : magnitude;
    if (tooLarge || !fits32(value))
        raise(ErrorKind::Overflow, en('\'', text, "' does not fit in 32 bits"),
              ja("文字列「", text, "」の値は 32 ビット整数に収まりません"));
    return static_cast<std::int32_t>(value);
}

} // namespace

Variant Variant::fromInteger(std::int64_t value) {
    if (auto result = fitted(value, true))
        return *std::move(result);
    raise(ErrorKind::Overflow, en(value, " does not fit in 32 bits"),
          ja(value, " は 32 ビット整数に収まりません"));
}

std::int16_t Variant::asInt16() const {
    if (m_kind != Kind::Int16)
        mismatch(Kind::Int16, m_kind);
    return m_payload.int16;
}

std::int32_t Variant::asInt32() const {
    if (m_kind != Kind::Int32)
        mismatch(Kind::Int32, m_kind);
    return m_payload.int32;
}

Boolean Variant::asBoolean() const {
    if (m_kind != Kind::Boolean)
        mismatch(Kind::Boolean, m_kind);
    return m_payload.boolean;
}

std::u16string const& Variant::asString() const {
    if (m_kind != Kind::String)
        mismatch(Kind::String, m_kind);
    return m_payload.text->text();
}

bool operator==(Variant const& left, Variant const& right) noexcept {
    if (left.m_kind != right.m_kind)
        return false;
    switch (left.m_kind) {
    case Kind::Int16:
        return left.m_payload.int16 == right.m_payload.int16;
    case Kind::Int32:
        return left.m_payload.int32 == right.m_payload.int32;
    case Kind::Boolean:
        return left.m_payload.boolean == right.m_payload.boolean;
    case Kind::String:
        return left.m_payload.text->text() == right.m_payload.text->text();
    case Kind::Object:
        return left.m_payload.object == right.m_payload.object;
    case Kind::Empty:
    case Kind::Missing:
        break;
    }
    return true;
}

Ref<Object> Variant::asObject() const {
    if (m_kind != Kind::Object)
        raise(ErrorKind::ObjectRequired, en("expected object, got ", kindName()),
              ja("オブジェクトが必要ですが、", japaneseKindName(kind()), "が渡されました"));
    return m_payload.object ? Ref<Object>(*m_payload.object) : Ref<Object>();
}

std::int32_t Variant::convertToInt32() const {
    Variant storage;
    Variant const& resolved = operand(*this, storage);
    if (resolved.kind() == Kind::String)
        return parseInt32(resolved.asString());
    // Every number held fits in 32 bits.
    return static_cast<std::int32_t>(numberOf(resolved)->value);
}

std::u16string Variant::toText() const {
    Variant storage;
    Variant const& resolved = operand(*this, storage);
    switch (resolved.kind()) {
    case Kind::Empty:
        return {};
    case Kind::String:
        return resolved.asString();
    case Kind::Boolean:
        return resolved.asBoolean() == Boolean::False ? u"False" : u"True";
    case Kind::Int16:
    case Kind::Int32:
        return decimalText(numberOf(resolved)->value);
    case Kind::Object:
    case Kind::Missing:
        break;
    }
    mismatch(Kind::String, resolved.kind());
}

bool Variant::isTrue() const { return arithmeticOperand(*this).value != 0; }

Variant operator*(Variant const& left, Variant const& right) {
    Number const a = arithmeticOperand(left);
    Number const b = arithmeticOperand(right);
    return arithmeticResult(a, '*', b, a.value * b.value);
}

Variant operator-(Variant const& left, Variant const& right) {
    Number const a = arithmeticOperand(left);
    Number const b = arithmeticOperand(right);
    return arithmeticResult(a, '-', b, a.value - b.value);
}

Variant lessThan(Variant const& left, Variant const& right) {
    Variant leftStorage;
    Variant rightStorage;
    Variant const& a = operand(left, leftStorage);
    Variant const& b = operand(right, rightStorage);
    auto const numberA = numberOf(a);
    auto const numberB = numberOf(b);
    if (numberA && numberB)
        return Variant::fromBool(numberA->value < numberB->value);
    // At least one side is text. Empty beside a text reads as "", and a number stands before any text.
    if (!numberA && !numberB)
        return Variant::fromBool(compareText(a.asString(), b.asString()) < 0);
    if (a.isEmpty())
        return Variant::fromBool(!b.asString().empty());
    if (b.isEmpty())
        return Variant::fromBool(false);
    return Variant::fromBool(numberA.has_value());
}

Variant concat(Variant const& left, Variant const& right) {
    std::u16string text = left.toText();
    text += right.toText();
    return Variant(std::move(text));
}

Variant readMember(Variant const& target, std::u16string_view name) {
    return target.asObject()->readMember(name);
}

int compareText(std::u16string_view left, std::u16string_view right) noexcept {
    // std::u16string_view compares by char16_t value, that is by UTF-16 code unit.
    return left.compare(right);
}

std::ostream& operator<<(std::ostream& out, Variant const& value) {
    out << value.kindName();
    switch (value.kind()) {
    case Kind::Int16:
    case Kind::Int32:
    case Kind::Boolean:
    case Kind::String:
        return out << ' ' << toUtf8(value.toText());
    case Kind::Object:
        return out << ' ' << value.asObject()->className();
    case Kind::Empty:
    case Kind::Missing:
        break;
    }
    return out;
}

} // namespace runtime
