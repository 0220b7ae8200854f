#include "runtime/Observer.h"

namespace runtime {

ObservedCall::ObservedCall(Object const& callee, std::string_view operation,
                           std::initializer_list<Variant> arguments)
    : m_observer(Observer::current()), m_callee(callee), m_operation(operation) {
    if (m_observer)
        m_observer->callBegun(m_callee, m_operation,
                              std::span<Variant const>(arguments.begin(), arguments.size()));
}

ObservedCall::~ObservedCall() {
    if (!m_observer || m_ended)
        return;
    // An error is on its way out of the call: telling of it must not throw another.
    try {
        m_observer->callEnded(m_callee, m_operation, nullptr);
    } catch (...) {
    }
}

void ObservedCall::end(Variant const& result) {
    m_ended = true;
    m_observer->callEnded(m_callee, m_operation, &result);
}

} // namespace runtime
