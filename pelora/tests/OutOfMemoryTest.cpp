// Every allocation that a click makes fails in turn, once or from there on, through the real window.
#include "pelora/Form1.h"

#include "host/testing/FailingClicks.h"

namespace pelora {
namespace {

// A click makes at least the comparators, the collection, twenty people and twenty lines of text.
TEST(PeloraOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    host::testing::FormHarness<Form1> harness;
    host::testing::expectEveryClickSurvivesFailedAllocations(harness, 100);
}

// With --trace, the start and end lines with each person's attribute, the comparisons and the
// exchanges are written too, and memory may run out there as well.
TEST(PeloraOutOfMemoryTest, ATracedClickSurvivesLastingExhaustion) {
    host::testing::TracedHarness<Form1> traced;
    EXPECT_GE(
        host::testing::failEachAllocationOfAClick(traced.harness, 0, runtime::testing::Exhaustion::Lasting),
        100);
}

} // namespace
} // namespace pelora
