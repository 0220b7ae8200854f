#pragma once

#include "runtime/Variant.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

namespace runtime {

class Collection;
class Object;

// One place where an observer of a kind is put while it reads: Interface::current() is the one in
// place or null, and with none in place telling it costs one test. Each library that announces
// events of its own declares its observer interface on this, so that a reader of several kinds of
// event (the runtime's and an algorithm's) is put in place the same way for each.
template <class Interface>
class ObserverSlot {
public:
    static Interface* current() noexcept { return s_current; }
    // Puts observer in place (null: none) and returns the one it replaces.
    static Interface* install(Interface* observer) noexcept { return std::exchange(s_current, observer); }

private:
    static inline Interface* s_current = nullptr;
};

// Keeps an observer in place while it lives and puts back the one it replaced.
template <class Interface>
class ObserverScope {
public:
    explicit ObserverScope(Interface* observer) noexcept : m_replaced(Interface::install(observer)) {}
    ObserverScope(ObserverScope const&) = delete;
    ObserverScope& operator=(ObserverScope const&) = delete;
    ~ObserverScope() { Interface::install(m_replaced); }

private:
    Interface* m_replaced;
};

// What the runtime tells an observer of the running program, where each thing happens: objects made
// and gone, late-bound member reads and their values, each call through an interface with its
// arguments and result, and each Item, Add and Remove of a collection once it has succeeded. An
// observer only reads: it changes nothing that it is told of. Every hook does nothing unless a
// reader overrides it. A hook that throws ends the operation that told it with that error, as a
// failure of the operation would (tests use this to fail chosen calls).
class Observer : public ObserverSlot<Observer> {
public:
    virtual void objectMade(Object const& object) noexcept { (void)object; }
    virtual void objectGone(Object const& object) noexcept { (void)object; }
    virtual void memberRead(Object const& object, std::u16string_view member, Variant const& value) {
        (void)object, (void)member, (void)value;
    }
    // A call of operation on callee through its interface has begun, with these arguments.
    virtual void callBegun(Object const& callee, std::string_view operation,
                           std::span<Variant const> arguments) {
        (void)callee, (void)operation, (void)arguments;
    }
    // The latest call begun and not yet ended has returned result, or null when an error left it.
    virtual void callEnded(Object const& callee, std::string_view operation, Variant const* result) {
        (void)callee, (void)operation, (void)result;
    }
    // The collection's element at position (1-based) was read by Item.
    virtual void itemRead(Collection const& collection, std::int32_t position, Variant const& value) {
        (void)collection, (void)position, (void)value;
    }
    // Add put an element at position; the later ones moved up.
    virtual void added(Collection const& collection, std::int32_t position) {
        (void)collection, (void)position;
    }
    // Remove took away the element that stood at position, whose value was value; the later ones
    // moved down.
    virtual void removed(Collection const& collection, std::int32_t position, Variant const& value) {
        (void)collection, (void)position, (void)value;
    }

protected:
    ~Observer() = default;
};

// Tells the observer in place of one call through an interface, made by the interface's own
// caller-facing operation: begun when made, ended by returned() with its result, or, when it ends
// without that, as a call that an error left. Without an observer it does nothing.
class ObservedCall {
public:
    ObservedCall(Object const& callee, std::string_view operation, std::initializer_list<Variant> arguments);
    ObservedCall(ObservedCall const&) = delete;
    ObservedCall& operator=(ObservedCall const&) = delete;
    ~ObservedCall();

    template <class Result>
    Result returned(Result result) {
        if (m_observer) {
            if constexpr (std::is_same_v<Result, bool>)
                end(Variant::fromBool(result));
            else
                end(Variant(result));
        }
        return result;
    }

private:
    void end(Variant const& result);

    Observer* m_observer;
    Object const& m_callee;
    std::string_view m_operation;
    bool m_ended = false;
};

} // namespace runtime
