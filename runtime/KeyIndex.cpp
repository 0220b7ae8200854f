#include "runtime/KeyIndex.h"

#include "runtime/Invariant.h"

#include <bit>
#include <functional>
#include <new>
#include <utility>

namespace runtime {

namespace {

// 2^64 divided by the golden ratio: multiplying by it spreads any difference between two hashes into
// the top bits, which pick the home entry.
constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15u;

void expect(bool holds, char const* what) noexcept { expectInvariant(holds, "KeyIndex", what); }

} // namespace

std::size_t KeyIndex::hashOf(std::u16string_view key) noexcept {
    return std::hash<std::u16string_view>{}(key);
}

std::size_t KeyIndex::homeOf(std::size_t hash) const noexcept {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * kSpread) >> m_shift);
}

KeyIndex::Record* KeyIndex::find(std::u16string_view key) const noexcept {
    if (m_size == 0)
        return nullptr;
    std::size_t const hash = hashOf(key);
    for (std::size_t entry = homeOf(hash);; entry = next(entry)) {
        Entry const& candidate = m_entries[entry];
        if (!candidate.record)
            return nullptr;
        if (candidate.hash == hash && candidate.record->key == key)
            return candidate.record;
    }
}

std::unique_ptr<KeyIndex::Record> KeyIndex::prepare(std::u16string const& key) {
    auto record = std::make_unique<Record>();
    record->key = key;
    record->hash = hashOf(key);
    if (2 * (m_size + 1) > m_capacity)
        grow();
    return record;
}

void KeyIndex::add(std::unique_ptr<Record> record) noexcept {
    place(record.release());
    ++m_size;
}

void KeyIndex::place(Record* record) noexcept {
    std::size_t entry = homeOf(record->hash);
    while (m_entries[entry].record)
        entry = next(entry);
    m_entries[entry] = {record->hash, record};
}

void KeyIndex::grow() {
    std::size_t const capacity = m_capacity == 0 ? kFewestEntries : 2 * m_capacity;
    replaceEntries(std::make_unique<Entry[]>(capacity), capacity);
}

void KeyIndex::shrink() noexcept {
    if (m_size == 0) {
        replaceEntries(nullptr, 0);
        return;
    }
    std::size_t capacity = m_capacity;
    while (capacity > kFewestEntries && 4 * m_size <= capacity / 2)
        capacity /= 2;
    if (std::unique_ptr<Entry[]> entries(new (std::nothrow) Entry[capacity]); entries)
        replaceEntries(std::move(entries), capacity);
}

void KeyIndex::replaceEntries(std::unique_ptr<Entry[]> entries, std::size_t capacity) noexcept {
    std::swap(entries, m_entries);
    std::size_t const formerCapacity = std::exchange(m_capacity, capacity);
    m_shift = capacity == 0 ? 0 : 64 - static_cast<unsigned>(std::countr_zero(capacity));
    for (std::size_t entry = 0; entry < formerCapacity; ++entry) {
        if (Record* record = entries[entry].record)
            place(record);
    }
}

void KeyIndex::erase(Record const& record) noexcept {
    std::size_t gap = homeOf(record.hash);
    while (m_entries[gap].record != &record)
        gap = next(gap);
    // Each later entry of the run moves back into the gap unless its home lies after the gap (in
    // the run's cyclic order), where a search would no longer pass the gap to reach it.
    for (std::size_t entry = next(gap); m_entries[entry].record; entry = next(entry)) {
        std::size_t const home = homeOf(m_entries[entry].hash);
        bool const homeAfterGap = gap <= entry ? gap < home && home <= entry : gap < home || home <= entry;
        if (!homeAfterGap) {
            m_entries[gap] = m_entries[entry];
            gap = entry;
        }
    }
    m_entries[gap] = {};
    --m_size;
    delete &record;
    if (m_capacity > kFewestEntries && 8 * m_size < m_capacity)
        shrink();
    else if (m_size == 0)
        replaceEntries(nullptr, 0);
}

void KeyIndex::clear() noexcept {
    for (std::size_t entry = 0; entry < m_capacity; ++entry)
        delete std::exchange(m_entries[entry], {}).record;
    m_size = 0;
    replaceEntries(nullptr, 0);
}

void KeyIndex::checkInvariants() const {
    std::size_t used = 0;
    for (std::size_t entry = 0; entry < m_capacity; ++entry) {
        Record const* record = m_entries[entry].record;
        if (!record)
            continue;
        ++used;
        expect(m_entries[entry].hash == record->hash && record->hash == hashOf(record->key),
               "an entry holds another hash than its record's key");
        for (std::size_t passed = homeOf(record->hash); passed != entry; passed = next(passed))
            expect(m_entries[passed].record != nullptr, "an empty entry lies between a record and its home");
    }
    expect(used == m_size, "the entries in use differ from size()");
    expect(2 * m_size <= m_capacity, "more than half the entries are used");
    expect(m_capacity <= kFewestEntries || 8 * m_size >= m_capacity, "less than an eighth of the entries are used");
}

} // namespace runtime
