#pragma once

#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace runtime {

// An ordered, 1-based container of values, optionally keyed by text.
// An index is a position (16- or 32-bit integer, 1..Count) or a key (string). A position outside
// 1..Count raises subscript out of range; an unknown or duplicate key raises invalid argument.
class Collection final : public Object {
public:
    Collection() = default;

    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(m_entries.size()); }

    // A copy of the element.
    Variant Item(Variant const& index) const;

    // Appends item, or inserts it before or after the element that before or after names.
    // Giving both before and after is an invalid argument.
    void Add(Variant item, Variant const& key = Missing{}, Variant const& before = Missing{},
             Variant const& after = Missing{});

    // Removes the element; the later ones move down.
    void Remove(Variant const& index);

    // Enumeration first to last, yielding copies. It reads the collection as it is at each step,
    // so changing the collection while enumerating is safe.
    class Iterator {
    public:
        using value_type = Variant;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Variant operator*() const { return m_collection->m_entries[m_position].value; }
        Iterator& operator++() {
            ++m_position;
            return *this;
        }
        void operator++(int) { ++m_position; }
        friend bool operator==(Iterator const& it, std::default_sentinel_t) { return it.atEnd(); }

    private:
        friend class Collection;
        explicit Iterator(Collection const& collection) : m_collection(&collection) {}
        bool atEnd() const { return m_position >= m_collection->m_entries.size(); }
        Collection const* m_collection = nullptr;
        std::size_t m_position = 0;
    };

    Iterator begin() const { return Iterator(*this); }
    std::default_sentinel_t end() const { return {}; }

private:
    struct Entry {
        Variant value;
        std::optional<std::u16string> key;
    };

    // The entry with that key, or the end.
    std::vector<Entry>::const_iterator findKey(std::u16string const& key) const;

    // The 0-based position that index names; role names the argument in messages.
    std::size_t positionOf(Variant const& index, std::string_view role) const;

    std::vector<Entry> m_entries;
};

} // namespace runtime
