#include "runtime/Error.h"

namespace runtime {

std::string_view kindName(ErrorKind kind) noexcept {
    switch (kind) {
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::SubscriptOutOfRange:
        return "subscript out of range";
    case ErrorKind::TypeMismatch:
        return "type mismatch";
    case ErrorKind::ObjectRequired:
        return "object required";
    case ErrorKind::FailedCall:
        return "failed call";
    case ErrorKind::InvalidArgument:
        return "invalid argument";
    case ErrorKind::OutOfMemory:
        return "out of memory";
    }
    return "unknown error";
}

namespace {

// The whole text of the out-of-memory error, and where its detail starts.
constexpr std::string_view kOutOfMemoryText = "out of memory: not enough memory to go on";
constexpr std::size_t kOutOfMemoryDetail = kOutOfMemoryText.find(": ") + 2;

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string_view detail) : m_kind(kind) {
    std::string message(kindName(kind));
    message += ": ";
    m_detailStart = message.size();
    message += detail;
    m_message = std::make_shared<std::string const>(std::move(message));
}

std::string_view RuntimeError::detail() const noexcept {
    if (!m_message)
        return kOutOfMemoryText.substr(kOutOfMemoryDetail);
    return std::string_view(*m_message).substr(m_detailStart);
}

char const* RuntimeError::what() const noexcept {
    return m_message ? m_message->c_str() : kOutOfMemoryText.data();
}

RuntimeError currentError() noexcept {
    try {
        throw;
    } catch (RuntimeError const& error) {
        return error;
    } catch (std::bad_alloc const&) {
        return RuntimeError::outOfMemory();
    } catch (std::exception const& error) {
        return RuntimeError::orOutOfMemory(ErrorKind::FailedCall, [&] { return std::string(error.what()); });
    } catch (...) {
        return RuntimeError::orOutOfMemory(ErrorKind::FailedCall,
                                           [] { return std::string("an unknown exception"); });
    }
}

} // namespace runtime
