#pragma once

#include "runtime/Variant.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace runtime {

// Writes every interface call that a click makes, one line each, and after the click a closing
// line with their number. Interfaces are traced by wrapping the entries of a click's table (see
// EntryWrapper in Table.h); the window host closes each click.
class CallTrace {
public:
    explicit CallTrace(std::ostream& out) : m_out(out) {}

    void call(std::string_view line);
    void endClick();

    // A value as a trace line shows it: a number or truth value as its text, a text quoted, an
    // object by its class; nothing is read from the object, so tracing changes nothing.
    static std::string describe(Variant const& value);

private:
    std::ostream& m_out;
    std::size_t m_calls = 0;
};

} // namespace runtime
