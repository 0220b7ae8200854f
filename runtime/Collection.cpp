#include "runtime/Collection.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

#include <algorithm>
#include <limits>

namespace runtime {

std::vector<Collection::Entry>::const_iterator Collection::findKey(std::u16string const& key) const {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](Entry const& entry) { return entry.key == key; });
}

std::size_t Collection::positionOf(Variant const& index, std::string_view role) const {
    switch (index.kind()) {
    case Kind::Int16:
    case Kind::Int32: {
        std::int32_t const position = index.toInt32();
        if (position < 1 || position > Count())
            raise(ErrorKind::SubscriptOutOfRange,
                  std::string(role) + " " + decimal(position) + " is outside 1 to " + decimal(Count()));
        return static_cast<std::size_t>(position - 1);
    }
    case Kind::String: {
        std::u16string const& key = index.asString();
        auto const found = findKey(key);
        if (found == m_entries.end())
            raise(ErrorKind::InvalidArgument,
                  std::string(role) + " key '" + toUtf8(key) + "' is not in the collection");
        return static_cast<std::size_t>(found - m_entries.begin());
    }
    default:
        raise(ErrorKind::TypeMismatch,
              std::string(role) + " must be a position or a key, got " + std::string(index.kindName()));
    }
}

Variant Collection::Item(Variant const& index) const { return m_entries[positionOf(index, "index")].value; }

void Collection::Add(Variant item, Variant const& key, Variant const& before, Variant const& after) {
    if (!before.isMissing() && !after.isMissing())
        raise(ErrorKind::InvalidArgument, "give before or after, not both");
    if (m_entries.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        raise(ErrorKind::Overflow, "a collection holds at most 2147483647 elements");

    std::optional<std::u16string> entryKey;
    if (!key.isMissing()) {
        if (key.kind() != Kind::String)
            raise(ErrorKind::TypeMismatch, "key must be a string, got " + std::string(key.kindName()));
        if (findKey(key.asString()) != m_entries.end())
            raise(ErrorKind::InvalidArgument,
                  "key '" + toUtf8(key.asString()) + "' is already in the collection");
        entryKey = key.asString();
    }

    std::size_t position = m_entries.size();
    if (!before.isMissing())
        position = positionOf(before, "before");
    else if (!after.isMissing())
        position = positionOf(after, "after") + 1;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position),
                     Entry{std::move(item), std::move(entryKey)});
}

void Collection::Remove(Variant const& index) {
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(positionOf(index, "index")));
}

} // namespace runtime
