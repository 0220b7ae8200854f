#pragma once

#include "runtime/Error.h"
#include "runtime/Object.h"
#include "runtime/Observer.h"

#include <set>
#include <span>
#include <string>
#include <string_view>

namespace runtime::testing {

// A reader of the runtime's events: while attached, it counts the calls made through interfaces
// and fails a chosen one, before it runs, with the failed-call error, as a failing callee would.
class CallProbe final : public Observer, public Reader {
public:
    explicit CallProbe(int failAt = 0) : failAt(failAt) {}

    void attachTo(Attachment& attachment) override { attachment.add<Observer>(*this); }

    void callBegun(Object const& callee, std::string_view operation,
                   std::span<Variant const> arguments) override {
        (void)operation, (void)arguments;
        // A failed call is told as ended too, so it is open from here.
        bool const outermost = m_depth++ == 0;
        if (++everyCall == failAt)
            raise(ErrorKind::FailedCall, en("injected fault in call ", everyCall),
                  ja("テストのため ", everyCall, " 回目の呼び出しを失敗させました"));
        if (outermost) {
            ++calls;
            callees.insert(callee.className());
        }
    }
    void callEnded(Object const& callee, std::string_view operation, Variant const* result) noexcept override {
        (void)callee, (void)operation;
        if (--m_depth == 0 && result && result->isTrue())
            ++trueAnswers;
    }

    // Forgets the counts, to watch the next run.
    void reset() {
        calls = trueAnswers = everyCall = 0;
        callees.clear();
    }

    // The call to fail, numbered from 1 among every call begun, inner ones too; 0 fails none.
    int failAt;
    // The calls that no other call made (those of the algorithm), and how many of them answered true.
    int calls = 0;
    int trueAnswers = 0;
    // Every call begun, inner ones and a failed one included.
    int everyCall = 0;
    // The classes that the algorithm's calls went to.
    std::set<std::string> callees;

private:
    int m_depth = 0;
};

} // namespace runtime::testing
