#pragma once

#include "form/DataSets.h"
#include "runtime/Ref.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {
class Collection;
enum class ErrorKind;
class RuntimeError;
} // namespace runtime

namespace form {

// A run recorded step by step for a learner to follow, forwards and back. Each step is a snapshot
// of everything shown: the collection's rows with their marks, the procedure line, one Japanese
// sentence, the calls the step made, the counters and the procedure's variables. The recorder of an
// algorithm chooses all of it; the player and the window only show it, so a new kind of step or a
// new algorithm needs nothing of them. Nothing in a recording refers to a live object.

// How a mark sets its rows apart. Each style differs in more than colour: a screen reader reads the
// mark's label, and a reader of the screen sees the font.
enum class MarkStyle : std::uint8_t {
    Plain,      // no emphasis (the unmarked rows)
    Strong,     // bold, the row the step is about (lhs, the element just read or added)
    Underlined, // italic and underlined, the second row the step is about (rhs)
    Echo,       // italic and faint: another place of a row the step is about (a duplicate)
    StruckOut,  // struck through: no longer in the collection
    Settled,    // a quiet tint: a part that is done (results already made)
};

// A mark: its label in the mark column ("lhs（j）", "Add した") and its style.
struct Mark {
    std::u16string label;
    MarkStyle style = MarkStyle::Plain;
};

// A mark as a recorder defines it, in a table of its marks; the recording holds a Mark made of it.
struct MarkDefinition {
    std::u16string_view label;
    MarkStyle style = MarkStyle::Plain;
};

// One row of the collection as a step shows it, top to bottom.
struct Row {
    std::int32_t position = 0; // 1-based; 0 for an element no longer in the collection
    std::uint16_t element = 0; // index into Recording::elements
    std::uint8_t mark = 0;     // index into Recording::marks; 0 is no mark
};

// One line of what a call did: the call itself at depth 0, what it read or called beneath it.
struct CallLine {
    int depth = 0;
    std::u16string text;
    bool memberRead = false; // "SeqCount#1.Counter = 5" rather than a call
};

// A counter shown with the step ("比較 5 / 36"); total 0 shows the value alone.
struct Counter {
    std::u16string label;
    std::int32_t value = 0;
    std::int32_t total = 0;
};

// A variable of the procedure with its value at this step; empty when it has none here.
struct Variable {
    std::u16string name;
    std::u16string value;
    bool changed = false; // set by this step (its procedure line is the one that sets it)
};

// Which of the two views of a recording shows a step: folded, a group of operations (an exchange's
// Item, Add and Remove) is one step; unfolded, each operation is.
enum class Fold : std::uint8_t {
    Always,
    UnfoldedOnly, // one operation of a group
    FoldedOnly,   // the whole group as one step
};

// How a learner answers a question.
enum class AnswerKind : std::uint8_t {
    Choice,   // one of the question's choices, by its button or its key
    Position, // a row's position, by choosing the row or typing the number
    Number,   // a whole number, typed
};

// One choice of a Choice question: the label of its button and the key that chooses it.
struct AnswerChoice {
    std::u16string label; // "True"
    char16_t key = 0;     // u'T'
};

// A question that a learner answers before seeing the step that reveals its answer: predict, then
// see. The recorder chooses the steps that ask and what; answer is the index of the right choice, the
// right position or the right number.
struct Question {
    AnswerKind kind = AnswerKind::Choice;
    std::u16string prompt;
    std::vector<AnswerChoice> choices; // of a Choice question
    std::int32_t answer = 0;
};

// Why a run does what it does, in plain Japanese, shown at the first step where it applies.
struct Explanation {
    std::u16string title;
    std::u16string text;
};

// An explanation as a recorder defines it, in a table of its explanations; in the text, %1, %2, ...
// stand for what the recorder fills in (a class's name, a member's).
struct ExplanationDefinition {
    std::u16string_view title;
    std::u16string_view text;
};

struct Step {
    std::uint8_t kind = 0; // the recorder's own kind of step; the player never reads it
    int line = 0;          // the procedure line it belongs to, 1-based; 0 for none
    Fold fold = Fold::Always;
    std::uint32_t stops = 0; // bit i set: a stop of Recording::jumps[i]
    std::u16string sentence;
    std::vector<Row> rows;
    std::vector<CallLine> calls; // the step's own call first ("Item(7)", "CmpHeight.Compare(lhs, rhs)")
    std::vector<Counter> counters;
    std::vector<Variable> variables;
    std::u16string error;             // the run-time error that ended the run here, in Japanese; else empty
    std::optional<Question> question; // asked before the step is shown, when a learner predicts
    int explanation = -1;             // index into Recording::explanations, or -1
};

// Whether step is a stop of jump kind `jump` (a bit of Step::stops).
inline bool isStop(Step const& step, std::size_t jump) { return jump < 32 && (step.stops >> jump & 1u) != 0; }

// One element of the recorded collection: its line and, where the algorithm read a member of it,
// that member's value.
struct Element {
    std::u16string text;
    std::u16string value;
    // Elements that the algorithm found equal share a group, so that a window can show them alike
    // (「同値 A」): 0 for none, k for the k-th group. What is equal is the value read, or the elements'
    // text where nothing was read of them.
    std::uint16_t tie = 0;
};

struct Recording {
    std::u16string chosen;    // the class of the object the algorithm was handed
    std::u16string valueName; // the member read of the elements ("Height"), if any
    std::vector<Element> elements;
    std::vector<Mark> marks{Mark{}}; // marks[0] is no mark
    // The kinds of step a learner can jump between ("交換", "パス"), by bit of Step::stops.
    std::vector<std::u16string> jumps;
    // The jump by which two runs side by side move together (a comparison, an element), if any.
    std::optional<std::size_t> syncJump;
    std::vector<Step> steps;
    // What the whole run did, counted ("比較" 36, "Add" 10): two runs are compared by label.
    std::vector<Counter> totals;
    // Sentences on the run as a whole, such as why equal values came out in the order they did.
    std::vector<std::u16string> notes;
    // What the steps explain, each given to the first step of the run where it applies (in each fold).
    std::vector<Explanation> explanations;
};

// The name of tie group k shown beside its elements: 同値 A, 同値 B, ...
std::u16string tieName(std::uint16_t group);
// The value by which an element ties with others: the value read of it, or else its text.
std::u16string_view tiedValue(Element const& element);

// A table with one entry for each value of an enum, from first on, each row naming the value it
// belongs to: a table out of step with its enum does not compile. A recorder keeps its procedure's
// lines, its marks and its jumps in such tables, so that each is named by its enum, never counted.
template <class Enum, class Entry, std::size_t Count>
class EnumTable {
public:
    struct Row {
        Enum id;
        Entry entry;
    };

