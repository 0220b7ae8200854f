#include "runtime/Observer.h"

#include <exception>

namespace runtime {

namespace detail {

namespace {

// Serials of attachment, counted over the whole program: like the lists, the runtime's events are
// told on one thread.
std::uint64_t s_nextSerial = 1;

} // namespace

std::uint64_t nextSerial() noexcept { return s_nextSerial; }

void ReaderList::link(ReaderNode& node) noexcept {
    node.serial = s_nextSerial++;
    node.list = this;
    node.previous = last;
    node.next = nullptr;
    (last ? last->next : first) = &node;
    last = &node;
    if (paused == 0)
        active = first;
}

void ReaderList::unlink(ReaderNode& node) noexcept {
    for (TellingCursor* cursor = telling; cursor; cursor = cursor->outer) {
        if (cursor->next == &node)
            cursor->next = node.next;
    }
    (node.previous ? node.previous->next : first) = node.next;
    (node.next ? node.next->previous : last) = node.previous;
    node.previous = node.next = nullptr;
    node.list = nullptr;
    if (paused == 0)
        active = first;
}

void ReaderList::pause() noexcept {
    ++paused;
    active = nullptr;
}

void ReaderList::resume() noexcept {
    if (--paused == 0)
        active = first;
}

Telling::Telling(ReaderList& list, std::uint64_t limit) noexcept
    : m_list(list), m_cursor{list.paused == 0 ? list.first : nullptr, limit, list.telling} {
    m_list.telling = &m_cursor;
}

Telling::~Telling() { m_list.telling = m_cursor.outer; }

void* Telling::next() noexcept {
    // The list is in order of attachment: past the limit, every reader came later.
    ReaderNode* const node = m_cursor.next;
    if (!node || node->serial >= m_cursor.limit)
        return nullptr;
    m_cursor.next = node->next;
    return node->reader;
}

} // namespace detail

Attachment::~Attachment() {
    for (std::size_t index = m_count; index-- > 0;)
        m_nodes[index].list->unlink(m_nodes[index]);
}

detail::ReaderNode& Attachment::nextNode() noexcept {
    if (m_count == kCapacity)
        std::terminate();
    return m_nodes[m_count++];
}

ObservedCall::ObservedCall(Object const& callee, std::string_view operation,
                           std::initializer_list<Variant> arguments)
    : m_callee(callee), m_operation(operation) {
    if (!m_readers)
        return;
    try {
        m_readers.tell(&Observer::callBegun, m_callee, m_operation,
                       std::span<Variant const>(arguments.begin(), arguments.size()));
    } catch (...) {
        // A reader failed the call before it runs: every reader was told of it and hears it ended.
        end(nullptr);
        throw;
    }
}

ObservedCall::~ObservedCall() {
    if (!m_ended)
        end(nullptr);
}

void ObservedCall::end(Variant const* result) noexcept {
    m_ended = true;
    if (m_readers)
        m_readers.tell(&Observer::callEnded, m_callee, m_operation, result);
}

} // namespace runtime
