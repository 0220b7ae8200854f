#pragma once

#include "runtime/Variant.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>

namespace runtime {

class Attachment;
class Collection;
class Object;

namespace detail {

// A reader attached to one kind of event, linked into that kind's list in order of attachment.
struct ReaderNode {
    void* reader = nullptr; // the reader as the interface of its kind
    std::uint64_t serial = 0; // when it was attached; a later reader has a higher serial
    ReaderNode* previous = nullptr;
    ReaderNode* next = nullptr;
    struct ReaderList* list = nullptr;
};

// Where one telling of an event stands in its list: the next reader to tell, and the serial from
// which readers are left out (those attached after the telling or its run began).
struct TellingCursor {
    ReaderNode* next;
    std::uint64_t limit;
    TellingCursor* outer;
};

// The readers of one kind of event. `active` is `first`, or null while the readers are paused, so
// that testing for a reader costs one load.
struct ReaderList {
    ReaderNode* active = nullptr;
    ReaderNode* first = nullptr;
    ReaderNode* last = nullptr;
    TellingCursor* telling = nullptr; // the tellings under way, innermost first
    int paused = 0;

    void link(ReaderNode& node) noexcept;
    // Unlinks node wherever it stands; a telling under way goes on with the reader after it.
    void unlink(ReaderNode& node) noexcept;
    void pause() noexcept;
    void resume() noexcept;
};

// The serial that the next reader attached will get.
std::uint64_t nextSerial() noexcept;

// One telling of an event: yields each reader attached before `limit` and still attached, in order
// of attachment, whatever the readers attach or detach meanwhile.
class Telling {
public:
    Telling(ReaderList& list, std::uint64_t limit) noexcept;
    Telling(Telling const&) = delete;
    Telling& operator=(Telling const&) = delete;
    ~Telling();
    void* next() noexcept;

private:
    ReaderList& m_list;
    TellingCursor m_cursor;
};

} // namespace detail

// The readers of one kind of event, Interface. Readers are attached explicitly by whoever runs the
// work (an Attachment), several at once, and told of each event in the order they were attached.
// Each library that announces events of its own declares its observer interface on this.
// With no reader attached, testing for one costs one load and one branch.
template <class Interface>
class ObserverSlot {
public:
    static bool attached() noexcept { return s_readers.active != nullptr; }

    // Tells every reader attached now: calls hook on each with the arguments. Out of line and cold,
    // so that the path without a reader stays as small as it was.
    template <class Hook, class... Arguments>
    [[gnu::noinline, gnu::cold]] static void tell(Hook hook, Arguments const&... arguments) {
        tellAttachedBefore(detail::nextSerial(), hook, arguments...);
    }

    // Tells the readers that were attached before serial and still are: those of a run that began
    // then (ObservedRun). When a hook throws, the readers after it are told all the same, and then
    // the first error leaves.
    template <class Hook, class... Arguments>
    [[gnu::noinline]] static void tellAttachedBefore(std::uint64_t serial, Hook hook, Arguments const&... arguments) {
        std::exception_ptr failure;
        {
            detail::Telling telling(s_readers, serial);
            while (void* const reader = telling.next()) {
                try {
                    (static_cast<Interface*>(reader)->*hook)(arguments...);
                } catch (...) {
                    if (!failure)
                        failure = std::current_exception();
                }
            }
        }
        if (failure)
            std::rethrow_exception(failure);
    }

    // While it lives, no reader of this kind is told of anything: for a reader's own reads, such as
    // a recorder reading the lines of the elements it follows.
    class Pause {
    public:
        Pause() noexcept { s_readers.pause(); }
        Pause(Pause const&) = delete;
        Pause& operator=(Pause const&) = delete;
        ~Pause() { s_readers.resume(); }
    };

private:
    friend class Attachment;
    static inline detail::ReaderList s_readers;
};

// A run of an algorithm as its readers of kind Interface are told of it: the readers attached when
// it begins, as long as they stay attached. A reader attached during the run is told nothing of it;
// one detached during the run is told nothing more, and may then be destroyed.
template <class Interface>
class ObservedRun {
public:
    ObservedRun() noexcept : m_serial(detail::nextSerial()), m_announced(Interface::attached()) {}

    // Whether any reader was attached when the run began.
    explicit operator bool() const noexcept { return m_announced; }

