#pragma once

#include "runtime/Variant.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace runtime {

namespace treenode {
struct Node;
struct Leaf;
struct Internal;
struct Reserve;
} // namespace treenode

// A sequence of values addressed by 0-based position: a counted B+-tree.
//
// Shape. Leaves hold up to kLeafCapacity values in slots 0..count-1; internal nodes hold up to
// kFanout children, and beside each child the number of values below it. Every leaf lies at the
// same depth. Once a value with a key has been inserted, every leaf carries a key array (until the
// tree is empty again): for each slot, the record of that value's key, or null. A record points
// back at the leaf and slot that hold its value: every move of a keyed value within or between
// leaves writes its record.
//
// Invariants (checkInvariants() verifies every one):
// - each internal size equals the number of values below that child, and the sizes below the root
//   add up to size();
// - each child points back at its parent, and every key record reached from a leaf points back at
//   that leaf and slot;
// - fill: every node but the root and the last node of its depth holds at least half its capacity
//   (kMinLeafCount values, kMinChildren children); the last node of a depth holds at least one
//   slot, and an internal root at least two children.
//
// Height. An empty tree has height 0 and a tree of one value height 1. With h levels (h >= 2), the
// fill rule leaves the root at least 2 children, and each level below at least 16 (N - 1) + 1 nodes
// where the level above has N, so the leaves number at least 16^(h-2) + 1 and hold at least
// 16^(h-1) + 1 values: for size() >= 2, h <= 1 + log16(size() - 1). A tree of 2^31 values is at
// most 8 levels high; reading, inserting and erasing cost O(log n).
// Two fingers remember the two leaves used last, and where they start (a walk down replaces the one
// used longer ago): reading a position inside one of those two leaves costs O(1), as a sort or an
// enumeration mostly does; any other position costs a walk down.
//
// A full node splits in two halves, except that appending to the last leaf starts a new leaf, so a
// sequence built by appending fills its leaves (that last node is the one the fill rule lets hold
// less). A node that an erase leaves less than half full is merged with a neighbour under the same
// parent when the two fit in one node, and otherwise takes slots from it until both hold at least
// half; a root with a single child gives way to that child.
//
// insert() allocates every node and key array it may need before it changes anything, so an
// allocation failure leaves the tree as it was; erase() never allocates. Neither releases a value:
// erase() hands the erased value to its caller, to be released once the caller's structure is
// whole again.
class PositionTree {
public:
    // A slot of a node, or a number of slots: every slot computation is done in this one type.
    using Slot = std::uint32_t;

    // The record of one key, owned by the caller; the tree keeps its leaf and slot current, so that
    // the value is found without a search.
    struct KeyRecord {
        treenode::Leaf* leaf = nullptr;
        Slot slot = 0;
    };

    PositionTree() = default;
    PositionTree(PositionTree const&) = delete;
    PositionTree& operator=(PositionTree const&) = delete;
    ~PositionTree();

    std::size_t size() const noexcept { return m_size; }

    // The value at position (< size()).
    Variant const& at(std::size_t position) const {
        Finger const& found = locate(position);
        return found.values[position - found.start];
    }

    // Inserts value so that it becomes the one at position (<= size()), with an optional key record.
    // Throws std::bad_alloc with the tree unchanged.
    // Takes value only once nothing can fail any more.
    void insert(std::size_t position, Variant&& value, KeyRecord* key);

    // Erases the value at position (< size()), moves it into erased and returns its key record, or
    // null.
    KeyRecord* erase(std::size_t position, Variant& erased) noexcept;

    // The position of the value that record belongs to; reading or erasing it next costs O(1).
    std::size_t positionOf(KeyRecord const& record) const noexcept;
    // The value that record belongs to.
    Variant const& valueOf(KeyRecord const& record) const noexcept;
    // The key record of the value at position (< size()), or null.
    KeyRecord const* keyAt(std::size_t position) const noexcept;

    void swap(PositionTree& other) noexcept;

    // True when every leaf carries a key array: from the first keyed insert until the tree is empty.
    bool keyed() const noexcept { return m_keyed; }

    // The number of levels: 0 for an empty tree, 1 for a single leaf.
    std::size_t height() const noexcept;

    // The slots in use of every node, level by level from the root, left to right; for tests.
    std::vector<std::vector<Slot>> shape() const;

    // Walks the whole tree and stops the program with a message on the first broken invariant.
    void checkInvariants() const;

    // 32 values of 16 bytes make a leaf of about half a kilobyte: an insert shifts at most 31 of
    // them, and the node's own fields cost under a byte per value.
    static constexpr Slot kLeafCapacity = 32;
    // 32 children keep a tree of a million values four levels deep, and a walk down reads at most
    // 32 sizes per level from one contiguous array.
    static constexpr Slot kFanout = 32;
    // The fill rule: a node that is neither the root nor the last of its depth holds at least half
    // its capacity. Half, because a full node splits into two halves and two nodes below it merge
    // into one that fits.
    static constexpr Slot kMinLeafCount = kLeafCapacity / 2;
    static constexpr Slot kMinChildren = kFanout / 2;

private:
    // A leaf reached lately: its values lie at positions start..end-1.
    struct Finger {
        treenode::Leaf* leaf = nullptr;
        Variant const* values = nullptr;
        std::size_t start = 0;
        std::size_t end = 0;
    };

    // The finger on the leaf that holds position (< size()): one already set, or else one set now.
    Finger const& locate(std::size_t position) const {
        for (std::uint8_t i = 0; i < m_fingers.size(); ++i) {
            Finger const& finger = m_fingers[i];
            // An unset finger covers nothing; a position before the start wraps around past the end.
            if (position - finger.start < finger.end - finger.start) {
                m_nextFinger = i ^ 1; // the other one was used longer ago
                return finger;
            }
        }
        return remember(position);
    }
    // Walks down to the leaf that holds position and sets the finger that was used longer ago on it.
    Finger const& remember(std::size_t position) const;
    Finger const& rememberLeaf(treenode::Leaf& leaf, std::size_t start) const noexcept;
    void forgetFingers() noexcept;
    void shiftFingers(treenode::Leaf const* changed, std::size_t start, std::ptrdiff_t delta) noexcept;

    void insertIntoLeaf(treenode::Leaf& leaf, std::size_t start, Slot slot, Variant&& value,
                        KeyRecord* key) noexcept;
    // Puts into reserve the leaf and internal nodes that inserting into the full leaf needs.
    static void reserveSplits(treenode::Leaf const& leaf, bool keyed, treenode::Reserve& reserve);
    void insertIntoFull(treenode::Leaf& leaf, Slot slot, Variant&& value, KeyRecord* key,
                        treenode::Reserve& reserve) noexcept;
    // Puts every leaf of the tree into reserve, with a key array made for each.
    void reserveKeyArrays(treenode::Reserve& reserve) const;
    // Restores the fill rule from node up after an erase: merges node with a neighbour where they fit
    // together, and then its parent in turn, or else evens the two out. True when any node changed.
    bool rebalance(treenode::Node* node) noexcept;
    void shrinkRoot() noexcept;

    treenode::Node* m_root = nullptr;
    std::size_t m_size = 0;
    bool m_keyed = false; // every leaf carries a key array
    mutable std::array<Finger, 2> m_fingers{};
    mutable std::uint8_t m_nextFinger = 0; // the finger used longer ago, which the next walk down sets
};

} // namespace runtime
