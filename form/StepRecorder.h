#pragma once

#include "form/ObjectNames.h"
#include "form/Steps.h"
#include "runtime/Observer.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace form {

// A member read during a call: of which object (named as the call's lines name it), which member,
// the value read, and the element of the followed collection it was read of (-1: none).
struct MemberRead {
    std::u16string object;
    std::u16string member;
    std::u16string value;
    int element = -1;
};

// An outermost interface call as a recorder collected it: its lines (the call with its answer
// first, then what it read and called beneath it) and the members read during it.
struct RecordedCall {
    std::vector<CallLine> lines;
    std::vector<MemberRead> reads;
};

// Follows one algorithm run on one collection from the runtime's events, for the reader of an
// algorithm's own steps that holds it (its owner): it keeps a copy of the collection's order as
// element numbers, moved by each Item, Add and Remove of that collection; it collects each outermost
// interface call's lines, naming objects as the trace does (SeqCount#1, or a name the owner gave an
// element, "lhs"); and it tells the owner of each of these, once its copy stands as the operation
// left it. The owner makes every step whole, with what the recorder knows, and adds it. It reads while
// its owner is attached; it reads element texts itself when following begins and for each new
// element, and no reader is told of that reading. A hook cannot fail the run it reads: when one fails
// (memory running out), recording stops there and record() ends the recording with that error once
// the run is over.
class StepRecorder final : public runtime::Observer {
public:
    // What the owner of a recorder is told as the run goes.
    class Owner {
    public:
        // Item read the element at position.
        virtual void itemRead(std::int32_t position) = 0;
        // Which element Add has just put in, asked before the order copy takes it in: one the run read
        // (StepRecorder::lastRead) or a new one (StepRecorder::newElement).
        virtual std::uint16_t addedElement() = 0;
        // Add put that element at position.
        virtual void added(std::int32_t position) = 0;
        // Remove took away element, which stood at position.
        virtual void removed(std::int32_t position, std::uint16_t element) = 0;
        // An outermost interface call returned result.
        virtual void called(RecordedCall call, runtime::Variant const& result) = 0;
        // A run-time error ended the run: call holds what the call it left had done (nothing when it
        // left none), error what happened, in Japanese. The recording ends with the step made of it.
        virtual void failed(RecordedCall call, std::u16string error) = 0;

    protected:
        ~Owner() = default;
    };

    // The line of an element in the collection (a number's text, a person's description).
    using ElementText = std::function<std::u16string(runtime::Variant const& element)>;

    // marks: the owner's marks, by the number its rows give them, the first being no mark; jumps: the
    // kinds of stop, by the bit of Step::stops.
    StepRecorder(Owner& owner, ElementText elementText, std::span<MarkDefinition const> marks,
                 std::span<std::u16string_view const> jumps);
    StepRecorder(StepRecorder const&) = delete;
    StepRecorder& operator=(StepRecorder const&) = delete;
    ~StepRecorder();

    // Runs the run and returns what was recorded. A run-time error ends the recording with the
    // owner's step for it; it does not leave.
    Recording record(std::function<void()> const& run);