    consteval EnumTable(Row const (&rows)[Count], Enum first = Enum{}) : m_first(first) {
        for (std::size_t k = 0; k < Count; ++k) {
            if (static_cast<std::size_t>(rows[k].id) != static_cast<std::size_t>(first) + k)
                throw "each row names the value of the enum after the one before";
            m_entries[k] = rows[k].entry;
        }
    }

    constexpr Entry const& operator[](Enum id) const {
        return m_entries.at(static_cast<std::size_t>(id) - static_cast<std::size_t>(m_first));
    }
    constexpr std::span<Entry const> entries() const { return m_entries; }

private:
    std::array<Entry, Count> m_entries{};
    Enum m_first;
};

// A procedure's line by the enum of its lines, whose first line is 1 and whose 0 is none.
template <class Line>
constexpr int lineNumber(Line line) {
    return static_cast<int>(line);
}

// A choice of a lesson's own that a learner completes with a text and runs in place of a button's
// object: a comparator reading the member named, a function with a constant. The window offers each
// with a field for the text.
struct OwnChoice {
    std::u16string_view caption;     // "小さい順", "x-c"
    std::u16string_view field;       // what the text is: "メンバー名", "c"
    std::u16string_view description; // one sentence on what it does
};

// What a learner runs: button index's click on the program's own data (numbers empty), on numbers
// typed or on a data set's; or the lesson's choice `own` completed with the text typed for it, which
// the program reads, on those numbers.
struct Run {
    std::int16_t index = 0;
    std::vector<std::int32_t> numbers = {};
    std::optional<std::int16_t> own = {}; // index into Lesson::choices
    std::u16string typed = {};
};

// A run's recording, or, when the typed text cannot make what the run needs, nothing run and a
// Japanese sentence saying why.
struct Recorded {
    Recording recording;
    std::u16string refusal = {};
};

// What a program tells the step window: the procedure's text as numbered lines, whether a learner
// may give numbers of their own, how to record a run of a button's click, on the program's own data
// (numbers empty) or on the given numbers, the ready-made data sets it offers, and the choices of its
// own with how to record a run of one. Recording runs the program's own click function with a
// recorder attached.
struct Lesson {
    std::u16string_view procedure; // "Sort_Collection"
    std::span<std::u16string_view const> lines;
    bool takesNumbers = false;
    std::function<Recording(std::int16_t index, std::span<std::int32_t const> numbers)> record;
    std::span<DataSet const> dataSets = {};
    std::span<OwnChoice const> choices = {};
    std::function<Recorded(Run const& run)> recordChoice = {}; // of a run whose own is set

    // The recording of any run: a button's click through record, a choice through recordChoice. A
    // choice that the lesson does not offer raises the subscript-out-of-range error.
    Recorded recordRun(Run const& run) const;
};

// The whole numbers that a learner typed, separated by blanks or commas: between 2 and 20 of them,
// each within 32 bits. On failure, numbers is empty and message says why, in Japanese.
struct ParsedNumbers {
    std::vector<std::int32_t> numbers;
    std::u16string message;
};
ParsedNumbers parseNumbers(std::u16string_view text);

// The numbers in a new collection, in order, each in the narrowest integer kind that holds it.
runtime::Ref<runtime::Collection> collectionOf(std::span<std::int32_t const> numbers);

// A run-time error as the windows state it, in Japanese: its kind, then what happened
// ("オーバーフローしました。50000 × 50000 = 2500000000 は 32 ビット整数に収まりません。").
std::u16string errorText(runtime::RuntimeError const& error);

// The pattern with %1, %2, ... replaced by the texts given, for the steps' sentences.
std::u16string fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> texts);

inline constexpr std::size_t kFewestNumbers = 2;
inline constexpr std::size_t kMostNumbers = 20;

} // namespace form
