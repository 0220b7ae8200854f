#include "talverin/Form1.h"

#include "talverin/DataSets.h"

#include "form/Table.h"
#include "runtime/Collection.h"
#include "sortlib/Sort.h"
#include "sortlib/SortSteps.h"
#include "talverin/Comparators.h"

#include <array>

namespace talverin {

using form::ControlKind;
using form::kNoIndex;
using runtime::make;
using runtime::Ref;
using runtime::Variant;
using sortlib::ICompare;

namespace {

// clang-format off
constexpr form::ControlLayout kControls[] = {
    // kind                      name        Index     caption      left  top   width height tab  accessible name / description
    {ControlKind::ListBox,       "List1",    kNoIndex, u"",         120,  120,  2775, 3480,  0, u"並べ替えの結果", u"ボタンで選んだ順に並べた9つの整数"},
    {ControlKind::CommandButton, "Command1", 0,        u"小さい順", 3000, 120,  1215, 495,   1, u"",               u"整数を小さい順に並べ替えて一覧に表示します"},
    {ControlKind::CommandButton, "Command1", 1,        u"大きい順", 3000, 600,  1215, 495,   2, u"",               u"整数を大きい順に並べ替えて一覧に表示します"},
    {ControlKind::CommandButton, "Command1", 2,        u"文字列順", 3000, 1080, 1215, 615,   3, u"",               u"整数を10進の文字列として辞書順に並べ替えます"},
};
// clang-format on

constexpr form::FormLayout kLayout{u"QZでMRK風サンプル－整数値の並べ替え", 1185, 1920, 4485, 3810, kControls};

// The program's own numbers in their first order, the first of the data sets a learner may choose;
// each value is stored in the narrowest integer kind that holds it.
constexpr std::span<std::int32_t const> kNumbers{kDataSets[0].numbers};

// The comparator table of a click, one comparator per button Index.
std::array<Ref<ICompare>, 3> comparatorTable() { return {make<LongLess>(), make<LongGT>(), make<StrLess>()}; }

// How each comparator's answer reads, by button Index.
constexpr std::array<sortlib::AnswerWording, 3> kWordings{{
    {u"%1 は %2 より小さいので True", u"%1 は %2 より小さくないので False",
     u"%1 と %2 は等しく、小さくないので False"},
    {u"%1 は %2 より大きいので True", u"%1 は %2 より大きくないので False",
     u"%1 と %2 は等しく、大きくないので False"},
    {u"文字列「%1」は「%2」より辞書順で前なので True",
     u"文字列「%1」は「%2」より辞書順で前ではないので False",
     u"文字列「%1」と「%2」は等しく、辞書順で前ではないので False"},
}};

// A click: the numbers in a new collection, sorted with button Index's comparator.
Ref<runtime::Collection> sortedNumbers(std::int16_t Index, std::span<std::int32_t const> numbers) {
    std::array<Ref<ICompare>, 3> comparators = comparatorTable();

    auto const data = form::collectionOf(numbers);

    ICompare& comparator = *form::tableAt(comparators, Index);
    sortlib::Sort::Sort_Collection(*data, comparator);
    return data;
}

std::u16string numberText(Variant const& element) { return element.toText(); }

// The steps of a click, on the program's numbers, a learner's own or a data set's.
form::Recording recordClick(std::int16_t Index, std::span<std::int32_t const> numbers) {
    sortlib::SortSteps recorder(numberText, form::tableAt(kWordings, Index));
    runtime::Attachment const attached(recorder);
    return recorder.record([&] { sortedNumbers(Index, numbers.empty() ? kNumbers : numbers); });
}

} // namespace

form::FormLayout const& Form1::layout() const { return kLayout; }

void Form1::Command1_Click(std::int16_t Index) {
    auto const data = sortedNumbers(Index, kNumbers);

    List1.Clear();
    for (Variant const& element : *data)
        List1.AddItem(numberText(element));
}

form::Lesson const& Form1::lesson() {
    static form::Lesson const lesson{u"Sort_Collection", sortlib::kSortProcedure, true, recordClick,
                                     kDataSets};
    return lesson;
}

} // namespace talverin
