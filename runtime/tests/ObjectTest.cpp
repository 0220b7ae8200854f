#include "runtime/Object.h"
#include "runtime/Ref.h"

#include "TestObjects.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

using testing::Plain;
using testing::Probe;
using testing::raises;

TEST(ObjectTest, ANewObjectIsAdoptedByItsFirstReference) {
    auto const before = Object::liveCount();
    {
        auto probe = make<Probe>();
        EXPECT_EQ(probe->refCount(), 1u);
        EXPECT_EQ(Object::liveCount(), before + 1);
        Ref<Object> base = probe;
        Ref<Probe> same(*probe);
        EXPECT_EQ(probe->refCount(), 3u);
        base = nullptr;
        EXPECT_EQ(probe->refCount(), 2u);
    }
    EXPECT_EQ(Object::liveCount(), before);
}

TEST(ObjectTest, AssignmentReleasesTheOldObjectAndSurvivesSelfAssignment) {
    auto const before = Object::liveCount();
    Ref<Object> ref = make<Probe>();
    ref = ref;
    EXPECT_EQ(ref->refCount(), 1u);
    ref = make<Plain>();
    EXPECT_EQ(Object::liveCount(), before + 1);
    ref = Ref<Object>();
    EXPECT_EQ(Object::liveCount(), before);
}

TEST(ObjectTest, RefCastFindsTheSameObjectOrNothing) {
    Ref<Object> ref = make<Probe>();
    EXPECT_EQ(refCast<Probe>(ref).get(), ref.get());
    EXPECT_FALSE(refCast<Plain>(ref));
}

TEST(ObjectTest, UsingAnEmptyReferenceRaisesInsteadOfCrashing) {
    Ref<Probe> empty;
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [&] { empty->Next(); }));
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [&] { (void)*empty; }));
}

TEST(ObjectTest, ObjectsAreReleasedWhenAnErrorPassesThrough) {
    auto const before = Object::liveCount();
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [] {
        Variant const held(make<Probe>());
        Variant const other(make<Plain>());
        (void)(held * other);
    }));
    EXPECT_EQ(Object::liveCount(), before);
}

TEST(ObjectTest, ClassNameIsTheUnqualifiedName) {
    EXPECT_EQ(make<Probe>()->className(), "Probe");
    try {
        make<Plain>()->readMember(u"Height");
        FAIL() << "no error";
    } catch (RuntimeError const& error) {
        EXPECT_STREQ(error.what(), "failed call: Plain has no member 'Height'");
    }
}

} // namespace
} // namespace runtime
