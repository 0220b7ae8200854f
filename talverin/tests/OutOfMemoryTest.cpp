// Every allocation that a click makes fails in turn, through the real window.
#include "talverin/Form1.h"

#include "runtime/formhost/testing/FailingClicks.h"

namespace talverin {
namespace {

// A click makes at least the three comparators, the collection and one node of it.
TEST(TalverinOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    runtime::testing::FormHarness<Form1> harness;
    for (int button = 0; button < harness.window.commandButtonCount(); ++button)
        EXPECT_GE(runtime::testing::failEachAllocationOfAClick(harness, button), 5) << button;
}

} // namespace
} // namespace talverin
