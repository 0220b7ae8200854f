#pragma once

#include "runtime/Ref.h"
#include "runtime/form/CallTrace.h"
#include "runtime/form/Table.h"
#include "sortlib/ICompare.h"

namespace sortlib {

// Wraps a comparator and writes each of its calls to a trace: "Compare(lhs, rhs) = answer", with
// what the call did in turn beneath it.
class TracingCompare final : public ICompare, public runtime::TracedEntry {
public:
    TracingCompare(runtime::Ref<ICompare> inner, runtime::CallTrace& trace);

    runtime::Object const& traced() const noexcept override { return *m_inner.get(); }

protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;

private:
    runtime::Ref<ICompare> m_inner;
    runtime::CallTrace& m_trace;
};

// The wrapper that traces every comparator of a click's table; the pointer only selects the
// interface.
runtime::EntryWrapper<ICompare> traceEntries(runtime::CallTrace& trace, ICompare const*);

} // namespace sortlib
