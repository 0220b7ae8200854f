#pragma once

#include "runtime/Error.h"
#include "runtime/Ref.h"
#include "sortlib/ICompare.h"

#include <utility>

namespace sortlib::testing {

// Wraps a comparator: counts its calls and true answers, and raises a failed-call error in place of
// the call numbered failAt (1-based; 0 never fails).
class ProbeCompare final : public ICompare {
public:
    explicit ProbeCompare(runtime::Ref<ICompare> inner, int failAt = 0)
        : m_inner(std::move(inner)), m_failAt(failAt) {}

    int calls = 0;
    int trueAnswers = 0;

protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override {
        if (++calls == m_failAt)
            runtime::raise(runtime::ErrorKind::FailedCall, "injected fault");
        bool const answer = m_inner->Compare(std::move(lhs), std::move(rhs));
        trueAnswers += answer ? 1 : 0;
        return answer;
    }

private:
    runtime::Ref<ICompare> m_inner;
    int m_failAt;
};

} // namespace sortlib::testing
