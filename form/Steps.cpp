#include "form/Steps.h"

#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

#include <limits>
#include <optional>

namespace form {

std::u16string_view errorKindText(runtime::ErrorKind kind) {
    switch (kind) {
    case runtime::ErrorKind::Overflow:
        return u"オーバーフローしました。";
    case runtime::ErrorKind::SubscriptOutOfRange:
        return u"インデックスが範囲外です。";
    case runtime::ErrorKind::TypeMismatch:
        return u"型が一致しません。";
    case runtime::ErrorKind::ObjectRequired:
        return u"オブジェクトが必要です。";
    case runtime::ErrorKind::FailedCall:
        return u"呼び出しに失敗しました。";
    case runtime::ErrorKind::InvalidArgument:
        return u"引数が正しくありません。";
    case runtime::ErrorKind::OutOfMemory:
        return u"メモリが不足しています。";
    }
    return u"実行時エラーです。";
}

std::u16string fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> texts) {
    std::u16string filled;
    filled.reserve(pattern.size() + 16);
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        std::size_t const index = at + 1 < pattern.size() ? pattern[at + 1] - u'1' : texts.size();
        if (pattern[at] == u'%' && index < texts.size()) {
            filled += texts.begin()[index];
            ++at;
        } else {
            filled += pattern[at];
        }
    }
    return filled;
}

namespace {

bool isSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u',' || c == u'、' || c == u'，';
}

// A digit typed in either width.
int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'０' && c <= u'９')
        return c - u'０';
    return -1;
}

bool isMinus(char16_t c) { return c == u'-' || c == u'－' || c == u'−'; }

// The number a token spells, or nothing; "outside" when it spells one beyond 32 bits.
std::optional<std::int64_t> numberOf(std::u16string_view token, bool& outside) {
    outside = false;
    bool const negative = isMinus(token.front());
    if (negative || token.front() == u'+' || token.front() == u'＋')
        token.remove_prefix(1);
    if (token.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char16_t const c : token) {
        int const digit = digitValue(c);
        if (digit < 0)
            return std::nullopt;
        if (!outside)
            value = value * 10 + digit;
        outside = outside || value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    }
    value = negative ? -value : value;
    outside = outside || value < std::numeric_limits<std::int32_t>::min() ||
              value > std::numeric_limits<std::int32_t>::max();
    return value;
}

} // namespace

ParsedNumbers parseNumbers(std::u16string_view text) {
    ParsedNumbers parsed;
    std::vector<std::int32_t> numbers;
    std::size_t at = 0;
    while (at < text.size()) {
        if (isSeparator(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        std::u16string_view const token = text.substr(at, end - at);
        at = end;
        bool outside = false;
        std::optional<std::int64_t> const number = numberOf(token, outside);
        if (!number) {
            parsed.message = u"「" + std::u16string(token) + u"」は整数ではありません。";
            return parsed;
        }
        if (outside) {
            parsed.message = u"「" + std::u16string(token) +
                             u"」は 32 ビットの整数（-2147483648 から 2147483647 まで）に収まりません。";
            return parsed;
        }
        numbers.push_back(static_cast<std::int32_t>(*number));
    }
    if (numbers.size() < kFewestNumbers || numbers.size() > kMostNumbers) {
        parsed.message = u"整数を 2 個から 20 個まで、空白かコンマで区切って入力してください（今は " +
                         runtime::decimalText(static_cast<std::int64_t>(numbers.size())) + u" 個です）。";
        return parsed;
    }
    parsed.numbers = std::move(numbers);
    return parsed;
}

runtime::Ref<runtime::Collection> collectionOf(std::span<std::int32_t const> numbers) {
    auto collection = runtime::make<runtime::Collection>();
    for (std::int32_t const number : numbers)
        collection->Add(runtime::Variant::fromInteger(number));
    return collection;
}

} // namespace form
