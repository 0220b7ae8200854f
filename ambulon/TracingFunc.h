#pragma once

#include "ambulon/Functions.h"
#include "runtime/Ref.h"
#include "runtime/form/CallTrace.h"
#include "runtime/form/Table.h"

namespace ambulon {

// Wraps a unary function and writes each of its calls to a trace: "Exec(v) = result", with what the
// call did in turn beneath it.
class TracingFunc final : public IUnaryFunc, public runtime::TracedEntry {
public:
    TracingFunc(runtime::Ref<IUnaryFunc> inner, runtime::CallTrace& trace);

    runtime::Object const& traced() const noexcept override { return *m_inner.get(); }

protected:
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override;

private:
    runtime::Ref<IUnaryFunc> m_inner;
    runtime::CallTrace& m_trace;
};

// The wrapper that traces every function of a click's table; the pointer only selects the
// interface.
runtime::EntryWrapper<IUnaryFunc> traceEntries(runtime::CallTrace& trace, IUnaryFunc const*);

} // namespace ambulon
