#include "form/Numbers.h"

#include <algorithm>
#include <limits>

namespace form {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

// A digit typed in either width, or -1.
int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'０' && c <= u'９')
        return c - u'０';
    return -1;
}

bool isMinus(char16_t c) { return c == u'-' || c == u'－' || c == u'−'; }
bool isPlus(char16_t c) { return c == u'+' || c == u'＋'; }

std::u16string_view withoutBlanks(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

ParsedNumber parseWholeNumber(std::u16string_view text) {
    std::u16string_view const typed = withoutBlanks(text);
    if (typed.empty())
        return {std::nullopt, u"整数を入力してください。"};
    ParsedNumber const notANumber{std::nullopt, u"「" + std::u16string(typed) + u"」は整数ではありません。"};
    std::u16string_view digits = typed;
    bool const negative = isMinus(digits.front());
    if (negative || isPlus(digits.front()))
        digits.remove_prefix(1);
    if (digits.empty())
        return notANumber;
    // The magnitude stops growing once it is beyond every 32-bit value, so it never overflows.
    constexpr std::int64_t kBeyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
    std::int64_t magnitude = 0;
    for (char16_t const c : digits) {
        int const digit = digitValue(c);
        if (digit < 0)
            return notANumber;
        magnitude = std::min(magnitude * 10 + digit, kBeyond);
    }
    std::int64_t const value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return {std::nullopt,
                u"「" + std::u16string(typed) +
                    u"」は 32 ビットの整数（-2147483648 から 2147483647 まで）に収まりません。"};
    return {static_cast<std::int32_t>(value), {}};
}

} // namespace form
