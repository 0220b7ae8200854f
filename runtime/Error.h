#pragma once

#include "runtime/Text.h"

#include <concepts>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
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

// The one exception type of the runtime. what() reads "<kind name>: <detail>". Copies share one
// message, so an error is copied, carried and reported without allocating a message; the
// out-of-memory error has a fixed text and is also made without allocating one. The exception
// object that a throw makes is the C++ runtime's own: it takes it from malloc, and from the
// emergency pool it keeps for exceptions when malloc fails.
class RuntimeError : public std::exception {
public:
    // Throws std::bad_alloc when the message cannot be built; raise() turns that into outOfMemory().
    RuntimeError(ErrorKind kind, std::string_view detail);
    static RuntimeError outOfMemory() noexcept { return RuntimeError(); }
    // The error of that kind with the detail that buildDetail returns, or out-of-memory when the
    // detail or the message cannot be built.
    template <std::invocable BuildDetail>
    static RuntimeError orOutOfMemory(ErrorKind kind, BuildDetail const& buildDetail) {
        try {
            return RuntimeError(kind, buildDetail());
        } catch (std::bad_alloc const&) {
            return outOfMemory();
        }
    }

    ErrorKind kind() const noexcept { return m_kind; }
    std::string_view detail() const noexcept;
    char const* what() const noexcept override;

private:
    RuntimeError() noexcept : m_kind(ErrorKind::OutOfMemory) {}

    ErrorKind m_kind;
    std::shared_ptr<std::string const> m_message; // null: the fixed out-of-memory text
    std::size_t m_detailStart = 0;
};

namespace message {

// The pieces a message is built from: texts, characters, whole numbers (in decimal), UTF-16 texts
// (as UTF-8), and functions returning a text, which are only called while the message is built.
inline void append(std::string& out, std::string_view piece) { out += piece; }
inline void append(std::string& out, std::u16string_view piece) { out += toUtf8(piece); }
inline void append(std::string& out, char piece) { out += piece; }
template <std::integral Number>
requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) void append(std::string& out,
                                                                                 Number piece) {
    out += decimal(static_cast<std::int64_t>(piece));
}
template <std::invocable Piece>
void append(std::string& out, Piece const& piece) {
    out += piece();
}

} // namespace message

// Raises the error of the given kind whose detail is the pieces joined. When memory runs out while
// the detail is built, the out-of-memory error is raised instead.
template <class... Pieces>
[[noreturn]] void raise(ErrorKind kind, Pieces const&... pieces) {
    throw RuntimeError::orOutOfMemory(kind, [&] {
        std::string detail;
        (message::append(detail, pieces), ...);
        return detail;
    });
}

// The run-time error that the exception now being handled stands for: a RuntimeError itself,
// out-of-memory for std::bad_alloc, and a failed call with its text for any other exception (or
// out-of-memory when that text cannot be copied). Call it only inside a catch block.
RuntimeError currentError() noexcept;

} // namespace runtime
