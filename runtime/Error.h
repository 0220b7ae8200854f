#pragma once

#include "runtime/Text.h"

#include <concepts>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <tuple>

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

// The kind's English name, as what() begins ("overflow").
std::string_view kindName(ErrorKind kind) noexcept;
// The kind as the windows state it, one Japanese sentence in UTF-8 ("オーバーフローしました。").
std::string_view japaneseKindText(ErrorKind kind) noexcept;

// The one exception type of the runtime. An error has two texts of its detail, made from the same
// values where it is raised: the English one, which what() gives as "<kind name>: <detail>" for
// traces, logs and standard error, and the Japanese one (UTF-8) that the windows show. Copies share
// one message, so an error is copied, carried and reported without allocating a message; the
// out-of-memory error has fixed texts and is also made without allocating one. The exception
// object that a throw makes is the C++ runtime's own: it takes it from malloc, and from the
// emergency pool it keeps for exceptions when malloc fails.
class RuntimeError : public std::exception {
public:
    // Throws std::bad_alloc when the message cannot be built; raise() turns that into outOfMemory().
    RuntimeError(ErrorKind kind, std::string_view detail, std::string_view japaneseDetail);
    static RuntimeError outOfMemory() noexcept { return RuntimeError(); }
    // The error of that kind with the details that the two functions return, or out-of-memory when
    // a detail or the message cannot be built.
    template <std::invocable BuildDetail, std::invocable BuildJapaneseDetail>
    static RuntimeError orOutOfMemory(ErrorKind kind, BuildDetail const& buildDetail,
                                      BuildJapaneseDetail const& buildJapaneseDetail) {
        try {
            return RuntimeError(kind, buildDetail(), buildJapaneseDetail());
        } catch (std::bad_alloc const&) {
            return outOfMemory();
        }
    }

    ErrorKind kind() const noexcept { return m_kind; }
    std::string_view detail() const noexcept;
    std::string_view japaneseDetail() const noexcept;
    char const* what() const noexcept override;

private:
    struct Message;

    RuntimeError() noexcept : m_kind(ErrorKind::OutOfMemory) {}

    ErrorKind m_kind;
    std::shared_ptr<Message const> m_message; // null: the fixed out-of-memory texts
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

struct English;
struct Japanese;

// The pieces of one detail in one language, held by reference: made by en() or ja() for the
// raise() they are passed to, and joined only if that raise builds its message.
template <class Language, class... Pieces>
class [[nodiscard]] Detail {
public:
    explicit Detail(Pieces const&... pieces) : m_pieces(pieces...) {}
    Detail(Detail const&) = delete;
    Detail& operator=(Detail const&) = delete;

    std::string joined() const {
        std::string text;
        std::apply([&](auto const&... piece) { (append(text, piece), ...); }, m_pieces);
        return text;
    }

private:
    std::tuple<Pieces const&...> m_pieces;
};

} // namespace message

// The English and the Japanese detail of an error, each as its pieces, for raise():
//   raise(ErrorKind::Overflow, en(value, " does not fit in 32 bits"),
//         ja(value, " は 32 ビット整数に収まりません"));
template <class... Pieces>
message::Detail<message::English, Pieces...> en(Pieces const&... pieces) {
    return message::Detail<message::English, Pieces...>(pieces...);
}
template <class... Pieces>
message::Detail<message::Japanese, Pieces...> ja(Pieces const&... pieces) {
    return message::Detail<message::Japanese, Pieces...>(pieces...);
}

// Raises the error of the given kind whose details are the pieces joined, in English and in
// Japanese. When memory runs out while they are built, the out-of-memory error is raised instead.
template <class... EnglishPieces, class... JapanesePieces>
[[noreturn]] void raise(ErrorKind kind, message::Detail<message::English, EnglishPieces...> const& detail,
                        message::Detail<message::Japanese, JapanesePieces...> const& japaneseDetail) {
    throw RuntimeError::orOutOfMemory(
        kind, [&] { return detail.joined(); }, [&] { return japaneseDetail.joined(); });
}

// The run-time error that the exception now being handled stands for: a RuntimeError itself,
// out-of-memory for std::bad_alloc, and a failed call with its text for any other exception (or
// out-of-memory when that text cannot be copied). Call it only inside a catch block.
RuntimeError currentError() noexcept;

} // namespace runtime
