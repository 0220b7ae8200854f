#pragma once

#include "form/CallTrace.h"
#include "form/Table.h"
#include "runtime/Ref.h"
#include "sortlib/ICompare.h"

namespace sortlib {

// Wraps a comparator and writes each of its calls to a trace: "Compare(lhs, rhs) = answer", with
// what the call did in turn beneath it.
class TracingCompare final : public ICompare, public form::TracedEntry {
public:
    TracingCompare(runtime::Ref<ICompare> inner, form::CallTrace& trace);

    runtime::Object const& traced() const noexcept override { return *m_inner.get(); }

protected:
    bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) override;

private:
    runtime::Ref<ICompare> m_inner;
    form::CallTrace& m_trace;
};

// The wrapper that traces every comparator of a click's table; the pointer only selects the
// interface.
form::EntryWrapper<ICompare> traceEntries(form::CallTrace& trace, ICompare const*);

} // namespace sortlib
