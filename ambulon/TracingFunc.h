#pragma once

#include "ambulon/Functions.h"
#include "form/CallTrace.h"
#include "form/Table.h"
#include "runtime/Ref.h"

namespace ambulon {

// Wraps a unary function and writes each of its calls to a trace: "Exec(v) = result", with what the
// call did in turn beneath it.
class TracingFunc final : public IUnaryFunc, public form::TracedEntry {
public:
    TracingFunc(runtime::Ref<IUnaryFunc> inner, form::CallTrace& trace);

    runtime::Object const& traced() const noexcept override { return *m_inner.get(); }

protected:
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override;

private:
    runtime::Ref<IUnaryFunc> m_inner;
    form::CallTrace& m_trace;
};

// The wrapper that traces every function of a click's table; the pointer only selects the
// interface.
form::EntryWrapper<IUnaryFunc> traceEntries(form::CallTrace& trace, IUnaryFunc const*);

} // namespace ambulon
