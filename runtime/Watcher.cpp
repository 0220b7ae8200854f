#include "runtime/Watcher.h"

namespace runtime {

WatchedCall::WatchedCall(std::string_view name, std::initializer_list<Variant> arguments, Watcher* watcher)
    : m_watcher(watcher), m_name(name) {
    if (!m_watcher)
        return;
    m_arguments.assign(arguments);
    m_watcher->callStarted();
}

WatchedCall::~WatchedCall() {
    if (!m_watcher || m_ended)
        return;
    // The call raised an error, which is on its way out: reporting it must not throw another.
    try {
        m_watcher->callEnded(m_name, m_arguments, nullptr);
    } catch (...) {
    }
}

void WatchedCall::end(Variant const& result) {
    m_ended = true;
    m_watcher->callEnded(m_name, m_arguments, &result);
}

} // namespace runtime
