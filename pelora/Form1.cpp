#include "pelora/Form1.h"

#include "form/Table.h"
#include "pelora/Comparators.h"
#include "pelora/MemberCompare.h"
#include "pelora/Roster.h"
#include "runtime/Collection.h"
#include "sortlib/Sort.h"
#include "sortlib/SortSteps.h"

#include <array>
#include <functional>
#include <optional>

namespace pelora {

using form::ControlKind;
using form::kNoIndex;
using runtime::make;
using runtime::Ref;
using runtime::Variant;
using sortlib::ICompare;

namespace {

// clang-format off
constexpr form::ControlLayout kControls[] = {
    // kind                      name        Index     caption    left  top   width height tab  accessible name / description
    {ControlKind::ListBox,       "List1",    kNoIndex, u"",       120,  120,  6495, 4740,  0, u"並べ替えた名簿", u"生徒と先生を1人1行で表示します"},
    {ControlKind::CommandButton, "Command1", 0,        u"身長順", 6960, 1920, 1215, 495,   1, u"",               u"名簿を身長で並べ替えます"},
    {ControlKind::CommandButton, "Command1", 1,        u"体重順", 6960, 2400, 1215, 495,   2, u"",               u"名簿を体重で並べ替えます"},
    {ControlKind::CommandButton, "Command1", 2,        u"年齢順", 6960, 2880, 1215, 615,   3, u"",               u"名簿を年齢で並べ替えます"},
};
// clang-format on

constexpr form::FormLayout kLayout{
    u"QZでMRK風サンプル－異なるクラスのオブジェクトの並べ替え", 1185, 1920, 8265, 5055, kControls};

// The comparator table of a click, one comparator per button Index.
std::array<Ref<ICompare>, 3> comparatorTable() {
    return {make<CmpHeight>(), make<CmpWeight>(), make<CmpAge>()};
}

std::u16string lineOf(Variant const& person) { return runtime::readMember(person, u"Get_String").toText(); }

// Makes the comparator of a click, when the click runs: a button's or a learner's own.
using ComparatorMaker = std::function<Ref<ICompare>()>;

// A click: the comparator made, then the roster made and sorted with it.
Roster sortedRoster(ComparatorMaker const& makeComparator) {
    Ref<ICompare> const comparator = makeComparator();

    Roster data;

    sortlib::Sort::Sort_Collection(*data.persons, *comparator);
    return data;
}

// Button Index's comparator, from the click's table of comparators.
ComparatorMaker buttonComparator(std::int16_t Index) {
    return [Index] {
        std::array<Ref<ICompare>, 3> comparators = comparatorTable();
        return form::tableAt(comparators, Index);
    };
}

// How each comparator's answer reads, by button Index.
constexpr std::array<sortlib::AnswerWording, 3> kWordings{{
    {u"身長 %1 は %2 より小さいので True", u"身長 %1 は %2 より小さくないので False",
     u"身長 %1 と %2 は等しく、小さくないので False"},
    {u"体重 %1 は %2 より小さいので True", u"体重 %1 は %2 より小さくないので False",
     u"体重 %1 と %2 は等しく、小さくないので False"},
    {u"年齢 %1 は %2 より小さいので True", u"年齢 %1 は %2 より小さくないので False",
     u"年齢 %1 と %2 は等しく、小さくないので False"},
}};

// How CmpMember's answer reads, by Order, after the name of the member it read.
constexpr std::array<sortlib::AnswerWording, 2> kMemberWordings{{
    {u" %1 は %2 より小さいので True", u" %1 は %2 より小さくないので False",
     u" %1 と %2 は等しく、小さくないので False"},
    {u" %1 は %2 より大きいので True", u" %1 は %2 より大きくないので False",
     u" %1 と %2 は等しく、大きくないので False"},
}};

// A learner's own comparators: CmpMember in either order, with the member's name typed.
constexpr form::OwnChoice kOwnChoices[] = {
    {u"小さい順", u"メンバー名",
     u"入力した名前のメンバーを Compare のたびにその名前で読み、値の小さい順に並べます（CmpMember）。"},
    {u"大きい順", u"メンバー名",
     u"入力した名前のメンバーを Compare のたびにその名前で読み、値の大きい順に並べます（CmpMember）。"},
};
constexpr std::array<Order, 2> kOwnOrders{Order::Ascending, Order::Descending};

// The steps of the sort of the roster with the comparator made, its answers worded so.
form::Recording recordSort(ComparatorMaker const& makeComparator, sortlib::AnswerWording wording,
                           sortlib::SortSteps::FailureExplanation explainFailure = {}) {
    sortlib::SortSteps recorder(lineOf, wording);
    recorder.explainFailures(std::move(explainFailure));
    runtime::Attachment const attached(recorder);
    return recorder.record([&] { sortedRoster(makeComparator); });
}

// The steps of a click; the roster has no numbers of a learner's own.
form::Recording recordClick(std::int16_t Index, std::span<std::int32_t const> numbers) {
    (void)numbers;
    return recordSort(buttonComparator(Index), form::tableAt(kWordings, Index));
}

// The steps of a learner's CmpMember with the member name typed. A name that cannot name a member
// runs nothing; one that a person lacks stops the sort at its comparison, whose step explains that
// CmpMember knows only the name.
form::Recorded recordChoice(form::Run const& run) {
    if (std::u16string message = memberNameMessage(run.typed); !message.empty())
        return {{}, std::move(message)};
    Order const order = form::tableAt(kOwnOrders, *run.own);
    sortlib::AnswerWording const& pattern = kMemberWordings[static_cast<std::size_t>(order)];
    std::array<std::u16string, 3> const words{run.typed + std::u16string(pattern.whenTrue),
                                              run.typed + std::u16string(pattern.whenFalse),
                                              run.typed + std::u16string(pattern.whenEqual)};
    Ref<CmpMember> comparator;
    auto const makeComparator = [&]() -> Ref<ICompare> {
        comparator = make<CmpMember>(run.typed, order);
        return comparator;
    };
    auto const explainMissing = [&](std::u16string_view person) -> std::optional<form::Explanation> {
        return form::Explanation{u"CmpMember が知っているのはメンバーの名前だけ",
                                 missingMemberSentence(*comparator, person)};
    };
    return {recordSort(makeComparator, {words[0], words[1], words[2]}, explainMissing)};
}

} // namespace

form::FormLayout const& Form1::layout() const { return kLayout; }

void Form1::Command1_Click(std::int16_t Index) {
    Roster data = sortedRoster(buttonComparator(Index));

    List1.Clear();
    for (Variant const& person : *data.persons)
        List1.AddItem(lineOf(person));
}

form::Lesson const& Form1::lesson() {
    static form::Lesson const lesson{
        u"Sort_Collection", sortlib::kSortProcedure, false, recordClick, {}, kOwnChoices, recordChoice};
    return lesson;
}

} // namespace pelora
