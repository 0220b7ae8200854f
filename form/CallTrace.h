#pragma once

#include "runtime/Variant.h"
#include "runtime/Watcher.h"

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

// A table entry that wraps another to trace its calls (see EntryWrapper in Table.h): the trace
// names the entry it wraps.
class TracedEntry {
public:
    virtual runtime::Object const& traced() const noexcept = 0;

protected:
    ~TracedEntry() = default;
};

// Writes what each click does, as a learner follows it:
// - first a line with the button's caption and the class of the table entry the click chose;
// - every call of that entry, one line each with its arguments and answer ("Compare(...) = True",
//   "Exec(...) = 100"), and beneath it, indented, what the call did in turn: the members it read
//   and their values, the calls it made;
// - for a sort, the positions of the two elements each comparison is about ("[9] 5562"), and after
//   each exchange its positions and the order of the whole collection;
// - last, a line with the number of calls.
// Objects are named by class and their number among the objects of that class made in the click, in
// order of creation (Student#3).
// While it lives it is the watcher in place, told of all this where it happens; it reads nothing
// itself, so tracing changes nothing.
class CallTrace final : public runtime::Watcher {
public:
    explicit CallTrace(std::ostream& out);
    CallTrace(CallTrace const&) = delete;
    CallTrace& operator=(CallTrace const&) = delete;
    ~CallTrace();

    void beginClick(std::u16string_view caption);
    // Writes the click's closing line; never throws, so a click that ran out of memory still ends.
    void endClick() noexcept;

    void objectMade(runtime::Object const& object) noexcept override;
    void objectGone(runtime::Object const& object) noexcept override;
    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) override;
    void callStarted() override;
    void callEnded(std::string_view name, std::span<runtime::Variant const> arguments,
                   runtime::Variant const* result) override;
    void entryChosen(runtime::Object const& entry) override;
    void comparing(std::int32_t lhs, std::int32_t rhs) override;
    void exchanged(runtime::Collection const& collection, std::int32_t i, std::int32_t j) override;

private:
    // A value as the trace shows it: a number or truth value as its text, a text quoted, an object
    // by its class and number.
    std::string describe(runtime::Variant const& value);
    std::string describe(runtime::Object const& object);
    // Numbers the objects made since the last time, now that their construction is over and their
    // class is known.
    void numberNewObjects();
    void write(std::string const& line);
    void writeHeader(std::string const& chosen);

    runtime::Watcher* m_replaced;
    std::ostream& m_out;
    std::size_t m_calls = 0;
    std::u16string m_caption;
    bool m_headerWritten = true;
    std::vector<runtime::Object const*> m_new; // made in the click, not numbered yet
    std::unordered_map<runtime::Object const*, std::size_t> m_numbers;
    std::unordered_map<std::string, std::size_t> m_madeOfClass;
    std::vector<std::vector<std::string>> m_open; // the lines of each open call, innermost last
    std::optional<std::pair<std::int32_t, std::int32_t>> m_positions;
};

} // namespace form
