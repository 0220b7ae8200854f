#include "pelora/MemberCompare.h"

#include "form/testing/ListLines.h"
#include "pelora/Form1.h"
#include "pelora/Roster.h"
#include "runtime/testing/RuntimeTesting.h"
#include "sortlib/Sort.h"
#include "sortlib/SortSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

namespace pelora {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Ref;
using runtime::RuntimeError;
using runtime::Variant;
using sortlib::ICompare;

// Passes each comparison on, counting them and keeping the last lhs.
class CountingCompare final : public ICompare {
public:
    explicit CountingCompare(ICompare& inner) : m_inner(inner) {}
    int calls = 0;
    Variant lastLhs;

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override {
        ++calls;
        lastLhs = lhs;
        return m_inner.Compare(std::move(lhs), std::move(rhs));
    }

private:
    ICompare& m_inner;
};

// A sorted roster: each person by roster position (1 to 20), and the member's values in order.
struct Sorted {
    std::vector<std::size_t> positions;
    std::vector<std::int32_t> values;
};

Sorted sortRoster(ICompare& comparator, std::u16string_view member) {
    Roster roster;
    std::map<runtime::Object const*, std::size_t> positionOf;
    for (Variant const& person : *roster.persons)
        positionOf[person.asObject().get()] = positionOf.size() + 1;
    sortlib::Sort::Sort_Collection(*roster.persons, comparator);
    Sorted sorted;
    for (Variant const& person : *roster.persons) {
        sorted.positions.push_back(positionOf.at(person.asObject().get()));
        sorted.values.push_back(runtime::readMember(person, member).toInt32());
    }
    return sorted;
}

// Each row sorts the roster with a comparator of a learner's own. One that ends is checked against
// the program's comparator of the same member: ascending puts every person where it does, descending
// gives its values backwards. Names that a person lacks stop the sort at the first comparison, of
// roster position 20 (lhs, a teacher) with position 1, whose lhs is read first.
TEST(MemberCompareTest, SortsTheRosterByTheNamedMemberOrStopsWhereAPersonLacksIt) {
    struct Row {
        std::u16string_view member;
        Order order;
        Ref<ICompare> (*programComparator)(); // null: the sort stops
    };
    Row const rows[] = {
        {u"Height", Order::Ascending, []() -> Ref<ICompare> { return make<CmpHeight>(); }},
        {u"Height", Order::Descending, []() -> Ref<ICompare> { return make<CmpHeight>(); }},
        {u"Age", Order::Descending, []() -> Ref<ICompare> { return make<CmpAge>(); }},
        {u"Grade", Order::Ascending, nullptr},
        {u"Grade", Order::Descending, nullptr},
        {u"height", Order::Ascending, nullptr},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(runtime::toUtf8(row.member) + " " + runtime::toUtf8(orderName(row.order)));
        auto const own = make<CmpMember>(std::u16string(row.member), row.order);
        EXPECT_EQ(own->attribute(), row.member);
        if (row.programComparator) {
            Sorted const mine = sortRoster(*own, row.member);
            Sorted const program = sortRoster(*row.programComparator(), row.member);
            if (row.order == Order::Ascending) {
                EXPECT_EQ(mine.positions, program.positions);
            } else {
                EXPECT_TRUE(std::equal(mine.values.begin(), mine.values.end(), program.values.rbegin(),
                                       program.values.rend()));
                EXPECT_NE(mine.values, program.values);
            }
            continue;
        }
        CountingCompare counting(*own);
        Roster roster;
        std::optional<RuntimeError> stopped;
        try {
            sortlib::Sort::Sort_Collection(*roster.persons, counting);
        } catch (RuntimeError const& error) {
            stopped = error;
        }
        ASSERT_TRUE(stopped.has_value());
        EXPECT_EQ(stopped->kind(), ErrorKind::FailedCall);
        EXPECT_EQ(stopped->detail(), "Teacher has no member '" + runtime::toUtf8(row.member) + "'");
        EXPECT_EQ(counting.calls, 1);
        EXPECT_EQ(counting.lastLhs, roster.persons->Item(std::int32_t{20}));
        EXPECT_EQ(counting.lastLhs.asObject()->className(), "Teacher");
    }

    // The roster is the program's: its 身長順 lists the persons in the order that CmpMember gives.
    Form1 form;
    form::testing::ListLines list(form, "List1");
    form.Command1_Click(0);
    Roster roster;
    CmpMember byHeight(u"Height", Order::Ascending);
    sortlib::Sort::Sort_Collection(*roster.persons, byHeight);
    std::vector<std::u16string> lines;
    for (Variant const& person : *roster.persons)
        lines.push_back(runtime::readMember(person, u"Get_String").toText());
    EXPECT_EQ(list.lines, lines);
}

// What a learner may type as a member name, and what the window says when a person lacks it.
TEST(MemberCompareTest, TypedNamesAreCheckedBeforeAnythingRuns) {
    struct Row {
        std::u16string typed;
        std::u16string message; // empty: the name may run
    };
    Row const rows[] = {
        {u"Height", u""},
        {u"Grade", u""}, // the teachers lack it: only the run can tell
        {u"x_1", u""},
        {std::u16string(64, u'a'), u""},
        {u"", u"メンバー名を入力してください。"},
        {std::u16string(65, u'a'), u"メンバー名は 64 文字までにしてください（今は 65 文字です）。"},
        {u"1Height", u"メンバー名は半角の英字で始めてください。「1」では始められません。"},
        {u"_Height", u"メンバー名は半角の英字で始めてください。「_」では始められません。"},
        {u"身長", u"メンバー名に使えるのは半角の英字・数字と「_」だけです。「身」は使えません。"},
        {u"Ｈｅｉｇｈｔ", u"メンバー名に使えるのは半角の英字・数字と「_」だけです。「Ｈ」は使えません。"},
        {u"Height ", u"メンバー名に使えるのは半角の英字・数字と「_」だけです。空白は使えません。"},
        {u"a\U0001F600",
         u"メンバー名に使えるのは半角の英字・数字と「_」だけです。「\U0001F600」は使えません。"},
    };
    for (Row const& row : rows)
        EXPECT_EQ(memberNameMessage(row.typed), row.message) << runtime::toUtf8(row.typed);

    CmpMember const byGrade(u"Grade", Order::Ascending);
    EXPECT_EQ(missingMemberSentence(byGrade, u"Teacher#20"),
              u"CmpMember が知っているのはメンバー名「Grade」だけで、比べる相手のクラスは知りません。"
              u"Teacher#20 に Grade があるかどうかは、実行時にその名前で読みに行ってはじめて分かります。"
              u"Teacher には Grade がないので、読み出しが失敗し、並べ替えはここで止まりました。");
    // A member's name in other case is another name, and the sentence says so.
    std::u16string const lowercase = missingMemberSentence(CmpMember(u"height", Order::Ascending), u"Teacher#20");
    EXPECT_TRUE(lowercase.ends_with(u"メンバー名は大文字と小文字を区別します。Height とは別の名前です。"))
        << runtime::toUtf8(lowercase);
}

// The step window's runs of a learner's CmpMember: Height 大きい順 runs to the end, each comparison
// worded with the member's name; Grade stops at the first comparison, whose step explains why with
// missingMemberSentence; a name that cannot name a member runs nothing and says why.
TEST(MemberCompareTest, TheLessonRunsALearnersComparatorOrSaysWhyNot) {
    form::Lesson const& lesson = Form1::lesson();
    EXPECT_TRUE(lesson.dataSets.empty());
    ASSERT_EQ(lesson.choices.size(), 2u);
    EXPECT_EQ(lesson.choices[0].caption, orderName(Order::Ascending));
    EXPECT_EQ(lesson.choices[1].caption, orderName(Order::Descending));

    form::Recorded const height = lesson.recordRun({.index = 0, .own = 1, .typed = u"Height"});
    EXPECT_EQ(height.refusal, u"");
    EXPECT_EQ(height.recording.chosen, u"CmpMember");
    EXPECT_EQ(static_cast<sortlib::SortStep>(height.recording.steps.back().kind), sortlib::SortStep::End);
    EXPECT_EQ(
        height.recording.steps[2].sentence,
        u"lhs（位置 20）と rhs（位置 1）を比べました。Height 181 は 160 より大きいので True です。位置 1 "
        u"と位置 20 を交換します。");

    form::Recorded const grade = lesson.recordRun({.index = 0, .own = 0, .typed = u"Grade"});
    EXPECT_EQ(grade.refusal, u"");
    form::Step const& stop = grade.recording.steps.back();
    EXPECT_EQ(static_cast<sortlib::SortStep>(stop.kind), sortlib::SortStep::Error);
    EXPECT_EQ(stop.counters[1].value, 1) << "the first comparison";
    EXPECT_EQ(stop.calls.front().text, u"CmpMember.Compare(lhs, rhs) → エラー");
    ASSERT_GE(stop.explanation, 0);
    EXPECT_EQ(grade.recording.explanations.at(stop.explanation).text,
              missingMemberSentence(CmpMember(u"Grade", Order::Ascending), u"Teacher#20"));

    form::Recorded const refused = lesson.recordRun({.index = 0, .own = 0, .typed = u"身長"});
    EXPECT_EQ(refused.refusal, memberNameMessage(u"身長"));
    EXPECT_TRUE(refused.recording.steps.empty());
}

} // namespace
} // namespace pelora
