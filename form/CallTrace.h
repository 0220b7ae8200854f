#pragma once

#include "runtime/Observer.h"
#include "runtime/Variant.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace form {

// Writes what each click does, as a learner follows it, from the runtime's events:
// - first a line with the button's caption and, once an algorithm reader names it, the class of the
//   object the click's algorithm was handed;
// - every interface call that the algorithm makes, one line each with its arguments and answer
//   ("Compare(...) = True", "Exec(...) = 100"), and beneath it, indented, what the call did in
//   turn: the members it read and their values, the calls it made;
// - last, a line with the number of calls.
// Objects are named by class and their number among the objects of that class made in the click, in
// order of creation (Student#3).
// While it lives it is the runtime's observer in place. It reads nothing itself, so tracing changes
// nothing. A reader of an algorithm's own steps derives from it and adds their lines.
class CallTrace : public runtime::Observer {
public:
    explicit CallTrace(std::ostream& out);
    CallTrace(CallTrace const&) = delete;
    CallTrace& operator=(CallTrace const&) = delete;
    virtual ~CallTrace();

    void beginClick(std::u16string_view caption);
    // Writes the click's closing line; never throws, so a click that ran out of memory still ends.
    void endClick() noexcept;

    void objectMade(runtime::Object const& object) noexcept override;
    void objectGone(runtime::Object const& object) noexcept override;
    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) override;
    void callBegun(runtime::Object const& callee, std::string_view operation,
                   std::span<runtime::Variant const> arguments) override;
    void callEnded(runtime::Object const& callee, std::string_view operation,
                   runtime::Variant const* result) override;

protected:
    // The click's header, naming the class of the object its algorithm was handed.
    void writeHeader(runtime::Object const& chosen);
    // The next outermost call is about the elements at these positions ("[9] 5562").
    void setPositions(std::int32_t lhs, std::int32_t rhs) { m_positions.emplace(lhs, rhs); }
    // A line at the depth of the call in progress.
    void write(std::string const& line);
    // A value as the trace shows it: a number or truth value as its text, a text quoted, an object
    // by its class and number.
    std::string describe(runtime::Variant const& value);
    std::string describe(runtime::Object const& object);

private:
    // Numbers the objects made since the last time, now that their construction is over and their
    // class is known.
    void numberNewObjects();
    void writeHeader(std::string const& chosen);

    runtime::ObserverScope<runtime::Observer> m_scope{this};
    std::ostream& m_out;
    std::size_t m_calls = 0;
    std::u16string m_caption;
    bool m_headerWritten = true;
    std::vector<runtime::Object const*> m_new; // made in the click, not numbered yet
    std::unordered_map<runtime::Object const*, std::size_t> m_numbers;
    std::unordered_map<std::string, std::size_t> m_madeOfClass;
    // Each open call: its line so far and the lines of what it did in turn; innermost last.
    struct OpenCall {
        std::string line;
        std::vector<std::string> inner;
    };
    std::vector<OpenCall> m_open;
    std::optional<std::pair<std::int32_t, std::int32_t>> m_positions;
};

} // namespace form
