#include "sortlib/SortSteps.h"

#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace sortlib {
namespace {

using form::Mark;
using form::Recording;
using form::StepKind;
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

constexpr AnswerWording kWording{u"%1 < %2 なので True", u"%1 < %2 ではないので False"};

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

// One line per shown step: its kind, the positions it is about, and the collection as it stands.
Lines describe(Recording const& recording, bool fold) {
    Lines lines;
    for (std::size_t const index : form::visibleSteps(recording, fold)) {
        form::Step const& step = recording.steps[index];
        std::vector<std::string> order;
        for (std::uint16_t const element : step.order)
            order.push_back(runtime::toUtf8(recording.elements[element].text));
        std::string line;
        switch (step.kind) {
        case StepKind::Start:
            line = "start";
            break;
        case StepKind::Pass:
            line = "pass " + std::to_string(step.pass);
            break;
        case StepKind::Compare:
            line = "compare " + std::to_string(step.lhs) + " " + std::to_string(step.rhs);
            break;
        case StepKind::Read:
            line = "item " + std::to_string(step.position);
            break;
        case StepKind::Insert:
            line = "add before " + std::to_string(step.position);
            break;
        case StepKind::Remove:
            line = "remove " + std::to_string(step.position);
            break;
        case StepKind::Exchange:
            line = "exchange " + std::to_string(step.rhs) + " " + std::to_string(step.lhs);
            break;
        case StepKind::End:
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
    struct Case {
        std::vector<std::string> values;
        bool (*answer)(Variant const&, Variant const&);
        std::vector<std::string> sorted;
    };
    Case const cases[] = {
        {{"a", "b", "c"}, alwaysTrue, {"b", "a", "c"}},
        {{"a", "b", "c", "d"}, alwaysTrue, {"b", "d", "c", "a"}},
        {{"3", "1", "2"}, ascending, {"1", "2", "3"}},
        {shuffled, ascending, {}},
    };
    for (Case const& c : cases) {
        Recording const recording = recordSort(valuesOf(c.values), c.answer);
        for (bool const fold : {false, true})
            EXPECT_EQ(describe(recording, fold), expectedSteps(c.values, c.answer, fold)) << join(c.values);
        if (!c.sorted.empty()) {
            EXPECT_EQ(describe(recording, true).back(), "end: " + join(c.sorted));
        }
        int const n = static_cast<int>(c.values.size());
        EXPECT_EQ(recording.comparisons, n * (n - 1) / 2);
        EXPECT_EQ(recording.passes, n - 1);
    }
}

// The far exchange of a, b, c, d at positions 1 and 4, as its rows show it.
TEST(SortStepsTest, RowsShowTheDuplicateAppearAndGo) {
    Recording const recording = recordSort(valuesOf({"a", "b", "c", "d"}), alwaysTrue);
    auto const rows = [&](std::size_t index) {
        std::vector<std::string> shown;
        for (form::StepRow const& row : form::rowsOf(recording.steps[index])) {
            char const* const marks[] = {"",       " lhs",  " rhs",     " read",
                                         " added", " twin", " removed", " exchanged"};
            shown.push_back(std::to_string(row.position) + ":" +
                            runtime::toUtf8(recording.elements[row.element].text) +
                            marks[static_cast<int>(row.mark)]);
        }
        return shown;
    };
    // start, pass 1, compare 4 1, item 4, add before 1, item 2, add before 5, remove 2, remove 5
    EXPECT_EQ(rows(2), (Lines{"1:a rhs", "2:b", "3:c", "4:d lhs"}));
    EXPECT_EQ(rows(3), (Lines{"1:a", "2:b", "3:c", "4:d read"}));
    EXPECT_EQ(rows(4), (Lines{"1:d added", "2:a", "3:b", "4:c", "5:d twin"}));
    EXPECT_EQ(rows(6), (Lines{"1:d", "2:a twin", "3:b", "4:c", "5:a added", "6:d"}));
    EXPECT_EQ(rows(7), (Lines{"1:d", "0:a removed", "2:b", "3:c", "4:a", "5:d"}));
    EXPECT_EQ(rows(8), (Lines{"1:d", "2:b", "3:c", "4:a", "0:d removed"}));
    // Folded, the exchange marks the two positions it swapped.
    std::size_t const folded = form::visibleSteps(recording, true)[3];
    ASSERT_EQ(recording.steps[folded].kind, StepKind::Exchange);
    EXPECT_EQ(rows(folded), (Lines{"1:d exchanged", "2:b", "3:c", "4:a exchanged"}));
    EXPECT_EQ(recording.steps[8].exchanges, 1);
    EXPECT_EQ(recording.steps[7].exchanges, 0);
    EXPECT_EQ(recording.steps[2].line, 3);
    EXPECT_EQ(recording.steps[6].line, 6);
    EXPECT_EQ(recording.steps[8].line, 7);
}

// 3, 1, 2: what each comparison says and what the counters stand at.
TEST(SortStepsTest, TheWalkThroughOfThreeOneTwo) {
    Recording const recording =
        recordSort({Variant(std::int16_t{3}), Variant(std::int16_t{1}), Variant(std::int16_t{2})}, ascending);
    std::vector<std::u16string> sentences;
    std::vector<std::int32_t> exchanges;
    for (std::size_t const index : form::visibleSteps(recording, true)) {
        form::Step const& step = recording.steps[index];
        if (step.kind != StepKind::Compare)
            continue;
        sentences.push_back(step.sentence);
        exchanges.push_back(step.exchanges);
        EXPECT_EQ(step.calls.size(), 1u);
    }
    EXPECT_EQ(
        sentences,
        (std::vector<std::u16string>{
            u"位置 3 の lhs と位置 1 の rhs を比べます。2 < 3 なので True です。位置 1 と位置 3 "
            u"を交換します。",
            u"位置 2 の lhs と位置 1 の rhs を比べます。1 < 2 なので True です。位置 1 と位置 2 "
            u"を交換します。",
            u"位置 3 の lhs と位置 2 の rhs を比べます。3 < 2 ではないので False です。何も動かしません。",
        }));
    EXPECT_EQ(exchanges, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(recording.steps.back().kind, StepKind::End);
    EXPECT_EQ(recording.steps.back().comparison, 3);
    EXPECT_EQ(recording.steps[2].calls.front().text, u"AnswerCompare.Compare(2, 3) = True");
    // A Remove at the end has nothing behind it to move up; one further in has.
    std::vector<std::u16string> removals;
    for (form::Step const& step : recording.steps) {
        if (step.kind == StepKind::Remove)
            removals.push_back(step.sentence);
    }
    EXPECT_EQ(
        removals,
        (std::vector<std::u16string>{
            u"位置 2 を Remove: 重複の一方が消え、後ろの要素が 1 つずつ前に詰まります。Count は 4 です。",
            u"位置 4 を Remove: 末尾の重複が消えます。Count は 3 です。",
            u"位置 3 を Remove: 重複の一方が消え、後ろの要素が 1 つずつ前に詰まります。Count は 3 です。",
        }));
}

// A comparator that fails ends the run at the comparison, with the runtime's text of the error.
TEST(SortStepsTest, AnErrorEndsTheRecordingWhereItHappened) {
    Recording const recording = recordSort(valuesOf({"1", "x", "2"}), ascending);
    ASSERT_FALSE(recording.steps.empty());
    form::Step const& last = recording.steps.back();
    EXPECT_EQ(last.kind, StepKind::Error);
    EXPECT_EQ(last.line, 3);
    EXPECT_EQ(last.comparison, 1);
    EXPECT_NE(last.error.find("type mismatch"), std::string::npos) << last.error;
    ASSERT_EQ(last.calls.size(), 1u);
    EXPECT_EQ(last.calls.front().text, u"AnswerCompare.Compare(\"x\", \"1\") → エラー");
}

} // namespace
} // namespace sortlib
