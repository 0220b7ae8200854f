// Every allocation that a click makes fails in turn, once or from there on, through the real window.
#include "talverin/Form1.h"

#include "host/testing/FailingClicks.h"

namespace talverin {
namespace {

// A click makes at least the three comparators, the collection and one node of it.
TEST(TalverinOutOfMemoryTest, EachFailedAllocationOfAClickIsReportedAndLosesNothing) {
    host::testing::FormHarness<Form1> harness;
    host::testing::expectEveryClickSurvivesFailedAllocations(harness, 5);
}

} // namespace
} // namespace talverin
