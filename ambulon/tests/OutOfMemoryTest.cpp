// Every allocation that a click makes fails in turn, through the real window.
#include "ambulon/Form1.h"

#include "runtime/formhost/testing/FailingClicks.h"

namespace ambulon {
namespace {

// A click makes at least the function objects, their counter and binders, and the collection.
TEST(AmbulonOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    runtime::testing::FormHarness<Form1> harness;
    for (int button = 0; button < harness.window.commandButtonCount(); ++button)
        EXPECT_GE(runtime::testing::failEachAllocationOfAClick(harness, button), 10) << button;
}

} // namespace
} // namespace ambulon
