#pragma once

#include "form/ObjectNames.h"
#include "runtime/Observer.h"
#include "runtime/Variant.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace runtime {
class Collection;
class RuntimeError;
} // namespace runtime

namespace form {

// Writes what each click does, as a learner follows it, from the runtime's events:
// - first a line with the button's caption and, once an algorithm reader names it, the class of the
//   object the click's algorithm was handed;
// - every interface call that the algorithm makes, one line each with its arguments and answer
//   ("Compare(...) = True", "Exec(...) = 100"), and beneath it, indented, what the call did in
//   turn: the members it read and their values, the calls it made, each with the class of the object
//   called ("MinusCls.Exec(1, SeqCount#1) = 0");
// - last, a line that counts the algorithm's calls by operation ("-- 9 calls of Exec"). Members
//   that the click reads outside any call (a form reading each element's description to list it)
//   are not shown; the closing line counts them ("not shown: 20 reads of Get_String").
// Objects are named by class and number (SeqCount#1) as ObjectNames names them, the same names as
// the steps give them. A reader of an algorithm can number the elements of its collection by position
// instead (numberElements).
// It reads while attached (runtime::Attachment), and reads nothing itself, so tracing changes
// nothing. A reader of an algorithm's own steps derives from it, adds their lines and attaches itself
// to their events too. Lines that memory did not suffice for are left out, and the closing line says
// so.
class CallTrace : public runtime::Observer, public runtime::Reader {
public:
    explicit CallTrace(std::ostream& out);
    CallTrace(CallTrace const&) = delete;
    CallTrace& operator=(CallTrace const&) = delete;
    virtual ~CallTrace();

    void beginClick(std::u16string_view caption);
    // Writes the run-time error that ended the click, if one did ("Error: overflow: ..."), and the
    // closing line; never throws, so a click that ran out of memory still ends.
    void endClick(runtime::RuntimeError const* error = nullptr) noexcept;

    // Writes a line of a reader's own between clicks, such as what a learner answered in the step
    // window, as it is given.
    void writeNote(std::string_view line);

    void attachTo(runtime::Attachment& attachment) override;

    void objectMade(runtime::Object const& object) noexcept override;
    void objectGone(runtime::Object const& object) noexcept override;
    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) noexcept override;
    void callBegun(runtime::Object const& callee, std::string_view operation,
                   std::span<runtime::Variant const> arguments) override;
    void callEnded(runtime::Object const& callee, std::string_view operation,
                   runtime::Variant const* result) noexcept override;

protected:
    // A new click has begun: a reader forgets what it kept of the last one.
    virtual void clickBegun() {}
    // Writes a reader's own counts on the closing line, after the calls (", 31 exchanges"), with
    // writeCount.
    virtual void writeClosingCounts() {}
    // Writes separator and "1 call" or "36 calls" to the closing line; allocates nothing.
    std::ostream& writeCount(std::string_view separator, std::size_t count, std::string_view one,
                             std::string_view many);

    // The click's header, naming the class of the object its algorithm was handed.
    void writeHeader(runtime::Object const& chosen);
    // A line with a label and the collection's elements in order, as many to a line as fit in
    // kLineWidth columns, further lines aligned under the first element.
    void writeElements(std::string_view label, runtime::Collection const& collection);
    // The next outermost call is about the elements at these positions ("[9] 5562").
    void setPositions(std::int32_t lhs, std::int32_t rhs) { m_positions.emplace(lhs, rhs); }
    // A line at the depth of the call in progress.
    void write(std::string const& line);
    // Runs what a hook that may not throw writes; when memory runs out, the lines are lost and the
    // closing line says so.
    template <class Body>
    void writeOrLose(Body const& body) noexcept {
        try {
            body();
        } catch (...) {
            m_linesLost = true;
        }
    }
    bool inCall() const noexcept { return !m_open.empty(); }
    // Names each object element of the collection by its class and its position (Student#1), and
    // every object not named yet that is not an element by its class and order of creation from 0,
    // so that the objects that made the elements stand apart (Student#0).
    void numberElements(runtime::Collection const& collection) { m_names.numberElements(collection); }
    // A value as the trace shows it: a number or truth value as its text, a text quoted, an object
    // by its name.
    virtual std::string valueText(runtime::Variant const& value);
    // An object's class and number (Student#3), or its class alone when it has no number.
    std::string nameOf(runtime::Object const& object);

    // The widest line that lists elements, in columns.
    static constexpr std::size_t kLineWidth = 80;

private:
    void writeHeader(std::string const& chosen);
    void writeClosingLine();

    std::ostream& m_out;
    bool m_linesLost = false;
    std::u16string m_caption;
    bool m_headerWritten = true;
    ObjectNames m_names;
    // The outermost calls by operation, and the member reads made outside any call by member, each
    // in order of first appearance.
    std::vector<std::pair<std::string, std::size_t>> m_calls;
    std::vector<std::pair<std::string, std::size_t>> m_unshownReads;
    // Each open call: its line so far and the lines of what it did in turn; innermost last.
    struct OpenCall {
        std::string line;
        std::vector<std::string> inner;
    };
    std::vector<OpenCall> m_open;
    std::optional<std::pair<std::int32_t, std::int32_t>> m_positions;
};

} // namespace form
