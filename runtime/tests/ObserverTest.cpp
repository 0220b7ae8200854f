#include "runtime/Collection.h"
#include "runtime/Observer.h"

#include "runtime/testing/CallProbe.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace runtime {
namespace {

using testing::raises;

// Writes "name:position" to a shared log for each element added, and can act on the other readers
// from inside its hook, as a reader that attaches or detaches others would.
class AddLog final : public Observer, public Reader {
public:
    AddLog(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void attachTo(Attachment& attachment) override { attachment.add<Observer>(*this); }
    void added(Collection const& collection, std::int32_t position) noexcept override {
        (void)collection;
        m_log.push_back(m_name + ':' + std::to_string(position));
        if (onAdded)
            std::exchange(onAdded, nullptr)();
    }
    std::function<void()> onAdded;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

// Several readers listen at once, in the order attached; attachments end in any order and each
// takes only its own reader away; a reader attached while an event is told hears the next one, and
// one detached meanwhile hears nothing more, even when it was next in line.
TEST(ObserverTest, ReadersAreToldInOrderAndAttachmentsEndInAnyOrder) {
    std::vector<std::string> log;
    AddLog first("first", log), second("second", log), third("third", log), late("late", log);
    auto const col = make<Collection>();
    {
        auto firstAttached = std::make_unique<Attachment>(first);
        auto secondAttached = std::make_unique<Attachment>(second);
        auto lateAttached = std::make_unique<Attachment>();
        {
            Attachment const thirdAttached(third);
            col->Add(Variant(1));
            EXPECT_EQ(log, (std::vector<std::string>{"first:1", "second:1", "third:1"}));
            // Ended before the attachments made earlier.
        }
        firstAttached.reset();
        log.clear();
        col->Add(Variant(2));
        EXPECT_EQ(log, (std::vector<std::string>{"second:2"}));

        // From inside a telling: the next reader in line goes and another comes; then a reader goes
        // while it is being told.
        firstAttached = std::make_unique<Attachment>(first); // second, then first
        second.onAdded = [&] {
            firstAttached.reset();
            lateAttached->add<Observer>(late);
        };
        log.clear();
        col->Add(Variant(3));
        EXPECT_EQ(log, (std::vector<std::string>{"second:3"}));
        late.onAdded = [&] { lateAttached.reset(); };
        log.clear();
        col->Add(Variant(4));
        EXPECT_EQ(log, (std::vector<std::string>{"second:4", "late:4"}));
        log.clear();
        col->Add(Variant(5));
        EXPECT_EQ(log, (std::vector<std::string>{"second:5"}));
    }
    log.clear();
    col->Add(Variant(6));
    EXPECT_TRUE(log.empty());
}

// Only callBegun tells of something not yet done; no other hook may turn a done operation into a
// failed one.
static_assert(noexcept(std::declval<Observer&>().added(std::declval<Collection const&>(), 1)));
static_assert(noexcept(std::declval<Observer&>().removed(std::declval<Collection const&>(), 1,
                                                         std::declval<Variant const&>())));
static_assert(noexcept(std::declval<Observer&>().itemRead(std::declval<Collection const&>(), 1,
                                                          std::declval<Variant const&>())));
static_assert(noexcept(std::declval<Observer&>().memberRead(std::declval<Object const&>(), u"",
                                                            std::declval<Variant const&>())));
static_assert(noexcept(std::declval<Observer&>().callEnded(std::declval<Object const&>(), "", nullptr)));

// A reader that fails a call before it runs: every reader hears that the call began and ended with
// an error, the call never runs, and the error leaves it. Readers paused hear nothing.
TEST(ObserverTest, AFailedCallIsToldAsBegunAndEndedToEveryReader) {
    class Callee final : public Object {
    public:
        int runs = 0;
        Variant call() {
            ObservedCall observed(*this, "Call", {});
            ++runs;
            return observed.returned(Variant(1));
        }
    };
    auto const callee = make<Callee>();
    testing::CallProbe failing(1), watching;
    {
        Attachment const watched(watching), failed(failing);
        EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { callee->call(); }));
        EXPECT_EQ(callee->runs, 0);
        EXPECT_EQ(watching.everyCall, 1);
        {
            Observer::Pause const paused;
            callee->call();
        }
        EXPECT_EQ(watching.everyCall, 1);
        callee->call();
        EXPECT_EQ(watching.everyCall, 2);
        EXPECT_EQ(watching.calls, 2); // both calls ended: the next one counts as outermost again
    }
}

} // namespace
} // namespace runtime
