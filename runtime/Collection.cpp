#include "runtime/Collection.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

namespace runtime {

void Collection::outsidePositions(std::string_view role, std::int32_t position) const {
    raise(ErrorKind::SubscriptOutOfRange,
          std::string(role) + " " + decimal(position) + " is outside 1 to " + decimal(Count()));
}

std::size_t Collection::positionOfKey(Variant const& index, std::string_view role) const {
    if (index.kind() != Kind::String)
        raise(ErrorKind::TypeMismatch,
              std::string(role) + " must be a position or a key, got " + std::string(index.kindName()));
    std::u16string const& key = index.asString();
    auto const found = m_keys.find(key);
    if (found == m_keys.end())
        raise(ErrorKind::InvalidArgument,
              std::string(role) + " key '" + toUtf8(key) + "' is not in the collection");
    return m_items.positionOf(found->second);
}

void Collection::Add(Variant item, Variant const& key, Variant const& before, Variant const& after) {
    if (!before.isMissing() && !after.isMissing())
        raise(ErrorKind::InvalidArgument, "give before or after, not both");
    if (m_items.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        raise(ErrorKind::Overflow, "a collection holds at most 2147483647 elements");
    if (!key.isMissing()) {
        if (key.kind() != Kind::String)
            raise(ErrorKind::TypeMismatch, "key must be a string, got " + std::string(key.kindName()));
        if (m_keys.contains(key.asString()))
            raise(ErrorKind::InvalidArgument,
                  "key '" + toUtf8(key.asString()) + "' is already in the collection");
    }
    std::size_t position = m_items.size();
    if (!before.isMissing())
        position = positionOf(before, "before");
    else if (!after.isMissing())
        position = positionOf(after, "after") + 1;

    try {
        KeyRecord* record = nullptr;
        if (!key.isMissing()) {
            auto const entry = m_keys.try_emplace(key.asString()).first;
            record = &entry->second;
            record->key = &entry->first;
        }
        try {
            m_items.insert(position, std::move(item), record);
        } catch (...) {
            if (record)
                m_keys.erase(m_keys.find(*record->key));
            throw;
        }
    } catch (std::bad_alloc const&) {
        raise(ErrorKind::OutOfMemory, "not enough memory to add to the collection");
    }
    for (Iterator* it = m_iterators; it; it = it->m_next)
        it->elementAdded(position);
}

void Collection::Remove(Variant const& index) {
    std::size_t const position = positionOf(index, "index");
    if (KeyRecord const* record = m_items.erase(position))
        m_keys.erase(m_keys.find(*record->key));
    for (Iterator* it = m_iterators; it; it = it->m_next)
        it->elementRemoved(position);
}

void Collection::checkInvariants() const {
    m_items.checkInvariants();
    for (auto const& [key, record] : m_keys) {
        if (record.key != &key || record.leaf == nullptr || m_items.positionOf(record) >= m_items.size()) {
            std::fprintf(stderr, "Collection: the record of a key is out of step with the elements\n");
            std::abort();
        }
    }
}

Collection::Iterator::Iterator(Collection const& collection) : m_collection(collection) { enrol(); }

Collection::Iterator::Iterator(Iterator const& other)
    : m_collection(other.m_collection), m_position(other.m_position), m_onNext(other.m_onNext) {
    enrol();
}

Collection::Iterator& Collection::Iterator::operator=(Iterator const& other) {
    if (this != &other) {
        withdraw();
        m_collection = other.m_collection;
        m_position = other.m_position;
        m_onNext = other.m_onNext;
        enrol();
    }
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

void Collection::Iterator::elementAdded(std::size_t position) noexcept {
    if (position <= m_position)
        ++m_position;
}

void Collection::Iterator::elementRemoved(std::size_t position) noexcept {
    if (position < m_position)
        --m_position;
    else if (position == m_position)
        m_onNext = true;
}

} // namespace runtime
