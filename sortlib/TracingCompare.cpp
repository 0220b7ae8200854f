#include "sortlib/TracingCompare.h"

#include <utility>

namespace sortlib {

using form::CallTrace;

TracingCompare::TracingCompare(runtime::Ref<ICompare> inner, CallTrace& trace)
    : m_inner(std::move(inner)), m_trace(trace) {}

bool TracingCompare::ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
    runtime::WatchedCall call("Compare", {lhs, rhs}, &m_trace);
    bool const answer = m_inner->Compare(std::move(lhs), std::move(rhs));
    call.returned(runtime::Variant::fromBool(answer));
    return answer;
}

form::EntryWrapper<ICompare> traceEntries(CallTrace& trace, ICompare const*) {
    return [&trace](runtime::Ref<ICompare> inner) {
        return runtime::Ref<ICompare>(runtime::make<TracingCompare>(std::move(inner), trace));
    };
}

} // namespace sortlib
