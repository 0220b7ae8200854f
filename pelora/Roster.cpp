#include "pelora/Roster.h"

#include <string_view>
#include <variant>

namespace pelora {

namespace {

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

} // namespace

Roster::Roster() {
    for (RosterRow const& row : kRoster) {
        if (auto const* grade = std::get_if<std::int32_t>(&row.gradeOrDomain))
            persons->Add(studentFactory->Create_Instance(row.height, row.weight, row.age, *grade));
        else
            persons->Add(teacherFactory->Create_Instance(
                row.height, row.weight, row.age,
                std::u16string(std::get<std::u16string_view>(row.gradeOrDomain))));
    }
}

} // namespace pelora
