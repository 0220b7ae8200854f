#pragma once

#include "host/testing/FormHarness.h"
#include "runtime/testing/FailingAllocator.h"

#include <QListWidget>

#include <vector>

namespace host::testing {

using runtime::testing::AllocationFailure;
using runtime::testing::Exhaustion;

// The lines of every list box of a window, in the order the window holds them.
inline std::vector<QStringList> linesOfEveryList(FormWindow const& window) {
    std::vector<QStringList> lines;
    for (QListWidget const* list : window.findChildren<QListWidget*>())
        lines.push_back(linesOf(*list));
    return lines;
}

inline bool startsWith(QStringList const& lines, QStringList const& prefix) {
    return lines.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), lines.begin());
}

// Clicks button once for each allocation of this project's code that the click makes, failing that
// allocation (Once), or that one and every later one until the click has ended and its error is
// reported (Lasting), until a click runs through; returns how many allocations were failed. Before
// each click another button fills the lists differently. After each failed click: one out-of-memory
// error was reported, every object the click made is released, each list holds either what it held
// before or the first lines of what a clean click shows, and the next click shows the clean lines.
// Only the trace may fail an allocation and no click: a reader cannot fail the work it reads, so such
// a click runs through and shows the clean lines.
template <class FormType>
int failEachAllocationOfAClick(FormHarness<FormType>& harness, int button, Exhaustion exhaustion) {
    int const other = (button + 1) % harness.window.commandButtonCount();
    harness.click(button);
    std::vector<QStringList> const clean = linesOfEveryList(harness.window);
    for (int k = 1;; ++k) {
        SCOPED_TRACE(::testing::Message() << "button " << button << ", allocation " << k
                                          << (exhaustion == Exhaustion::Lasting ? " on" : ""));
        harness.click(other);
        std::vector<QStringList> const before = linesOfEveryList(harness.window);
        auto const live = runtime::Object::liveCount();
        harness.errors.clear();
        bool failed = false;
        {
            AllocationFailure const failure(static_cast<std::size_t>(k), exhaustion);
            harness.click(button);
            failed = failure.happened();
        }
        std::vector<QStringList> const after = linesOfEveryList(harness.window);
        if (!failed) {
            EXPECT_TRUE(harness.errors.empty());
            EXPECT_EQ(after, clean);
            return k - 1;
        }
        if (harness.errors.empty() && harness.window.callTrace()) {
            EXPECT_EQ(after, clean);
            continue;
        }
        EXPECT_EQ(harness.errors.size(), 1u);
        for (runtime::RuntimeError const& error : harness.errors)
            EXPECT_EQ(error.kind(), runtime::ErrorKind::OutOfMemory) << error.what();
        EXPECT_EQ(runtime::Object::liveCount(), live);
        for (std::size_t list = 0; list < after.size(); ++list)
            EXPECT_TRUE(after[list] == before[list] || startsWith(clean[list], after[list]))
                << "list " << list;
        harness.errors.clear();
        harness.click(button);
        EXPECT_EQ(linesOfEveryList(harness.window), clean);
        if (::testing::Test::HasFailure())
            return k;
    }
}

// Fails the allocations of a click of every button of the window, in both ways; each click must
// make at least fewest allocations.
template <class FormType>
void expectEveryClickSurvivesFailedAllocations(FormHarness<FormType>& harness, int fewest) {
    for (Exhaustion const exhaustion : {Exhaustion::Once, Exhaustion::Lasting}) {
        for (int button = 0; button < harness.window.commandButtonCount(); ++button)
            EXPECT_GE(failEachAllocationOfAClick(harness, button, exhaustion), fewest) << button;
    }
}

} // namespace host::testing
