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

std::string fullMessage(ErrorKind kind, std::string_view detail) {
    std::string message(kindName(kind));
    message += ": ";
    message += detail;
    return message;
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string_view detail)
    : std::runtime_error(fullMessage(kind, detail)), m_kind(kind), m_detail(detail) {}

void raise(ErrorKind kind, std::string_view detail) { throw RuntimeError(kind, detail); }

} // namespace runtime
