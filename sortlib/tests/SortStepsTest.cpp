#include "sortlib/SortSteps.h"

#include "form/Player.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace sortlib {
namespace {

using form::Recording;
using runtime::Variant;
using Lines = std::vector<std::string>;

class AnswerCompare final : public ICompare {
public:
    explicit AnswerCompare(std::function<bool(Variant const&, Variant const&)> answer)
        : m_answer(std::move(answer)) {}

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override { return m_answer(lhs, rhs); }

private:
    std::function<bool(Variant const&, Variant const&)> m_answer;
};

std::u16string u16(std::string const& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool alwaysTrue(Variant const&, Variant const&) { return true; }
bool ascending(Variant const& lhs, Variant const& rhs) { return lhs.toInt32() < rhs.toInt32(); }
bool descending(Variant const& lhs, Variant const& rhs) { return lhs.toInt32() > rhs.toInt32(); }
bool byText(Variant const& lhs, Variant const& rhs) { return lhs.toText() < rhs.toText(); }

constexpr AnswerWording kWording{u"%1 < %2 なので True", u"%1 < %2 ではないので False",
                                 u"%1 = %2 なので False"};

Recording recordSort(std::vector<Variant> const& values,
                     std::function<bool(Variant const&, Variant const&)> answer) {
    auto const collection = runtime::testing::collectionOf(values);
    auto const comparator = runtime::make<AnswerCompare>(std::move(answer));
    SortSteps recorder([](Variant const& element) { return element.toText(); }, kWording);
    runtime::Attachment const attached(recorder);
    return recorder.record([&] { Sort::Sort_Collection(*collection, *comparator); });
}

std::string join(std::vector<std::string> const& texts) {
    std::string joined;
    for (std::string const& text : texts)
        joined += (joined.empty() ? "" : " ") + text;
    return joined;
}

SortStep kindOf(form::Step const& step) { return static_cast<SortStep>(step.kind); }

// The positions of the rows with this mark, top to bottom; a row no longer in the collection by the
// position it stood at.
std::vector<int> marked(form::Step const& step, SortMark mark) {
    std::vector<int> positions;
    for (std::size_t index = 0; index < step.rows.size(); ++index) {
        if (step.rows[index].mark == static_cast<std::uint8_t>(mark))
            positions.push_back(step.rows[index].position > 0 ? step.rows[index].position
                                                              : static_cast<int>(index + 1));
    }
    return positions;
}

std::string positionsText(std::vector<int> const& positions) {
    std::vector<std::string> texts;
    for (int const position : positions)
        texts.push_back(std::to_string(position));
    return join(texts);
}

// One line per step that a player shows, folded or not: its kind, the positions its marks stand at,
// and the collection as it stands.
Lines shownSteps(Recording const& recording, bool fold) {
    form::Player player;
    player.setFolded(fold);
    player.load(recording);
    Lines lines;
    for (std::size_t shown = 0; shown < player.stepCount(); ++shown) {
        form::Step const& step = recording.steps[player.recordedIndex(shown)];
        std::vector<std::string> order;
        for (form::Row const& row : step.rows) {
            if (row.position > 0)
                order.push_back(runtime::toUtf8(recording.elements[row.element].text));
        }
        std::string line;
        switch (kindOf(step)) {
        case SortStep::Start:
            line = "start";
            break;
        case SortStep::Pass:
            line = "pass " + std::to_string(step.counters.front().value);
            break;
        case SortStep::Compare:
            line = "compare " + positionsText(marked(step, SortMark::Lhs)) + " " +
                   positionsText(marked(step, SortMark::Rhs));
            break;
        case SortStep::Read:
            line = "item " + positionsText(marked(step, SortMark::Read));
            break;
        case SortStep::Add:
            line = "add before " + positionsText(marked(step, SortMark::Added));
            break;
        case SortStep::Remove:
            line = "remove " + positionsText(marked(step, SortMark::Removed));
            break;
        case SortStep::Exchange:
            line = "exchange " + positionsText(marked(step, SortMark::Exchanged));
            break;
        case SortStep::End:
            line = "end";
            break;
        default:
            line = "other";
            break;
        }
        lines.push_back(line + ": " + join(order));
    }
    return lines;
}

// The steps that the sort must take, from a plain simulation of it on a vector: each comparison of
// the element at j (lhs) with the one at i (rhs), then, on true, the neighbour exchange (Item j,
// Add before i, Remove i+2) or the far one (Item j, Add before i, Item i+1, Add before j+1,
// Remove i+1, Remove j+1), each with the order it leaves.
Lines expectedSteps(std::vector<std::string> order,
                    std::function<bool(Variant const&, Variant const&)> answer, bool fold) {
    Lines lines{"start: " + join(order)};
    auto const at = [&](int position) { return order[static_cast<std::size_t>(position - 1)]; };
    auto const step = [&](std::string const& what) {
        if (!fold)
            lines.push_back(what + ": " + join(order));
    };
    auto const add = [&](std::string const& value, int before) {
        order.insert(order.begin() + (before - 1), value);
        step("add before " + std::to_string(before));
    };
    auto const remove = [&](int position) {
        order.erase(order.begin() + (position - 1));
        step("remove " + std::to_string(position));
    };
    int const count = static_cast<int>(order.size());
    for (int i = 1; i <= count - 1; ++i) {
        lines.push_back("pass " + std::to_string(i) + ": " + join(order));
        for (int j = count; j >= i + 1; --j) {
            lines.push_back("compare " + std::to_string(j) + " " + std::to_string(i) + ": " + join(order));
            if (!answer(Variant(u16(at(j))), Variant(u16(at(i)))))
                continue;
            std::string const v = at(j);
            step("item " + std::to_string(j));
            add(v, i);
            if (j == i + 1) {
                remove(i + 2);
            } else {
                std::string const w = at(i + 1);
                step("item " + std::to_string(i + 1));
                add(w, j + 1);
                remove(i + 1);
                remove(j + 1);
            }
            if (fold)
                lines.push_back("exchange " + std::to_string(i) + " " + std::to_string(j) + ": " +
                                join(order));
        }
    }
    lines.push_back("end: " + join(order));
    return lines;
}

std::vector<Variant> valuesOf(std::vector<std::string> const& texts) {
    std::vector<Variant> values;
    for (std::string const& text : texts)
        values.emplace_back(u16(text));
    return values;
}

TEST(SortStepsTest, EachExchangeIsShownOperationByOperationAndFolded) {
    std::mt19937 random(18);
    std::vector<std::string> shuffled;
    for (int i = 0; i < 12; ++i)
        shuffled.push_back(std::to_string(random() % 50));
    std::vector<std::string> const nine{"1851",  "9353", "2748",  "926", "1166",
                                        "12703", "40",   "66916", "5562"};
    struct Case {
        std::vector<std::string> values;
        bool (*answer)(Variant const&, Variant const&);
        std::vector<std::string> sorted;
        std::size_t steps; // unfolded; 0: not counted here
        int exchanges;
    };
    Case const cases[] = {
        {{"a", "b", "c"}, alwaysTrue, {"b", "a", "c"}, 0, 3},
        {{"a", "b", "c", "d"}, alwaysTrue, {"b", "d", "c", "a"}, 0, 6},
        {{"3", "1", "2"}, ascending, {"1", "2", "3"}, 0, 2},
        {shuffled, ascending, {}, 0, -1},
        // Talverin's nine numbers by each of its buttons.
        {nine, ascending, {"40", "926", "1166", "1851", "2748", "5562", "9353", "12703", "66916"}, 97, 10},
        {nine, descending, {"66916", "12703", "9353", "5562", "2748", "1851", "1166", "926", "40"}, 112, 12},
        {nine, byText, {"1166", "12703", "1851", "2748", "40", "5562", "66916", "926", "9353"}, 109, 11},
    };
    for (Case const& c : cases) {
        Recording const recording = recordSort(valuesOf(c.values), c.answer);
        for (bool const fold : {false, true})
            EXPECT_EQ(shownSteps(recording, fold), expectedSteps(c.values, c.answer, fold)) << join(c.values);
        if (!c.sorted.empty()) {
            EXPECT_EQ(shownSteps(recording, true).back(), "end: " + join(c.sorted));
        }
        if (c.steps > 0) {
            EXPECT_EQ(shownSteps(recording, false).size(), c.steps) << join(c.values);
        }
        int const n = static_cast<int>(c.values.size());
        form::Step const& end = recording.steps.back();
        ASSERT_EQ(end.counters.size(), 4u);
        EXPECT_EQ(end.counters[0].total, n - 1) << "passes";
        EXPECT_EQ(end.counters[1].value, n * (n - 1) / 2) << "comparisons";
        EXPECT_EQ(end.counters[1].total, n * (n - 1) / 2);
        if (c.exchanges >= 0) {
            EXPECT_EQ(end.counters[2].value, c.exchanges) << join(c.values);
        }
    }
}

// A row as a test reads it: position, element and the mark's label, with a letter for the mark's
// style (S strong, U underlined, E echo, X struck out).
std::string rowText(Recording const& recording, form::Row const& row) {
    form::Mark const& mark = recording.marks.at(row.mark);
    std::string text =
        std::to_string(row.position) + ":" + runtime::toUtf8(recording.elements[row.element].text);
    if (row.mark == 0)
        return text;
    char const styles[] = {'-', 'S', 'U', 'E', 'X', 'T'};
    return text + " " + runtime::toUtf8(mark.label) + " " + styles[static_cast<int>(mark.style)];
}

// The far exchange of a, b, c, d at positions 1 and 4, as its rows, lines, calls and variables show it.
TEST(SortStepsTest, TheFarExchangeOfABCDStepByStep) {
    Recording const recording = recordSort(valuesOf({"a", "b", "c", "d"}), alwaysTrue);
    auto const rows = [&](std::size_t index) {
        std::vector<std::string> shown;
        for (form::Row const& row : recording.steps[index].rows)
            shown.push_back(rowText(recording, row));
        return shown;
    };
    // start, pass 1, compare 4 1, item 4, add before 1, item 2, add before 5, remove 2, remove 5, exchange
    EXPECT_EQ(rows(2), (Lines{"1:a rhs（i） U", "2:b", "3:c", "4:d lhs（j） S"}));
    EXPECT_EQ(rows(3), (Lines{"1:a", "2:b", "3:c", "4:d Item で読んだ S"}));
    // An element that stands twice is marked at each place the step does not mark otherwise, from the
    // Add that doubles it to the Remove that takes its copy away.
    EXPECT_EQ(rows(4), (Lines{"1:d Add した S", "2:a", "3:b", "4:c", "5:d 同じ要素 E"}));
    EXPECT_EQ(rows(5), (Lines{"1:d 同じ要素 E", "2:a Item で読んだ S", "3:b", "4:c", "5:d 同じ要素 E"}));
    EXPECT_EQ(rows(6),
              (Lines{"1:d 同じ要素 E", "2:a 同じ要素 E", "3:b", "4:c", "5:a Add した S", "6:d 同じ要素 E"}));
    EXPECT_EQ(rows(7), (Lines{"1:d 同じ要素 E", "0:a Remove した X", "2:b", "3:c", "4:a", "5:d 同じ要素 E"}));
    EXPECT_EQ(rows(8), (Lines{"1:d", "2:b", "3:c", "4:a", "0:d Remove した X"}));
    // Folded, the exchange marks the two positions it swapped and lists its operations.
    ASSERT_EQ(kindOf(recording.steps[9]), SortStep::Exchange);
    EXPECT_EQ(rows(9), (Lines{"1:d 交換した S", "2:b", "3:c", "4:a 交換した S"}));
    std::vector<std::u16string> operations;
    for (form::CallLine const& call : recording.steps[9].calls)
        operations.push_back(call.text);
    EXPECT_EQ(operations, (std::vector<std::u16string>{u"Item(4)", u"Add(v, , 1)", u"Item(2)", u"Add(w, , 5)",
                                                       u"Remove(2)", u"Remove(5)"}));

    // Each step: its line, the exchanges counted, its own call, whether it is a stop of 交換, パス or 比較,
    // and the variables i, j, v, w ("*": set by this step, whose line is the one that sets it).
    ASSERT_EQ(recording.jumps, (std::vector<std::u16string>{u"交換", u"パス", u"比較"}));
    struct Expected {
        SortLine line;
        int exchanges;
        char const* call;
        std::uint32_t stops;
        char const* variables;
    };
    Expected const expected[] = {
        {SortLine::None, 0, "", 0, "i= j= v= w="},
        {SortLine::Pass, 0, "", 2, "i=1* j= v= w="},
        {SortLine::Compare, 0, "AnswerCompare.Compare(\"d\", \"a\") = True", 4, "i=1 j=4* v= w="},
        {SortLine::FirstAdd, 0, "Item(4)", 1, "i=1 j=4 v=\"d\"* w="},
        {SortLine::FirstAdd, 0, "Add(v, , 1)", 0, "i=1 j=4 v=\"d\" w="},
        {SortLine::SecondAdd, 0, "Item(2)", 0, "i=1 j=4 v=\"d\" w=\"a\"*"},
        {SortLine::SecondAdd, 0, "Add(w, , 5)", 0, "i=1 j=4 v=\"d\" w=\"a\""},
        {SortLine::Remove, 0, "Remove(2)", 0, "i=1 j=4 v=\"d\" w=\"a\""},
        {SortLine::Remove, 1, "Remove(5)", 0, "i=1 j=4 v=\"d\" w=\"a\""},
        {SortLine::Exchange, 1, "Item(4)", 1, "i=1 j=4 v=\"d\" w=\"a\""},
        {SortLine::Compare, 1, "AnswerCompare.Compare(\"c\", \"d\") = True", 4, "i=1 j=3* v= w="},
    };
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        form::Step const& step = recording.steps[index];
        EXPECT_EQ(step.line, form::lineNumber(expected[index].line)) << "step " << index;
        EXPECT_EQ(step.counters[2].value, expected[index].exchanges) << "step " << index;
        EXPECT_EQ(step.calls.empty() ? "" : runtime::toUtf8(step.calls.front().text), expected[index].call)
            << "step " << index;
        EXPECT_EQ(step.stops, expected[index].stops) << "step " << index;
        std::vector<std::string> variables;
        for (form::Variable const& variable : step.variables)
            variables.push_back(runtime::toUtf8(variable.name + u"=" + variable.value) +
                                (variable.changed ? "*" : ""));
        EXPECT_EQ(join(variables), expected[index].variables) << "step " << index;
    }
    // Count stands one or two higher in the middle of the exchange.
    std::vector<int> counts;
    for (std::size_t index = 2; index <= 9; ++index)
        counts.push_back(recording.steps[index].counters[3].value);
    EXPECT_EQ(counts, (std::vector<int>{4, 4, 5, 5, 6, 5, 4, 4}));
}

// 3, 1, 2: what each comparison says, what the operations say, and what the counters stand at.
TEST(SortStepsTest, TheWalkThroughOfThreeOneTwo) {
    Recording const recording =
        recordSort({Variant(std::int16_t{3}), Variant(std::int16_t{1}), Variant(std::int16_t{2})}, ascending);
    std::vector<std::u16string> sentences;
    std::vector<std::int32_t> exchanges;
    for (form::Step const& step : recording.steps) {
        if (kindOf(step) != SortStep::Compare)
            continue;
        sentences.push_back(step.sentence);
        exchanges.push_back(step.counters[2].value);
        EXPECT_EQ(step.calls.size(), 1u);
    }
    EXPECT_EQ(sentences,
              (std::vector<std::u16string>{
                  u"lhs（位置 3）と rhs（位置 1）を比べました。2 < 3 なので True です。位置 1 と位置 3 "
                  u"を交換します。",
                  u"lhs（位置 2）と rhs（位置 1）を比べました。1 < 2 なので True です。位置 1 と位置 2 "
                  u"を交換します。",
                  u"lhs（位置 3）と rhs（位置 2）を比べました。3 < 2 ではないので False です。交換しません。",
              }));
    EXPECT_EQ(exchanges, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(kindOf(recording.steps.back()), SortStep::End);
    EXPECT_EQ(recording.steps.back().counters[1].value, 3);
    EXPECT_EQ(recording.steps[2].calls.front().text, u"AnswerCompare.Compare(2, 3) = True");
    // The pass of one comparison says so; positions are named smallest first; a Remove at the end has
    // nothing behind it to move up, one further in has.
    std::vector<std::u16string> operations;
    for (form::Step const& step : recording.steps) {
        if (kindOf(step) == SortStep::Add || kindOf(step) == SortStep::Remove ||
            (kindOf(step) == SortStep::Pass && step.counters[0].value == 2))
            operations.push_back(step.sentence);
    }
    EXPECT_EQ(
        operations,
        (std::vector<std::u16string>{
            u"v を位置 1 の前に Add しました。同じ要素が位置 1 と位置 4 の 2 か所にあり、Count は 4 です。",
            u"w を位置 4 の前に Add しました。同じ要素が位置 2 と位置 4 の 2 か所にあり、Count は 5 です。",
            u"位置 2 を Remove しました。重複の一方が消え、後ろの要素が 1 つずつ前に詰まりました。Count は 4 "
            u"です。",
            u"位置 4 を Remove しました。末尾の重複が消えました。Count は 3 です。",
            u"v を位置 1 の前に Add しました。同じ要素が位置 1 と位置 3 の 2 か所にあり、Count は 4 です。",
            u"位置 3 を Remove しました。重複の一方が消え、後ろの要素が 1 つずつ前に詰まりました。Count は 3 "
            u"です。",
            u"パス 2: 位置 2 に来る要素を決めます。比べるのは j = 3 の 1 回だけです。",
        }));
    // Two equal values are said to be equal.
    Recording const equal = recordSort({Variant(std::int16_t{5}), Variant(std::int16_t{5})}, ascending);
    EXPECT_EQ(equal.steps[2].sentence,
              u"lhs（位置 2）と rhs（位置 1）を比べました。5 = 5 なので False です。交換しません。");
}

std::vector<Variant> numbers(std::initializer_list<std::int16_t> values) {
    return std::vector<Variant>(values.begin(), values.end());
}

// Small sorts, checked against what the sort does: each comparison asks what Compare answers, the
// first Add of each exchange where the element's other copy stands (j + 1), and nothing else asks;
// equal values share a tie group; each explanation stands once in each fold, at its first occurrence.
TEST(SortStepsTest, QuestionsTiesAndExplanationsOfSmallSorts) {
    std::string const exchange = "交換が Item・Add・Remove でできている理由";
    std::string const equalKept = "等しい値が逆の順に残る理由";
    struct Case {
        std::vector<Variant> values;
        std::vector<std::uint16_t> ties;
        Lines unfolded; // the shown steps with an explanation: their kind and its title
        Lines folded;
        std::string note; // how the note starts; empty: none
    };
    Case const cases[] = {
        {numbers({3, 1, 2}), {0, 0, 0}, {"item " + exchange}, {"exchange " + exchange}, ""},
        {numbers({2, 1, 2}), {1, 0, 1}, {"item " + exchange}, {"exchange " + exchange}, ""},
        {numbers({2, 2, 1}),
         {1, 1, 0},
         {"item " + exchange, "compare " + equalKept},
         {"exchange " + exchange, "compare " + equalKept},
         "同値 A（2）の 2 つの要素は、もとの位置 1・2 の順に並んでいましたが、並べ替えの後はもとの位置 2・1 "
         "の順です。"},
    };
    for (Case const& c : cases) {
        Recording const recording = recordSort(c.values, ascending);
        SCOPED_TRACE(runtime::toUtf8(recording.elements[0].text + recording.elements[1].text +
                                     recording.elements[2].text));
        std::int32_t j = 0;
        bool firstAdd = false;
        for (form::Step const& step : recording.steps) {
            auto const valueAt = [&](SortMark mark) {
                std::vector<int> const at = marked(step, mark);
                EXPECT_EQ(at.size(), 1u);
                return Variant(
                    recording.elements[step.rows[static_cast<std::size_t>(at.front() - 1)].element].text);
            };
            if (kindOf(step) == SortStep::Compare) {
                ASSERT_TRUE(step.question.has_value());
                EXPECT_EQ(step.question->kind, form::AnswerKind::Choice);
                ASSERT_EQ(step.question->choices.size(), 2u);
                EXPECT_EQ(step.question->choices[0].label + step.question->choices[1].label, u"TrueFalse");
                EXPECT_EQ(step.question->answer,
                          ascending(valueAt(SortMark::Lhs), valueAt(SortMark::Rhs)) ? 0 : 1);
                j = marked(step, SortMark::Lhs).front();
                firstAdd = true;
            } else if (kindOf(step) == SortStep::Add && firstAdd) {
                ASSERT_TRUE(step.question.has_value());
                EXPECT_EQ(step.question->kind, form::AnswerKind::Position);
                EXPECT_EQ(step.question->answer, j + 1);
                firstAdd = false;
            } else {
                EXPECT_FALSE(step.question.has_value()) << "step kind " << static_cast<int>(step.kind);
            }
        }
        std::vector<std::uint16_t> ties;
        for (form::Element const& element : recording.elements)
            ties.push_back(element.tie);
        EXPECT_EQ(ties, c.ties);
        for (bool const fold : {false, true}) {
            form::Player player;
            player.setFolded(fold);
            player.load(recording);
            Lines const shown = shownSteps(recording, fold);
            Lines explained;
            for (std::size_t at = 0; at < player.stepCount(); ++at) {
                int const explanation = recording.steps[player.recordedIndex(at)].explanation;
                if (explanation >= 0)
                    explained.push_back(shown[at].substr(0, shown[at].find(' ')) + " " +
                                        runtime::toUtf8(recording.explanations.at(explanation).title));
            }
            EXPECT_EQ(explained, fold ? c.folded : c.unfolded);
        }
        if (c.note.empty()) {
            EXPECT_TRUE(recording.notes.empty());
        } else {
            ASSERT_EQ(recording.notes.size(), 1u);
            EXPECT_EQ(runtime::toUtf8(recording.notes[0]).substr(0, c.note.size()), c.note);
        }
    }
    Recording const three = recordSort(numbers({3, 1, 2}), ascending);
    EXPECT_EQ(three.steps[2].question->prompt,
              u"Compare(Item(3), Item(1)) の答えは True と False のどちら？");
    EXPECT_EQ(three.steps[4].question->prompt,
              u"v = Item(3) を位置 1 の前に Add すると、同じ要素が 2 か所に立ちます。位置 1 のほかに、もう 1 "
              u"つはどの位置に立つ？");
}

// A comparator that fails ends the run at the comparison, with the runtime's text of the error.
TEST(SortStepsTest, AnErrorEndsTheRecordingWhereItHappened) {
    Recording const recording = recordSort(valuesOf({"1", "x", "2"}), ascending);
    ASSERT_FALSE(recording.steps.empty());
    form::Step const& last = recording.steps.back();
    EXPECT_EQ(kindOf(last), SortStep::Error);
    EXPECT_EQ(last.line, form::lineNumber(SortLine::Compare));
    EXPECT_EQ(last.counters[1].value, 2) << "the comparison that failed";
    EXPECT_EQ(last.error, u"型が一致しません。文字列「x」は整数ではありません。");
    EXPECT_EQ(marked(last, SortMark::Lhs), (std::vector<int>{2}));
    EXPECT_EQ(marked(last, SortMark::Rhs), (std::vector<int>{1}));
    ASSERT_EQ(last.calls.size(), 1u);
    EXPECT_EQ(last.calls.front().text, u"AnswerCompare.Compare(\"x\", \"1\") → エラー");
}

} // namespace
} // namespace sortlib
