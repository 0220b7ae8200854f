#pragma once

#include "runtime/PositionTree.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace runtime {

// The key records of a collection, found by their text.
//
// Shape. An open-addressing table of 2^k entries, each the hash of a key beside a pointer to its
// record, or empty. A record sits at the first entry from its home entry on (its hash's top k bits,
// after one multiplication to spread them) that was free when it came, so a search reads entries
// from the home entry on until it meets its key or an empty entry; comparing hashes first spares a
// visit to each other record on the way. Erasing moves later entries of the same run back into the
// gap, so no marker of an erased entry ever stands in the way.
//
// Invariants (checkInvariants() verifies them): size() entries are used; every used entry holds its
// record's hash, and no empty entry lies between a record's home entry and its entry. At most half
// the entries are used, so a search reads few entries, most often from one cache line. When erasing
// leaves less than an eighth of them used, the table shrinks to be a quarter full (or goes, when
// empty), so that memory follows the keys down as well as up, and a run of adds and erases at the
// boundary does not resize each time.
//
// The index owns its records; the tree keeps each one's leaf and slot current. Keys compare exactly,
// by UTF-16 code unit.
class KeyIndex {
public:
    struct Record : PositionTree::KeyRecord {
        std::u16string key;
        std::size_t hash = 0;
    };

    KeyIndex() = default;
    KeyIndex(KeyIndex const&) = delete;
    KeyIndex& operator=(KeyIndex const&) = delete;
    ~KeyIndex() { clear(); }

    std::size_t size() const noexcept { return m_size; }

    // The record of key, or null.
    Record* find(std::u16string_view key) const noexcept;

    // A record for key, which is not in the index yet, and room to add it. Throws std::bad_alloc with
    // the index unchanged (it may have grown).
    std::unique_ptr<Record> prepare(std::u16string const& key);
    // Adds a record that prepare() made, with nothing else added since.
    void add(std::unique_ptr<Record> record) noexcept;
    // Takes record out of the index and deletes it; may shrink the table.
    void erase(Record const& record) noexcept;
    // How many entries the table has, used or not.
    std::size_t capacity() const noexcept { return m_capacity; }
    // Deletes every record.
    void clear() noexcept;

    template <class Visit>
    void forEach(Visit const& visit) const {
        for (std::size_t i = 0; i < m_capacity; ++i) {
            if (Record const* record = m_entries[i].record)
                visit(*record);
        }
    }

    // Stops the program with a message on the first broken invariant.
    void checkInvariants() const;

private:
    struct Entry {
        std::size_t hash = 0;
        Record* record = nullptr;
    };

    static std::size_t hashOf(std::u16string_view key) noexcept;
    std::size_t homeOf(std::size_t hash) const noexcept;
    std::size_t next(std::size_t entry) const noexcept { return (entry + 1) & (m_capacity - 1); }
    // Puts record into the first empty entry from its home on.
    void place(Record* record) noexcept;
    // Doubles the entries (16 at first) and places every record again.
    void grow();
    // Halves the entries while a quarter of them would still hold every record; keeps them as they
    // are when memory for fewer cannot be had.
    void shrink() noexcept;
    // Moves every record into entries, a table of capacity entries (0 or a power of two).
    void replaceEntries(std::unique_ptr<Entry[]> entries, std::size_t capacity) noexcept;

    static constexpr std::size_t kFewestEntries = 16;

    std::unique_ptr<Entry[]> m_entries;
    std::size_t m_capacity = 0; // 0 or a power of two
    unsigned m_shift = 0;       // 64 - log2(m_capacity): a hash's top bits pick its home entry
    std::size_t m_size = 0;
};

} // namespace runtime
