#include "form/Steps.h"

#include "form/Numbers.h"
#include "form/Table.h"
#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace form {

std::u16string errorText(runtime::RuntimeError const& error) {
    std::u16string text = runtime::fromUtf8(runtime::japaneseKindText(error.kind()));
    text += runtime::fromUtf8(error.japaneseDetail());
    text += u'。';
    return text;
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

Recorded Lesson::recordRun(Run const& run) const {
    if (!run.own)
        return {record(run.index, run.numbers)};
    (void)tableAt(choices, *run.own); // raises when the lesson offers no such choice
    return recordChoice(run);
}

std::u16string tieName(std::uint16_t group) {
    std::u16string name = u"同値 ";
    if (group >= 1 && group <= 26)
        name += static_cast<char16_t>(u'A' + group - 1);
    else
        name += runtime::decimalText(group);
    return name;
}

std::u16string_view tiedValue(Element const& element) {
    return element.value.empty() ? element.text : element.value;
}

namespace {

bool isSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u',' || c == u'、' || c == u'，';
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
        ParsedNumber const number = parseWholeNumber(token);
        if (!number.number) {
            parsed.message = number.message;
            return parsed;
        }
        numbers.push_back(*number.number);
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
