#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

// Decimal digits of a whole number, "-" first when negative; no blank, leading zero or grouping.
std::string decimal(std::int64_t value);
std::u16string decimalText(std::int64_t value);

// UTF-8 form of a UTF-16 text, for messages. An unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
// UTF-16 form of a UTF-8 text, such as an error's message. A byte that starts no valid sequence
// becomes U+FFFD.
std::u16string fromUtf8(std::string_view text);

// Whether two texts are the same but for the case of ASCII letters ("height" and "Height").
bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) noexcept;

} // namespace runtime
