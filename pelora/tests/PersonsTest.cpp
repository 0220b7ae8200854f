#include "pelora/Persons.h"

#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace pelora {
namespace {

using runtime::make;
using runtime::Object;
using runtime::readMember;
using runtime::Variant;

TEST(PersonsTest, WorkedExamplesDescribeThemselvesExactly) {
    auto const students = make<Student>();
    auto const teachers = make<Teacher>();
    EXPECT_EQ(students->Create_Instance(160, 56, 18, 1)->Get_String(), u"身長160cm , 体重56kg , 18才の1年生");
    EXPECT_EQ(teachers->Create_Instance(170, 62, 31, u"国語")->Get_String(),
              u"身長170cm , 体重62kg , 31才で担当科目は国語の先生");
}

TEST(PersonsTest, FreshObjectsAreZeroAndEmpty) {
    EXPECT_EQ(make<Student>()->Get_String(), u"身長0cm , 体重0kg , 0才の0年生");
    EXPECT_EQ(make<Teacher>()->Get_String(), u"身長0cm , 体重0kg , 0才で担当科目はの先生");
}

TEST(PersonsTest, NumbersAreWrittenAsPlainDecimalDigits) {
    auto const students = make<Student>();
    EXPECT_EQ(students->Create_Instance(1000, -3, 2147483647, -2147483647 - 1)->Get_String(),
              u"身長1000cm , 体重-3kg , 2147483647才の-2147483648年生");
}

TEST(PersonsTest, CreateInstanceLeavesTheFactoryAndMakesDistinctObjects) {
    auto const before = Object::liveCount();
    {
        auto const factory = make<Teacher>();
        auto const first = factory->Create_Instance(164, 57, 42, u"英語");
        auto const second = factory->Create_Instance(164, 57, 42, u"英語");
        EXPECT_NE(first.get(), second.get());
        EXPECT_NE(first.get(), factory.get());
        EXPECT_EQ(factory->Get_String(), u"身長0cm , 体重0kg , 0才で担当科目はの先生");
        EXPECT_EQ(first->refCount(), 1u);
        EXPECT_EQ(Object::liveCount(), before + 3);
    }
    EXPECT_EQ(Object::liveCount(), before);
}

TEST(PersonsTest, DomainIsHeldByValue) {
    auto const factory = make<Teacher>();
    std::u16string subject = u"数学";
    auto const teacher = factory->Create_Instance(158, 45, 38, subject);
    auto const colleague = factory->Create_Instance(158, 45, 38, subject);
    subject = u"英語";
    EXPECT_EQ(teacher->Domain, u"数学");
    teacher->Domain = u"国語";
    EXPECT_EQ(teacher->Get_String(), u"身長158cm , 体重45kg , 38才で担当科目は国語の先生");
    EXPECT_EQ(colleague->Get_String(), u"身長158cm , 体重45kg , 38才で担当科目は数学の先生");
}

TEST(PersonsTest, MembersAreReadableByName) {
    Variant const student(make<Student>()->Create_Instance(160, 56, 18, 1));
    Variant const teacher(make<Teacher>()->Create_Instance(181, 70, 50, u"英語"));
    EXPECT_EQ(readMember(student, u"Height"), Variant(std::int32_t{160}));
    EXPECT_EQ(readMember(student, u"Weight"), Variant(std::int32_t{56}));
    EXPECT_EQ(readMember(student, u"Age"), Variant(std::int32_t{18}));
    EXPECT_EQ(readMember(student, u"Grade"), Variant(std::int32_t{1}));
    EXPECT_EQ(readMember(teacher, u"Height"), Variant(std::int32_t{181}));
    EXPECT_EQ(readMember(teacher, u"Domain"), Variant(u"英語"));
    EXPECT_EQ(readMember(teacher, u"Get_String"),
              Variant(u"身長181cm , 体重70kg , 50才で担当科目は英語の先生"));
    EXPECT_TRUE(
        runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { readMember(student, u"Domain"); }));
    EXPECT_TRUE(
        runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { readMember(teacher, u"Grade"); }));
}

} // namespace
} // namespace pelora
