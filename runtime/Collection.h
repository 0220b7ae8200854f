#pragma once

#include "runtime/Object.h"
#include "runtime/PositionTree.h"
#include "runtime/Ref.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_map>

namespace runtime {

// An ordered, 1-based container of values, optionally keyed by text.
// An index is a position (16- or 32-bit integer, 1..Count) or a key (string). A position outside
// 1..Count raises subscript out of range; an unknown or duplicate key raises invalid argument.
// Item, Add and Remove cost O(log n) at any position and O(1) next to the last position reached;
// a key is found through a hash table. A failed call leaves the collection as it was, and running
// out of memory raises the out-of-memory error.
class Collection final : public Object {
public:
    Collection() = default;

    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(m_items.size()); }

    // A copy of the element.
    Variant Item(Variant const& index) const { return m_items.at(positionOf(index, "index")); }

    // Appends item, or inserts it before or after the element that before or after names.
    // Giving both before and after is an invalid argument.
    void Add(Variant item, Variant const& key = Missing{}, Variant const& before = Missing{},
             Variant const& after = Missing{});

    // Removes the element; the later ones move down.
    void Remove(Variant const& index);

    // Enumeration first to last, yielding copies. An iterator stays on its element while the
    // collection changes around it: an element added before it is not yielded, one added after it
    // is; when its own element is removed, the next step yields the element that followed it. An
    // iterator keeps its collection alive.
    class Iterator {
    public:
        using value_type = Variant;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Iterator(Iterator const& other);
        Iterator& operator=(Iterator const& other);
        ~Iterator() { withdraw(); }

        Variant operator*() const { return m_collection->m_items.at(m_position); }
        Iterator& operator++() {
            if (!std::exchange(m_onNext, false))
                ++m_position;
            return *this;
        }
        void operator++(int) { ++*this; }
        friend bool operator==(Iterator const& it, std::default_sentinel_t) { return it.atEnd(); }

    private:
        friend class Collection;
        explicit Iterator(Collection const& collection);
        bool atEnd() const { return m_position >= m_collection->m_items.size(); }
        void enrol() noexcept;
        void withdraw() noexcept;
        void elementAdded(std::size_t position) noexcept;
        void elementRemoved(std::size_t position) noexcept;

        Ref<Collection const> m_collection;
        std::size_t m_position = 0;
        bool m_onNext = false; // its element was removed; it already stands on the next one
        Iterator* m_previous = nullptr;
        Iterator* m_next = nullptr;
    };

    Iterator begin() const { return Iterator(*this); }
    std::default_sentinel_t end() const { return {}; }

    // Aborts with a message if the inner structure is inconsistent; for tests and fuzzing.
    void checkInvariants() const;

private:
    using KeyRecord = PositionTree::KeyRecord;

    // The 0-based position that index names; role names the argument in messages.
    std::size_t positionOf(Variant const& index, std::string_view role) const {
        if (index.kind() != Kind::Int16 && index.kind() != Kind::Int32)
            return positionOfKey(index, role);
        std::int32_t const position = index.toInt32();
        if (position < 1 || position > Count())
            outsidePositions(role, position);
        return static_cast<std::size_t>(position - 1);
    }
    std::size_t positionOfKey(Variant const& index, std::string_view role) const;
    [[noreturn]] void outsidePositions(std::string_view role, std::int32_t position) const;

    PositionTree m_items;
    std::unordered_map<std::u16string, KeyRecord> m_keys;
    mutable Iterator* m_iterators = nullptr; // every live iterator, linked through m_next
};

} // namespace runtime
