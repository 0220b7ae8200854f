#pragma once

#include "runtime/Variant.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace runtime {

class Collection;
class Object;

// What a trace is told of the running program, by the code where each thing happens: each object
// made and gone, each late-bound member read and its value, each call that an interface call makes in turn,
// the table entry a click chose, and for a sort the positions it compares and each exchange. A
// watcher only records: it reads and changes nothing. With none in place a report costs one test.
class Watcher {
public:
    virtual void objectMade(Object const& object) noexcept = 0;
    virtual void objectGone(Object const& object) noexcept = 0;
    virtual void memberRead(Object const& object, std::u16string_view member, Variant const& value) = 0;
    // A call has started; callEnded closes the latest call still open, with its result, or with
    // null when it raised an error.
    virtual void callStarted() = 0;
    virtual void callEnded(std::string_view name, std::span<Variant const> arguments,
                           Variant const* result) = 0;
    virtual void entryChosen(Object const& entry) = 0;
    // The 1-based positions whose elements the next comparison is asked about.
    virtual void comparing(std::int32_t lhs, std::int32_t rhs) = 0;
    virtual void exchanged(Collection const& collection, std::int32_t i, std::int32_t j) = 0;

    // The watcher in place, or null.
    static Watcher* current() noexcept { return s_current; }
    // Puts watcher in place (null: none) and returns the one it replaces.
    static Watcher* install(Watcher* watcher) noexcept { return std::exchange(s_current, watcher); }

protected:
    ~Watcher() = default;

private:
    static inline Watcher* s_current = nullptr;
};

// Reports one call to an interface, made by the code around it, to a watcher (by default the one in
// place): started when made, ended by returned() with its result, or, when it ends without that,
// as a call that raised an error. Without a watcher it does nothing.
class WatchedCall {
public:
    WatchedCall(std::string_view name, std::initializer_list<Variant> arguments,
                Watcher* watcher = Watcher::current());
    WatchedCall(WatchedCall const&) = delete;
    WatchedCall& operator=(WatchedCall const&) = delete;
    ~WatchedCall();

    template <class Result>
    Result returned(Result result) {
        if (m_watcher)
            end(Variant(result));
        return result;
    }

private:
    void end(Variant const& result);

    Watcher* m_watcher;
    std::string_view m_name;
    std::vector<Variant> m_arguments;
    bool m_ended = false;
};

} // namespace runtime
