#include "runtime/Collection.h"

#include "runtime/Error.h"
#include "runtime/Invariant.h"

#include <limits>
#include <new>

namespace runtime {

Collection::~Collection() {
    // The elements are released with the collection empty and whole; what their destructors add
    // meanwhile is released in the next round.
    while (m_items.size() != 0) {
        PositionTree released;
        released.swap(m_items);
        m_keys.clear();
    }
}

void Collection::outsidePositions(std::string_view role, std::int32_t position) const {
    raise(ErrorKind::SubscriptOutOfRange, en(role, ' ', position, " is outside 1 to ", Count()),
          ja(role, " に指定した位置 ", position, " は 1 から ", Count(), " の範囲にありません"));
}

Collection::KeyRecord const& Collection::recordOf(Variant const& index, std::string_view role) const {
    if (index.kind() != Kind::String)
        raise(ErrorKind::TypeMismatch, en(role, " must be a position or a key, got ", index.kindName()),
              ja(role, " に指定できるのは位置かキーですが、", japaneseKindName(index.kind()),
                 "が渡されました"));
    std::u16string const& key = index.asString();
    KeyRecord const* found = m_keys.find(key);
    if (!found)
        raise(ErrorKind::InvalidArgument, en(role, " key '", key, "' is not in the collection"),
              ja(role, " に指定したキー「", key, "」はコレクションにありません"));
    return *found;
}

void Collection::Add(Variant item, Variant const& key, Variant const& before, Variant const& after) {
    if (!before.isMissing() && !after.isMissing())
        raise(ErrorKind::InvalidArgument, en("give before or after, not both"),
              ja("before と after は同時に指定できません"));
    if (m_items.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        raise(ErrorKind::Overflow, en("a collection holds at most 2147483647 elements"),
              ja("コレクションに入れられる要素は 2147483647 個までです"));
    if (!key.isMissing()) {
        if (key.kind() != Kind::String)
            raise(ErrorKind::TypeMismatch, en("key must be a string, got ", key.kindName()),
                  ja("キーは文字列でなければなりませんが、", japaneseKindName(key.kind()), "が渡されました"));
        if (m_keys.find(key.asString()))
            raise(ErrorKind::InvalidArgument, en("key '", key.asString(), "' is already in the collection"),
                  ja("キー「", key.asString(), "」はすでにコレクションにあります"));
    }
    std::size_t position = m_items.size();
    if (!before.isMissing())
        position = positionOf(before, "before");
    else if (!after.isMissing())
        position = positionOf(after, "after") + 1;

    // On failure item is still the argument's: it is released after this call, with the
    // collection as it was.
    try {
        std::unique_ptr<KeyRecord> record;
        if (!key.isMissing())
            record = m_keys.prepare(key.asString());
        m_items.insert(position, std::move(item), record.get());
        if (record)
            m_keys.add(std::move(record));
    } catch (std::bad_alloc const&) {
        throw RuntimeError::outOfMemory();
    }
    for (Iterator* it = m_iterators; it; it = it->m_next)
        it->elementAdded(position, m_items.size() - 1);
    if (Observer::attached()) [[unlikely]]
        Observer::tell(&Observer::added, *this, static_cast<std::int32_t>(position + 1));
}

void Collection::Remove(Variant const& index) {
    std::size_t const position = positionOf(index, "index");
    Variant removed; // released last, once the collection and its iterators are whole again
    if (PositionTree::KeyRecord const* record = m_items.erase(position, removed))
        m_keys.erase(static_cast<KeyRecord const&>(*record));
    for (Iterator* it = m_iterators; it; it = it->m_next)
        it->elementRemoved(position, removed);
    if (Observer::attached()) [[unlikely]]
        Observer::tell(&Observer::removed, *this, static_cast<std::int32_t>(position + 1), removed);
}

void Collection::checkInvariants() const {
    m_items.checkInvariants();
    m_keys.checkInvariants();
    m_keys.forEach([&](KeyRecord const& record) {
        expectInvariant(record.leaf != nullptr && m_items.positionOf(record) < m_items.size() &&
                            m_items.keyAt(m_items.positionOf(record)) == &record &&
                            m_keys.find(record.key) == &record,
                        "Collection", "the record of a key is out of step with the elements");
    });
}

Collection::Iterator::Iterator(Collection const& collection) : m_collection(collection) { enrol(); }

Collection::Iterator::Iterator(Iterator const& other)
    : m_collection(other.m_collection), m_position(other.m_position), m_removed(other.m_removed),
      m_removedValue(other.m_removedValue) {
    enrol();
}

Collection::Iterator& Collection::Iterator::operator=(Iterator const& other) {
    if (this == &other)
        return *this;
    withdraw();
    // What this iterator held is released last, once it is whole again.
    Ref<Collection const> const formerCollection = std::exchange(m_collection, other.m_collection);
    Variant const formerValue = std::exchange(m_removedValue, other.m_removedValue);
    m_position = other.m_position;
    m_removed = other.m_removed;
    enrol();
    return *this;
}

void Collection::Iterator::pastTheEnd() {
    raise(ErrorKind::SubscriptOutOfRange, en("the enumeration has no element left to yield"),
          ja("列挙で取り出せる要素はもう残っていません"));
}

Collection::Iterator& Collection::Iterator::operator++() {
    if (!m_removed) {
        // At the end it keeps waiting there: a step further would pass the next element appended.
        if (!atEnd())
            ++m_position;
        return *this;
    }
    // It already stands before the element after its removed one; the removed value goes last.
    m_removed = false;
    Variant const formerValue = std::move(m_removedValue);
    return *this;
}

void Collection::Iterator::enrol() noexcept {
    if (!m_collection)
        return;
    Iterator*& first = m_collection->m_iterators;
    m_next = first;
    if (first)
        first->m_previous = this;
    first = this;
}

void Collection::Iterator::withdraw() noexcept {
    if (!m_collection)
        return;
    if (m_previous)
        m_previous->m_next = m_next;
    else
        m_collection->m_iterators = m_next;
    if (m_next)
        m_next->m_previous = m_previous;
    m_previous = m_next = nullptr;
}

void Collection::Iterator::elementAdded(std::size_t position, std::size_t sizeBefore) noexcept {
    // An element added before its own lies behind it. One added where it waits at the end, or
    // after its removed element, lies ahead.
    bool const onElement = !m_removed && m_position < sizeBefore;
    if (position < m_position || (position == m_position && onElement))
        ++m_position;
}

void Collection::Iterator::elementRemoved(std::size_t position, Variant const& value) noexcept {
    if (position < m_position) {
        --m_position;
    } else if (position == m_position && !m_removed) {
        m_removed = true;
        m_removedValue = value;
    }
}

} // namespace runtime
