#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace form {

// One whole number as a learner types it: decimal digits of either width, after an optional sign
// (+, - or − in either width), with blanks allowed around it. A number that the text cannot spell
// leaves number empty and says why in message, in Japanese; message is empty when number is set.
struct ParsedNumber {
    std::optional<std::int32_t> number;
    std::u16string message;
};

// The number the text spells, when it is a whole number within 32 bits.
ParsedNumber parseWholeNumber(std::u16string_view text);

} // namespace form
