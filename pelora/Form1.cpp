#include "pelora/Form1.h"

#include "form/Table.h"
#include "pelora/Comparators.h"
#include "pelora/Persons.h"
#include "runtime/Collection.h"
#include "sortlib/Sort.h"
#include "sortlib/SortSteps.h"

#include <array>
#include <variant>

namespace pelora {

using form::ControlKind;
using form::kNoIndex;
using runtime::make;
using runtime::Ref;
using runtime::SelfCreatingRef;
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

// One person of the roster: a Grade makes a Student, a Domain a Teacher.
struct RosterRow {
    std::int32_t height;
    std::int32_t weight;
    std::int32_t age;
    std::variant<std::int32_t, std::u16string_view> gradeOrDomain;
};

// clang-format off
constexpr RosterRow kRoster[] = {
    // Height Weight Age  Grade / Domain
    {160,     56,    18,  1},
    {160,     58,    18,  1},
    {175,     60,    19,  1},
    {178,     62,    20,  1},
    {165,     50,    19,  2},
    {155,     55,    20,  2},
    {155,     55,    21,  2},
    {155,     55,    22,  2},
    {168,     70,    20,  3},
    {172,     85,    21,  3},
    {180,     60,    23,  3},
    {162,     49,    28,  4},
    {170,     62,    31,  u"国語"},
    {178,     65,    60,  u"国語"},
    {164,     62,    40,  u"数学"},
    {158,     45,    38,  u"数学"},
    {170,     59,    27,  u"数学"},
    {164,     54,    35,  u"数学"},
    {164,     57,    42,  u"英語"},
    {181,     70,    50,  u"英語"},
};
// clang-format on

// The comparator table of a click, one comparator per button Index.
std::array<Ref<ICompare>, 3> comparatorTable() {
    return {make<CmpHeight>(), make<CmpWeight>(), make<CmpAge>()};
}

// A click's data: the persons of the roster's rows in order, each made by its class's factory,
// which the click holds as long as its roster. The factories and the roster are made when first used.
struct ClickData {
    SelfCreatingRef<Student> studentFactory;
    SelfCreatingRef<Teacher> teacherFactory;
    SelfCreatingRef<runtime::Collection> roster;

    ClickData() {
        for (RosterRow const& row : kRoster) {
            if (auto const* grade = std::get_if<std::int32_t>(&row.gradeOrDomain))
                roster->Add(studentFactory->Create_Instance(row.height, row.weight, row.age, *grade));
            else
                roster->Add(teacherFactory->Create_Instance(
                    row.height, row.weight, row.age,
                    std::u16string(std::get<std::u16string_view>(row.gradeOrDomain))));
        }
    }
};

std::u16string lineOf(Variant const& person) { return runtime::readMember(person, u"Get_String").toText(); }

// A click: the roster made and sorted with button Index's comparator.
ClickData sortedRoster(std::int16_t Index) {
    std::array<Ref<ICompare>, 3> comparators = comparatorTable();

    ClickData data;

    ICompare& comparator = *form::tableAt(comparators, Index);
    sortlib::Sort::Sort_Collection(*data.roster, comparator);
    return data;
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

// The steps of a click; the roster has no numbers of a learner's own.
form::Recording recordClick(std::int16_t Index, std::span<std::int32_t const> numbers) {
    (void)numbers;
    sortlib::SortSteps recorder(lineOf, form::tableAt(kWordings, Index));
    return recorder.record([&] { sortedRoster(Index); });
}

} // namespace

form::FormLayout const& Form1::layout() const { return kLayout; }

void Form1::Command1_Click(std::int16_t Index) {
    ClickData data = sortedRoster(Index);

    List1.Clear();
    for (Variant const& person : *data.roster)
        List1.AddItem(lineOf(person));
}

form::Lesson const& Form1::lesson() {
    static form::Lesson const lesson{u"Sort_Collection", sortlib::kSortProcedure, false, recordClick};
    return lesson;
}

} // namespace pelora
