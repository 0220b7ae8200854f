#pragma once

#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Ref.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace form {

// A click recorded step by step for a learner to follow, forwards and back. Each step is a snapshot:
// the collection as it stands after the step (as small element numbers, whose texts are kept once
// per recording), the procedure line it belongs to, one Japanese sentence, the calls it made and the
// counters so far. Nothing in it refers to a live object, so any step can be shown again exactly.

enum class StepKind : std::uint8_t {
    Start,    // before the first operation
    Pass,     // a pass of the sort begins
    Compare,  // the comparator was asked about the elements at lhs and rhs
    Read,     // Item read the element at `position`
    Insert,   // Add put an element at `position`
    Remove,   // Remove took away the element that stood at `position`
    Exchange, // a whole exchange of the elements at rhs and lhs, shown as one step
    Call,     // the function was called on the element
    End,      // the algorithm ran to its end
    Error,    // a run-time error ended the run here
};

// One line of what a call did: the call itself at depth 0, what it read or called beneath it.
struct CallLine {
    int depth = 0;
    std::u16string text;
    bool memberRead = false; // "SeqCount.Counter = 5" rather than a call
};

struct Step {
    StepKind kind = StepKind::Start;
    int line = 0; // the procedure line it belongs to, 1-based
    // Shown only with exchanges unfolded (one operation of an exchange), or only folded (the whole
    // exchange in one step).
    bool partOfExchange = false;
    bool wholeExchange = false;
    std::u16string sentence;
    std::vector<std::uint16_t> order; // element numbers, position 1 first
    std::int32_t lhs = 0;             // Compare: the later position j; Exchange: j
    std::int32_t rhs = 0;             // Compare: position i; Exchange: i
    std::int32_t position = 0;        // Read, Insert, Remove
    std::uint16_t removed = 0;        // Remove: the element that stood at position
    std::vector<CallLine> calls;
    std::int32_t pass = 0; // counters so far (0: not begun or not counted)
    std::int32_t comparison = 0;
    std::int32_t exchanges = 0;
    std::int32_t element = 0;
    std::string error; // Error: the runtime's own text of the error (UTF-8)
    runtime::ErrorKind errorKind = runtime::ErrorKind::FailedCall;
};

// One element of the recorded collection: its line and, where the algorithm read a member of it,
// that member's value.
struct StepElement {
    std::u16string text;
    std::u16string value;
};

struct Recording {
    std::u16string chosen; // the class of the object the algorithm was handed
    std::vector<StepElement> elements;
    std::u16string valueName; // the member read of the elements ("Height"), if any
    std::vector<Step> steps;
    // Totals, for "m of total".
    std::int32_t passes = 0;
    std::int32_t comparisons = 0;
    std::int32_t elementCount = 0;
};

// How a row of the collection is marked in a step.
enum class Mark : std::uint8_t {
    None,
    Lhs,       // compared as lhs (position j)
    Rhs,       // compared as rhs (position i)
    Read,      // read by Item
    Added,     // put there by Add
    Twin,      // the same element as the one just added, at its other position
    Removed,   // taken away by Remove (shown where it stood, without a position)
    Exchanged, // one of the two positions a whole exchange swapped
};

struct StepRow {
    std::int32_t position = 0; // 0 for the removed element
    std::uint16_t element = 0;
    Mark mark = Mark::None;
};

// The rows that a step shows, top to bottom: the collection as it stands, with the removed element
// where it stood.
std::vector<StepRow> rowsOf(Step const& step);

// The steps shown with exchanges unfolded (each operation a step of its own) or folded (each
// exchange one step), as indexes into the recording's steps.
std::vector<std::size_t> visibleSteps(Recording const& recording, bool foldExchanges);

// What a program tells the step window: the procedure's text as numbered lines, whether a learner
// may give numbers of their own, and how to record a click of a button, on the program's own data
// (numbers empty) or on the given numbers. Recording runs the algorithm afresh on data built the way
// the click builds it, so the main window's click is never watched.
struct Lesson {
    std::u16string_view procedure; // "Sort_Collection"
    std::span<std::u16string_view const> lines;
    bool takesNumbers = false;
    std::function<Recording(std::int16_t index, std::span<std::int32_t const> numbers)> record;
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

// The pattern with %1, %2, ... replaced by the texts given, for the steps' sentences.
std::u16string fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> texts);

inline constexpr std::size_t kFewestNumbers = 2;
inline constexpr std::size_t kMostNumbers = 20;

} // namespace form
