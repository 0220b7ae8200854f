#pragma once

#include "runtime/Invariant.h"

#include <cstddef>
#include <cstdint>

namespace runtime::fuzzing {

// Reads a fuzzer's input as a stream of small decisions; past the end every read is 0.
class FuzzInput {
public:
    FuzzInput(std::uint8_t const* data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_position >= m_size; }
    std::uint8_t byte() { return atEnd() ? 0 : m_data[m_position++]; }
    // A choice among count possibilities.
    unsigned pick(unsigned count) { return byte() % count; }
    std::int64_t bits(int bytes) {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | byte();
        return static_cast<std::int64_t>(value);
    }

private:
    std::uint8_t const* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

} // namespace runtime::fuzzing

// A broken promise: say which and stop, so that the fuzzer keeps the input.
#define FUZZ_STRINGIFY(x) #x
#define FUZZ_LINE(line) FUZZ_STRINGIFY(line)
#define FUZZ_CHECK(condition)                                                                                \
    ::runtime::expectInvariant(static_cast<bool>(condition), __FILE__ ":" FUZZ_LINE(__LINE__), #condition)
