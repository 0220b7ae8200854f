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

} // namespace
} // namespace pelora
