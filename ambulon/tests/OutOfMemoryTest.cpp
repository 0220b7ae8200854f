// Every allocation that a click makes fails in turn, once or from there on, through the real window.
#include "ambulon/Form1.h"

#include "host/testing/FailingClicks.h"

namespace ambulon {
namespace {

// A click makes at least the function objects, their counter and binders, and the collection.
TEST(AmbulonOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    host::testing::FormHarness<Form1> harness;
    host::testing::expectEveryClickSurvivesFailedAllocations(harness, 10);
}

// With --trace, every call, inner call and counter read is written too, and memory may run out there
// as well.
TEST(AmbulonOutOfMemoryTest, ATracedClickSurvivesLastingExhaustion) {
    host::testing::TracedHarness<Form1> traced;
    EXPECT_GE(
        host::testing::failEachAllocationOfAClick(traced.harness, 3, runtime::testing::Exhaustion::Lasting),
        10);
}

} // namespace
} // namespace ambulon
