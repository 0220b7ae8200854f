#include "pelora/Comparators.h"

#include "pelora/Persons.h"
#include "runtime/Members.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace pelora {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Variant;
using runtime::testing::raises;

Variant student(std::int32_t height, std::int32_t weight, std::int32_t age, std::int32_t grade) {
    return Variant(make<Student>()->Create_Instance(height, weight, age, grade));
}

// An object whose Height is a method that records the order in which objects were read.
class Witness final : public runtime::Object {
public:
    Witness(std::vector<char>& log, char name, std::int32_t height)
        : m_log(log), m_name(name), m_height(height) {}
    std::int32_t height() {
        m_log.push_back(m_name);
        return m_height;
    }

protected:
    std::span<runtime::MemberEntry const> members() const override {
        static constexpr runtime::MemberEntry table[] = {runtime::member<&Witness::height>(u"Height")};
        return table;
    }

private:
    std::vector<char>& m_log;
    char m_name;
    std::int32_t m_height;
};

TEST(AttributeComparatorsTest, EachReadsOnlyItsOwnAttribute) {
    Variant const lighter = student(160, 56, 18, 1);
    Variant const heavier = student(160, 58, 18, 1);
    CmpHeight height;
    CmpWeight weight;
    CmpAge age;
    EXPECT_TRUE(weight.Compare(lighter, heavier));
    EXPECT_FALSE(weight.Compare(heavier, lighter));
    for (sortlib::ICompare* cmp : std::initializer_list<sortlib::ICompare*>{&height, &age}) {
        EXPECT_FALSE(cmp->Compare(lighter, heavier));
        EXPECT_FALSE(cmp->Compare(heavier, lighter));
    }
    for (sortlib::ICompare* cmp : std::initializer_list<sortlib::ICompare*>{&height, &weight, &age})
        EXPECT_FALSE(cmp->Compare(lighter, lighter));
}

TEST(AttributeComparatorsTest, MixedClassesCompareNumerically) {
    Variant const teacher(make<Teacher>()->Create_Instance(181, 70, 50, u"英語"));
    Variant const young = student(160, 56, 99, 1);
    CmpHeight height;
    CmpAge age;
    EXPECT_FALSE(height.Compare(teacher, young));
    EXPECT_TRUE(height.Compare(young, teacher));
    EXPECT_TRUE(age.Compare(teacher, young));
    EXPECT_TRUE(age.Compare(student(1, 1, 99, 1), student(1, 1, 100, 1))); // numeric, not textual
}

TEST(AttributeComparatorsTest, EachCallReadsLhsThenRhsOnce) {
    std::vector<char> log;
    Variant const left(make<Witness>(log, 'l', 1));
    Variant const right(make<Witness>(log, 'r', 2));
    CmpHeight height;
    EXPECT_TRUE(height.Compare(left, right));
    EXPECT_FALSE(height.Compare(right, left));
    EXPECT_EQ(log, (std::vector<char>{'l', 'r', 'r', 'l'}));
}

TEST(AttributeComparatorsTest, ErrorsReachTheCaller) {
    CmpWeight weight;
    Variant const person = student(160, 56, 18, 1);
    Variant const noWeight(make<runtime::Collection>());
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { weight.Compare(noWeight, person); }));
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { weight.Compare(person, noWeight); }));
    EXPECT_TRUE(
        raises(ErrorKind::ObjectRequired, [&] { weight.Compare(Variant(std::int16_t{56}), person); }));
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [&] { weight.Compare(person, Variant()); }));
    // lhs is read first, so its error wins.
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [&] { weight.Compare(Variant(), noWeight); }));
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { weight.Compare(noWeight, Variant()); }));
}

} // namespace
} // namespace pelora
