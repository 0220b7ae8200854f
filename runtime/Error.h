#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace runtime {

// The kinds of run-time error. An error ends the running procedure and every caller up to the
// click handler; the window host reports it.
enum class ErrorKind {
    Overflow,
    SubscriptOutOfRange,
    TypeMismatch,
    ObjectRequired,
    FailedCall,
    InvalidArgument,
    OutOfMemory,
};

std::string_view kindName(ErrorKind kind) noexcept;

// The one exception type of the runtime. what() reads "<kind name>: <detail>".
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, std::string_view detail);

    ErrorKind kind() const noexcept { return m_kind; }
    std::string const& detail() const noexcept { return m_detail; }

private:
    ErrorKind m_kind;
    std::string m_detail;
};

[[noreturn]] void raise(ErrorKind kind, std::string_view detail);

} // namespace runtime
