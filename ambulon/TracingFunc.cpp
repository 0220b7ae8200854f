#include "ambulon/TracingFunc.h"

#include <utility>

namespace ambulon {

using form::CallTrace;

TracingFunc::TracingFunc(runtime::Ref<IUnaryFunc> inner, CallTrace& trace)
    : m_inner(std::move(inner)), m_trace(trace) {}

runtime::Variant TracingFunc::IUnaryFunc_Exec(runtime::Variant v) {
    runtime::WatchedCall call("Exec", {v}, &m_trace);
    return call.returned(m_inner->Exec(std::move(v)));
}

form::EntryWrapper<IUnaryFunc> traceEntries(CallTrace& trace, IUnaryFunc const*) {
    return [&trace](runtime::Ref<IUnaryFunc> inner) {
        return runtime::Ref<IUnaryFunc>(runtime::make<TracingFunc>(std::move(inner), trace));
    };
}

} // namespace ambulon