    // Starts following collection, which the algorithm was handed with the object handed (the
    // comparator, the function): its elements get their numbers, texts and names.
    void follow(runtime::Collection const& collection, runtime::Object const& handed);
    // Adds a step, made whole by the owner.
    void add(Step step) { m_recording.steps.push_back(std::move(step)); }
    // Runs what a hook of the recorder or its owner does with the event told: an error in it stops
    // the recording, which record() ends with that error after the run.
    template <class Body>
    void keep(Body const& body) noexcept {
        if (m_failure)
            return;
        try {
            body();
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    Recording const& recording() const noexcept { return m_recording; }
    // For the owner to complete what is the run's as a whole: its totals, notes and tie groups.
    Recording& recording() noexcept { return m_recording; }
    // Adds an explanation to the recording: its index there, for Step::explanation.
    int addExplanation(Explanation explanation);
    // Adds the explanation defined so, with texts in place of %1, %2, ...
    int addExplanation(ExplanationDefinition const& definition,
                       std::initializer_list<std::u16string_view> texts = {}) {
        return addExplanation(Explanation{std::u16string(definition.title), fill(definition.text, texts)});
    }
    std::int32_t count() const noexcept { return static_cast<std::int32_t>(m_order.size()); }
    std::uint16_t elementAt(std::int32_t position) const {
        return m_order.at(static_cast<std::size_t>(position - 1));
    }
    std::u16string const& textOf(std::uint16_t element) const {
        return m_recording.elements.at(element).text;
    }
    // An element as calls and variables name it: an object by its name (Student#8), a value as its
    // text in a call (5562, "abc").
    std::u16string const& nameOf(std::uint16_t element) const { return m_elementNames.at(element); }
    // The element that Item read last.
    std::uint16_t lastRead() const noexcept { return m_lastRead; }
    // A new element of the recording, holding value (a result the run made), for addedElement.
    std::uint16_t newElement(runtime::Variant const& value);
    // Calls name the element now at position so ("lhs"), until another element takes that name.
    void nameAt(std::int32_t position, std::u16string name);
    // The collection as it stands, one unmarked row per element.
    std::vector<Row> rows() const;
    // A value as calls name it ("5562", "SeqCount#1", "lhs").
    std::u16string valueText(runtime::Variant const& value);

    void objectMade(runtime::Object const& object) noexcept override { m_names.made(object); }
    void objectGone(runtime::Object const& object) noexcept override { m_names.gone(object); }
    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) noexcept override;
    void callBegun(runtime::Object const& callee, std::string_view operation,
                   std::span<runtime::Variant const> arguments) override;
    void callEnded(runtime::Object const& callee, std::string_view operation,
                   runtime::Variant const* result) noexcept override;
    void itemRead(runtime::Collection const& collection, std::int32_t position,
                  runtime::Variant const& value) noexcept override;
    void added(runtime::Collection const& collection, std::int32_t position) noexcept override;
    void removed(runtime::Collection const& collection, std::int32_t position,
                 runtime::Variant const& value) noexcept override;

private:
    std::u16string objectName(runtime::Object const& object);
    int elementOf(runtime::Object const& object) const;

    Owner& m_owner;
    std::exception_ptr m_failure; // what stopped the recording before the run ended
    ElementText m_elementText;
    Recording m_recording;
    ObjectNames m_names;
    runtime::Collection const* m_collection = nullptr;
    std::vector<runtime::Object const*> m_objects; // the object of each element, or null
    std::vector<std::u16string> m_elementNames;
    std::vector<std::uint16_t> m_order;
    std::uint16_t m_lastRead = 0;
    std::vector<std::pair<std::uint16_t, std::u16string>> m_named; // elements with a name of the owner's
    RecordedCall m_call; // the outermost call in progress, or the last one an error left
    int m_depth = 0;
};

// Marks the row at position (a recorder's mark, by its number in Recording::marks).
void markRow(std::vector<Row>& rows, std::int32_t position, std::uint8_t mark);
// Gives every element whose value (tiedValue) another element shares the tie group of that value,
// numbered from 1 in the order of the elements.
void groupTies(std::span<Element> elements);
// Shows element, which stood at position before Remove took it away, among rows where it stood: a row
// without a position, with mark.
void showRemoved(std::vector<Row>& rows, std::int32_t position, std::uint16_t element, std::uint8_t mark);

// The procedure's variables as a run sets them, for its steps: each step shows them as they stand
// and marks those that the procedure set since the step before, which is the step of the line that
// sets them.
class Variables {
public:
    explicit Variables(std::initializer_list<std::u16string_view> names);

    // The procedure set variable `index` (by the owner's enum of its variables) to value.
    template <class Index>
    void set(Index index, std::u16string value) {
        Variable& variable = m_variables.at(static_cast<std::size_t>(index));
        variable.value = std::move(value);
        variable.changed = true;
    }
    // The variable has no value here (outside the lines of the procedure that use it).
    template <class Index>
    void clear(Index index) {
        Variable& variable = m_variables.at(static_cast<std::size_t>(index));
        variable.value.clear();
        variable.changed = false;
    }
    // The variables as a step shows them; from here on none counts as just set.
    std::vector<Variable> forStep();

private:
    std::vector<Variable> m_variables;
};

} // namespace form