    template <class Hook, class... Arguments>
    void tell(Hook hook, Arguments const&... arguments) const {
        Interface::tellAttachedBefore(m_serial, hook, arguments...);
    }

private:
    std::uint64_t m_serial;
    bool m_announced;
};

// Something that reads events of one or more kinds: it attaches itself to each kind it reads.
class Reader {
public:
    virtual void attachTo(Attachment& attachment) = 0;

protected:
    ~Reader() = default;
};

// Attaches readers for as long as it lives, then detaches them, in whatever order attachments end.
// It holds the links itself, so attaching allocates nothing. A reader must outlive its attachment.
class Attachment {
public:
    Attachment() noexcept = default;
    // Attaches reader to every kind of event it reads.
    explicit Attachment(Reader& reader) { reader.attachTo(*this); }
    Attachment(Attachment const&) = delete;
    Attachment& operator=(Attachment const&) = delete;
    ~Attachment();

    // Attaches reader to the events of kind Interface. An attachment holds at most kCapacity links;
    // one more ends the program, as a reader that attaches itself without end is a fault.
    template <class Interface>
    void add(Interface& reader) noexcept {
        detail::ReaderNode& node = nextNode();
        node.reader = static_cast<void*>(&reader);
        Interface::s_readers.link(node);
    }

    static constexpr std::size_t kCapacity = 4;

private:
    detail::ReaderNode& nextNode() noexcept;

    std::array<detail::ReaderNode, kCapacity> m_nodes;
    std::size_t m_count = 0;
};

// What the runtime tells its readers about the running program, where each thing happens: objects
// made and gone, late-bound member reads and their values, each call through an interface with its
// arguments and result, and each Item, Add and Remove of a collection once it has succeeded. A reader
// only reads: it changes nothing that it is told of. Every hook does nothing unless a reader
// overrides it.
//
// Only callBegun may throw: it tells of a call that has not run yet, and its error ends that call
// before it runs, as a failing callee would (tests use this to fail chosen calls). Every other hook
// tells of something done, which no reader may turn into a failure: they cannot throw, and a reader
// that fails in one keeps its failure to report after the work.
class Observer : public ObserverSlot<Observer> {
public:
    virtual void objectMade(Object const& object) noexcept { (void)object; }
    virtual void objectGone(Object const& object) noexcept { (void)object; }
    virtual void memberRead(Object const& object, std::u16string_view member, Variant const& value) noexcept {
        (void)object, (void)member, (void)value;
    }
    // A call of operation on callee through its interface is about to run, with these arguments.
    virtual void callBegun(Object const& callee, std::string_view operation,
                           std::span<Variant const> arguments) {
        (void)callee, (void)operation, (void)arguments;
    }
    // The latest call begun and not yet ended has returned result, or null when an error left it.
    // Every reader told that a call began is told that it ended. When callBegun throws, every reader
    // is still told that the call began, then that it ended with an error, and the call never runs.
    virtual void callEnded(Object const& callee, std::string_view operation, Variant const* result) noexcept {
        (void)callee, (void)operation, (void)result;
    }
    // The collection's element at position (1-based) was read by Item.
    virtual void itemRead(Collection const& collection, std::int32_t position, Variant const& value) noexcept {
        (void)collection, (void)position, (void)value;
    }
    // Add put an element at position; the later ones moved up.
    virtual void added(Collection const& collection, std::int32_t position) noexcept {
        (void)collection, (void)position;
    }
    // Remove took away the element that stood at position, whose value was value; the later ones
    // moved down.
    virtual void removed(Collection const& collection, std::int32_t position, Variant const& value) noexcept {
        (void)collection, (void)position, (void)value;
    }

protected:
    ~Observer() = default;
};

// Tells the readers of one call through an interface, made by the interface's own caller-facing
// operation: begun when made, ended by returned() with its result, or, when it ends without that, as
// a call that an error left. The readers told are those attached when the call began. Without a
// reader it does nothing.
class ObservedCall {
public:
    ObservedCall(Object const& callee, std::string_view operation, std::initializer_list<Variant> arguments);
    ObservedCall(ObservedCall const&) = delete;
    ObservedCall& operator=(ObservedCall const&) = delete;
    ~ObservedCall();

    template <class Result>
    Result returned(Result result) {
        if constexpr (std::is_same_v<Result, bool>) {
            Variant const told = Variant::fromBool(result);
            end(&told);
        } else {
            end(&result);
        }
        return result;
    }

private:
    void end(Variant const* result) noexcept;

    ObservedRun<Observer> m_readers;
    Object const& m_callee;
    std::string_view m_operation;
    bool m_ended = false;
};

} // namespace runtime
