#pragma once

#include "ambulon/Functions.h"
#include "runtime/Error.h"
#include "runtime/Ref.h"

#include <utility>

namespace ambulon::testing {

// Wraps a unary function: counts its calls and raises a failed-call error in place of the call
// numbered failAt (1-based; 0 never fails).
class ProbeFunc final : public IUnaryFunc {
public:
    explicit ProbeFunc(runtime::Ref<IUnaryFunc> inner, int failAt = 0)
        : m_inner(std::move(inner)), m_failAt(failAt) {}

    int calls = 0;

protected:
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override {
        if (++calls == m_failAt)
            runtime::raise(runtime::ErrorKind::FailedCall, "injected fault");
        return m_inner->Exec(std::move(v));
    }

private:
    runtime::Ref<IUnaryFunc> m_inner;
    int m_failAt;
};

} // namespace ambulon::testing
