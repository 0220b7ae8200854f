#pragma once

#include "runtime/KeyIndex.h"
#include "runtime/Object.h"
#include "runtime/Observer.h"
#include "runtime/PositionTree.h"
#include "runtime/Ref.h"
#include "runtime/Variant.h"

#include <concepts>
#include <cstdint>
#include <iterator>
#include <string>

namespace runtime {

// An ordered, 1-based container of values, optionally keyed by text.
// An index is a position (16- or 32-bit integer, 1..Count) or a key (string). A position outside
// 1..Count raises subscript out of range; an unknown or duplicate key raises invalid argument. Keys
// compare exactly, by UTF-16 code unit: "Key" and "key" are two keys.
//
// Item by key costs O(1) on average: the key index finds the key's record, which knows the leaf and
// slot of its element. Item by position costs O(log n), and O(1) at a position inside one of the
// two leaves (of up to 32 elements) used last. Add and Remove cost O(log n) plus one step for each
// live iterator, which each of them tells of the change. The first keyed Add into a collection that
// already holds elements gives every leaf its key array: O(n) once (a few milliseconds at a million
// elements). A failed call leaves the collection as it was, and running out of memory raises the
// out-of-memory error.
//
// A value that the collection lets go of (a removed element, the argument of a failed Add, the
// elements of a collection being destroyed) is released only once the collection is whole again, so
// whatever an object's destructor then does to the collection behaves as on any other. Releases run
// where nothing may throw: a destructor that lets an error escape ends the program.
class Collection final : public Object {
public:
    Collection() = default;
    ~Collection() override;

    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(m_items.size()); }

    // A copy of the element.
    Variant Item(std::same_as<std::int32_t> auto position) const {
        Variant value = m_items.at(positionAt(position, "index"));
        if (Observer::attached()) [[unlikely]]
            Observer::tell(&Observer::itemRead, *this, position, value);
        return value;
    }
    Variant Item(Variant const& index) const {
        if (index.kind() != Kind::String) {
            std::size_t const position = positionOf(index, "index");
            Variant value = m_items.at(position);
            if (Observer::attached()) [[unlikely]]
                Observer::tell(&Observer::itemRead, *this, static_cast<std::int32_t>(position + 1), value);
            return value;
        }
        KeyRecord const& record = recordOf(index, "index");
        Variant value = m_items.valueOf(record);
        if (Observer::attached()) [[unlikely]]
            Observer::tell(&Observer::itemRead, *this, static_cast<std::int32_t>(m_items.positionOf(record) + 1),
                           value);
        return value;
    }

    // Appends item, or inserts it before or after the element that before or after names.
    // When several arguments are wrong, the first of these checks that fails gives the error: before
    // and after both given (invalid argument); the collection full (overflow); a key that is no
    // text (type mismatch); a key already there (invalid argument); then before, or else after,
    // checked as an index of Item is.
    void Add(Variant item, Variant const& key = Missing{}, Variant const& before = Missing{},
             Variant const& after = Missing{});

    // Removes the element; the later ones move down.
    void Remove(Variant const& index);

    // Enumeration first to last, yielding copies. An iterator stands on one element at a time and
    // yields each element at most once, in collection order: every element that lies after the last
    // one it stood on when it gets there, wherever it was added meanwhile, and none added before
    // that. Dereferencing never moves it; when its element is removed it still yields that element's
    // value until it steps on, and an element added into the gap the removed one left (before the
    // element that followed it) lies ahead of it: its next step reaches that element. A copy behaves
    // as the original, and an iterator keeps its collection alive.
    //
    // At the end, past the last element, an iterator waits: dereferencing it raises subscript out of
    // range, stepping leaves it where it is, and an element appended meanwhile is the one it stands
    // on next. A default-made iterator belongs to no collection and stays at the end.
    class Iterator {
    public:
        using value_type = Variant;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Iterator(Iterator const& other);
        Iterator& operator=(Iterator const& other);
        ~Iterator() { withdraw(); }

        Variant operator*() const {
            if (m_removed)
                return m_removedValue;
            if (atEnd())
                pastTheEnd();
            return m_collection->m_items.at(m_position);
        }
        Iterator& operator++();
        void operator++(int) { ++*this; }
        friend bool operator==(Iterator const& it, std::default_sentinel_t) { return it.atEnd(); }

    private:
        friend class Collection;
        bool atEnd() const {
            return !m_removed && (!m_collection || m_position >= m_collection->m_items.size());
        }
        [[noreturn]] static void pastTheEnd();
        explicit Iterator(Collection const& collection);
        void enrol() noexcept;
        void withdraw() noexcept;
        void elementAdded(std::size_t position, std::size_t sizeBefore) noexcept;
        void elementRemoved(std::size_t position, Variant const& value) noexcept;

        Ref<Collection const> m_collection;
        // The position of its element; once that element is removed, the position of the element
        // after it, which the next step reaches. At Count it waits at the end for an element added there.
        std::size_t m_position = 0;
        bool m_removed = false;
        Variant m_removedValue; // the value of its element once that element is removed
        Iterator* m_previous = nullptr;
        Iterator* m_next = nullptr;
    };

    Iterator begin() const { return Iterator(*this); }
    std::default_sentinel_t end() const { return {}; }

    // Stops the program with a message if the inner structure is inconsistent; for tests and fuzzing.
    void checkInvariants() const;

private:
    using KeyRecord = KeyIndex::Record;

    // The 0-based position that index names; role names the argument in messages.
    std::size_t positionOf(Variant const& index, std::string_view role) const {
        if (index.kind() != Kind::Int16 && index.kind() != Kind::Int32)
            return positionOfKey(index, role);
        return positionAt(index.toInt32(), role);
    }
    // The 0-based position of the 1-based position given.
    std::size_t positionAt(std::int32_t position, std::string_view role) const {
        if (position < 1 || position > Count())
            outsidePositions(role, position);
        return static_cast<std::size_t>(position - 1);
    }
    std::size_t positionOfKey(Variant const& index, std::string_view role) const {
        return m_items.positionOf(recordOf(index, role));
    }
    KeyRecord const& recordOf(Variant const& index, std::string_view role) const;
    [[noreturn]] void outsidePositions(std::string_view role, std::int32_t position) const;

    PositionTree m_items;
    KeyIndex m_keys;
    mutable Iterator* m_iterators = nullptr; // every live iterator, linked through m_next
};

} // namespace runtime
