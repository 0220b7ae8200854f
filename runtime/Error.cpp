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

std::string_view japaneseKindText(ErrorKind kind) noexcept {
    switch (kind) {
    case ErrorKind::Overflow:
        return "オーバーフローしました。";
    case ErrorKind::SubscriptOutOfRange:
        return "インデックスが範囲外です。";
    case ErrorKind::TypeMismatch:
        return "型が一致しません。";
    case ErrorKind::ObjectRequired:
        return "オブジェクトが必要です。";
    case ErrorKind::FailedCall:
        return "呼び出しに失敗しました。";
    case ErrorKind::InvalidArgument:
        return "引数が正しくありません。";
    case ErrorKind::OutOfMemory:
        return "メモリが不足しています。";
    }
    return "実行時エラーです。";
}

// Both texts of an error, made once and shared by its copies.
struct RuntimeError::Message {
    std::string what; // "<kind name>: <detail>"
    std::size_t detailStart;
    std::string japaneseDetail;
};

namespace {

// The whole English text of the out-of-memory error, and where its detail starts; and its Japanese
// detail.
constexpr std::string_view kOutOfMemoryText = "out of memory: not enough memory to go on";
constexpr std::size_t kOutOfMemoryDetail = kOutOfMemoryText.find(": ") + 2;
constexpr std::string_view kOutOfMemoryJapanese = "処理を続けるのに必要なメモリを確保できませんでした";

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string_view detail, std::string_view japaneseDetail)
    : m_kind(kind) {
    std::string what(kindName(kind));
    what += ": ";
    std::size_t const detailStart = what.size();
    what += detail;
    m_message =
        std::make_shared<Message const>(Message{std::move(what), detailStart, std::string(japaneseDetail)});
}

std::string_view RuntimeError::detail() const noexcept {
    if (!m_message)
        return kOutOfMemoryText.substr(kOutOfMemoryDetail);
    return std::string_view(m_message->what).substr(m_message->detailStart);
}

std::string_view RuntimeError::japaneseDetail() const noexcept {
    return m_message ? std::string_view(m_message->japaneseDetail) : kOutOfMemoryJapanese;
}

char const* RuntimeError::what() const noexcept {
    return m_message ? m_message->what.c_str() : kOutOfMemoryText.data();
}

RuntimeError currentError() noexcept {
    try {
        throw;
    } catch (RuntimeError const& error) {
        return error;
    } catch (std::bad_alloc const&) {
        return RuntimeError::outOfMemory();
    } catch (std::exception const& error) {
        // Its own text, whatever language that is in, stands inside the Japanese sentence as it is.
        return RuntimeError::orOutOfMemory(
            ErrorKind::FailedCall, [&] { return std::string(error.what()); },
            [&] { return "想定外の例外「" + std::string(error.what()) + "」が発生しました"; });
    } catch (...) {
        return RuntimeError::orOutOfMemory(
            ErrorKind::FailedCall, [] { return std::string("an unknown exception"); },
            [] { return std::string("種類の分からない例外が発生しました"); });
    }
}

} // namespace runtime
