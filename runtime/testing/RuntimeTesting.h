#pragma once

#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace runtime::testing {

// Values of the two integer kinds, for tests that care which kind a value has.
inline Variant i16(std::int16_t value) { return Variant(value); }
inline Variant i32(std::int32_t value) { return Variant(value); }

// Succeeds when action raises a run-time error of the given kind.
template <class Action>
::testing::AssertionResult raises(ErrorKind kind, Action&& action) {
    try {
        action();
    } catch (RuntimeError const& error) {
        if (error.kind() == kind)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "raised '" << error.what() << "', expected " << kindName(kind);
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << kindName(kind);
}

// The elements of a collection as text, first to last.
inline std::vector<std::string> textsOf(Collection const& collection) {
    std::vector<std::string> texts;
    for (Variant const& element : collection)
        texts.push_back(toUtf8(element.toText()));
    return texts;
}

// A collection holding the given values in order, appended without keys.
inline Ref<Collection> collectionOf(std::vector<Variant> const& values) {
    auto collection = make<Collection>();
    for (Variant const& value : values)
        collection->Add(value);
    return collection;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOfText(std::string const& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace runtime::testing
