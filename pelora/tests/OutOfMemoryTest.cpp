// Every allocation that a click makes fails in turn, through the real window.
#include "pelora/Form1.h"

#include "runtime/formhost/testing/FailingClicks.h"

namespace pelora {
namespace {

// A click makes at least the comparators, the collection, twenty people and twenty lines of text.
TEST(PeloraOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    runtime::testing::FormHarness<Form1> harness;
    for (int button = 0; button < harness.window.commandButtonCount(); ++button)
        EXPECT_GE(runtime::testing::failEachAllocationOfAClick(harness, button), 100) << button;
}

} // namespace
} // namespace pelora
