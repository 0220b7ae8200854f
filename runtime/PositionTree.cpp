#include "runtime/PositionTree.h"

#include "runtime/Invariant.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <numeric>
#include <type_traits>
#include <vector>

namespace runtime {

namespace treenode {

using Slot = PositionTree::Slot;
constexpr Slot kLeafCapacity = PositionTree::kLeafCapacity;
constexpr Slot kFanout = PositionTree::kFanout;
using KeyRecord = PositionTree::KeyRecord;
using KeyArray = std::array<KeyRecord*, kLeafCapacity>;

struct Node {
    explicit Node(bool isLeaf) noexcept : leaf(isLeaf) {}
    Internal* parent = nullptr;
    Slot index = 0; // its slot in the parent
    Slot count = 0; // slots in use
    bool const leaf;
};

struct Leaf final : Node {
    Leaf() noexcept : Node(true) {}
    // In every leaf of a keyed tree, in none of another. It lies beside the node's fields, in the
    // cache line that every insert and erase reads anyway.
    std::unique_ptr<KeyArray> keys;
    std::array<Variant, kLeafCapacity> values;
};

struct Internal final : Node {
    Internal() noexcept : Node(false) {}
    std::array<Node*, kFanout> children{};
    std::array<std::uint32_t, kFanout> sizes{}; // values below each child
};

// Every node and key array that one insert may need, allocated before the insert changes anything.
struct Reserve {
    Reserve() = default;
    Reserve(Reserve const&) = delete;
    Reserve& operator=(Reserve const&) = delete;
    ~Reserve() {
        for (Internal* node : internals)
            delete node;
    }

    void addInternal() { internals.at(used++) = new Internal; }
    Internal* takeInternal() noexcept { return std::exchange(internals[--used], nullptr); }
    // Gives each leaf waiting for one the key array made for it.
    void placeKeyArrays() noexcept {
        for (std::size_t i = 0; i < unkeyedLeaves.size(); ++i)
            unkeyedLeaves[i]->keys = std::move(keyArrays[i]);
    }

    // When the first keyed value arrives: every leaf of the tree, and a key array for each.
    std::vector<Leaf*> unkeyedLeaves;
    std::vector<std::unique_ptr<KeyArray>> keyArrays;
    std::unique_ptr<Leaf> leaf;
    // One spare internal node per level that splits, plus one for a new root; a tree deeper than
    // this would hold far more than 2^31 values.
    std::array<Internal*, 16> internals{};
    std::size_t used = 0;
};

} // namespace treenode

namespace {

using namespace treenode;

Leaf& asLeaf(Node& node) noexcept { return static_cast<Leaf&>(node); }
Internal& asInternal(Node& node) noexcept { return static_cast<Internal&>(node); }
Internal const& asInternal(Node const& node) noexcept { return static_cast<Internal const&>(node); }

Slot capacityOf(Node const& node) noexcept { return node.leaf ? kLeafCapacity : kFanout; }
Slot minCountOf(Node const& node) noexcept {
    return node.leaf ? PositionTree::kMinLeafCount : PositionTree::kMinChildren;
}
bool isFull(Node const& node) noexcept { return node.count == capacityOf(node); }

void destroy(Node* node) noexcept {
    if (node->leaf) {
        delete &asLeaf(*node);
        return;
    }
    Internal* internal = &asInternal(*node);
    for (Slot i = 0; i < internal->count; ++i)
        destroy(internal->children[i]);
    delete internal;
}

std::size_t sizeOf(Node const& node) noexcept {
    if (node.leaf)
        return node.count;
    auto const& sizes = asInternal(node).sizes;
    return std::accumulate(sizes.begin(), sizes.begin() + node.count, std::size_t{0});
}

// Puts child into slot of parent.
void place(Internal& parent, Slot slot, Node* child) noexcept {
    parent.children[slot] = child;
    child->parent = &parent;
    child->index = slot;
}

// Renumbers the children of parent from slot first on, after they moved.
void renumber(Internal& parent, Slot first) noexcept {
    for (Slot slot = first; slot < parent.count; ++slot)
        parent.children[slot]->index = slot;
}

// The values that lie before the first value of node.
std::size_t startOf(Node const& node) noexcept {
    std::size_t start = 0;
    for (Node const* child = &node; child->parent; child = child->parent) {
        auto const& sizes = child->parent->sizes;
        start += std::accumulate(sizes.begin(), sizes.begin() + child->index, std::size_t{0});
    }
    return start;
}

// Adds delta to the size that every ancestor records for the subtree holding node.
void addToAncestors(Node& node, std::ptrdiff_t delta) noexcept {
    for (Node* child = &node; child->parent; child = child->parent)
        child->parent->sizes[child->index] += static_cast<std::uint32_t>(delta);
}

// True when no node of the same depth lies to the right of node.
bool isLastOfItsDepth(Node const& node) noexcept {
    for (Node const* child = &node; child->parent; child = child->parent) {
        if (child->index != child->parent->count - 1)
            return false;
    }
    return true;
}

// Moves the values [first, last) to start at target by copying their bytes: the one way values move
// inside and between leaves. A Variant is its kind and a payload and refers to nothing at its own
// address, so its bytes may move; this spares each value a move and a release test. The storage left
// behind holds stale copies, which the caller overwrites without destroying them, or frees.
//
// A short run is copied value by value, in the direction that never reads a value already
// overwritten: a call of memmove would cost more in choosing its method than in copying. A longer
// one goes to memmove, whose wide moves then pay. (GCC is told, in CMakeLists.txt, not to turn the
// loops back into calls of memmove.)
constexpr std::ptrdiff_t kShortRun = 6;

[[gnu::always_inline]] inline void relocate(Variant* first, Variant* last, Variant* target) noexcept {
    static_assert(std::is_standard_layout_v<Variant> && sizeof(Variant) == 16);
    auto moveBytes = [](Variant const* from, Variant* to) {
        std::memcpy(static_cast<void*>(to), static_cast<void const*>(from), sizeof(Variant));
    };
    if (last - first > kShortRun) {
        std::memmove(static_cast<void*>(target), static_cast<void const*>(first),
                     static_cast<std::size_t>(last - first) * sizeof(Variant));
        return;
    }
    if (target < first) {
#pragma GCC unroll 4
        for (; first != last; ++first, ++target)
            moveBytes(first, target);
    } else {
        target += last - first;
#pragma GCC unroll 4
        while (last != first)
            moveBytes(--last, --target);
    }
}

// Makes the slots [first, last), left behind by relocate(), free: Empty, without destroying the stale
// copies they held.
void freeSlots(Variant* first, Variant* last) noexcept {
    for (; first != last; ++first)
        new (first) Variant();
}

// Points the key records of the slots [first, last) of leaf at their leaf and slot.
void pointKeysAt(Leaf& leaf, Slot first, Slot last) noexcept {
    auto const& keys = *leaf.keys;
    for (Slot slot = first; slot < last; ++slot) {
        if (KeyRecord* key = keys[slot]) {
            key->leaf = &leaf;
            key->slot = slot;
        }
    }
}

[[gnu::always_inline]] inline void insertValue(Leaf& leaf, Slot slot, Variant&& value,
                                               KeyRecord* key) noexcept {
    Variant* const values = leaf.values.data();
    relocate(values + slot, values + leaf.count, values + slot + 1);
    new (values + slot) Variant(std::move(value));
    if (leaf.keys) {
        auto& keys = *leaf.keys;
        std::copy_backward(keys.begin() + slot, keys.begin() + leaf.count, keys.begin() + leaf.count + 1);
        keys[slot] = key;
        pointKeysAt(leaf, slot, leaf.count + 1);
    }
    ++leaf.count;
}

// Moves the value at slot out into erased, closes the gap and returns the value's key record. No
// value is released here: the slot that falls free at the end was emptied by the moves.
[[gnu::always_inline]] inline KeyRecord* eraseValue(Leaf& leaf, Slot slot, Variant& erased) noexcept {
    Variant* const values = leaf.values.data();
    erased = std::move(values[slot]);
    relocate(values + slot + 1, values + leaf.count, values + slot);
    new (values + leaf.count - 1) Variant();
    KeyRecord* key = nullptr;
    if (leaf.keys) {
        auto& keys = *leaf.keys;
        key = keys[slot];
        std::copy(keys.begin() + slot + 1, keys.begin() + leaf.count, keys.begin() + slot);
        keys[leaf.count - 1] = nullptr;
        pointKeysAt(leaf, slot, leaf.count - 1);
    }
    --leaf.count;
    return key;
}

void insertChild(Internal& parent, Slot slot, Node* child, std::size_t size) noexcept {
    std::copy_backward(parent.children.begin() + slot, parent.children.begin() + parent.count,
                       parent.children.begin() + parent.count + 1);
    std::copy_backward(parent.sizes.begin() + slot, parent.sizes.begin() + parent.count,
                       parent.sizes.begin() + parent.count + 1);
    parent.sizes[slot] = static_cast<std::uint32_t>(size);
    ++parent.count;
    place(parent, slot, child);
    renumber(parent, slot + 1);
}

void eraseChild(Internal& parent, Slot slot) noexcept {
    std::copy(parent.children.begin() + slot + 1, parent.children.begin() + parent.count,
              parent.children.begin() + slot);
    std::copy(parent.sizes.begin() + slot + 1, parent.sizes.begin() + parent.count,
              parent.sizes.begin() + slot);
    --parent.count;
    parent.children[parent.count] = nullptr;
    parent.sizes[parent.count] = 0;
    renumber(parent, slot);
}

// Moves n slots of from, starting at fromSlot, into the free slots of to starting at toSlot, and
// points what they hold (children, key records) at to. The slots of from fall free; counts are the
// caller's to set.
void transfer(Node& from, Slot fromSlot, Node& to, Slot toSlot, Slot n) noexcept {
    if (to.leaf) {
        Leaf& source = asLeaf(from);
        Leaf& target = asLeaf(to);
        Variant* const moved = source.values.data() + fromSlot;
        relocate(moved, moved + n, target.values.data() + toSlot);
        freeSlots(moved, moved + n);
        if (target.keys) {
            auto& keys = *source.keys;
            for (Slot i = 0; i < n; ++i)
                (*target.keys)[toSlot + i] = std::exchange(keys[fromSlot + i], nullptr);
            pointKeysAt(target, toSlot, toSlot + n);
        }
        return;
    }
    Internal& source = asInternal(from);
    Internal& target = asInternal(to);
    for (Slot i = 0; i < n; ++i) {
        place(target, toSlot + i, std::exchange(source.children[fromSlot + i], nullptr));
        target.sizes[toSlot + i] = std::exchange(source.sizes[fromSlot + i], 0);
    }
}

// Moves the slots of node from `first` on up by distance, within the node; the slots they leave are
// the caller's to fill, and count is the caller's to set.
void shiftUp(Node& node, Slot first, Slot distance) noexcept {
    Slot const last = node.count;
    if (node.leaf) {
        Leaf& leaf = asLeaf(node);
        relocate(leaf.values.data() + first, leaf.values.data() + last,
                 leaf.values.data() + first + distance);
        if (leaf.keys) {
            std::copy_backward(leaf.keys->begin() + first, leaf.keys->begin() + last,
                               leaf.keys->begin() + last + distance);
            pointKeysAt(leaf, first + distance, last + distance);
        }
        return;
    }
    Internal& internal = asInternal(node);
    std::copy_backward(internal.children.begin() + first, internal.children.begin() + last,
                       internal.children.begin() + last + distance);
    std::copy_backward(internal.sizes.begin() + first, internal.sizes.begin() + last,
                       internal.sizes.begin() + last + distance);
}

// Moves the slots of node from `first` on down by distance, within the node, over slots already
// emptied; the last `distance` slots fall free, and count is the caller's to set.
void shiftDown(Node& node, Slot first, Slot distance) noexcept {
    Slot const last = node.count;
    if (node.leaf) {
        Leaf& leaf = asLeaf(node);
        Variant* const values = leaf.values.data();
        relocate(values + first, values + last, values + first - distance);
        freeSlots(values + last - distance, values + last);
        if (leaf.keys) {
            auto& keys = *leaf.keys;
            std::copy(keys.begin() + first, keys.begin() + last, keys.begin() + first - distance);
            std::fill(keys.begin() + last - distance, keys.begin() + last, nullptr);
            pointKeysAt(leaf, first - distance, last - distance);
        }
        return;
    }
    Internal& internal = asInternal(node);
    std::copy(internal.children.begin() + first, internal.children.begin() + last,
              internal.children.begin() + first - distance);
    std::copy(internal.sizes.begin() + first, internal.sizes.begin() + last,
              internal.sizes.begin() + first - distance);
    std::fill(internal.children.begin() + last - distance, internal.children.begin() + last, nullptr);
    std::fill(internal.sizes.begin() + last - distance, internal.sizes.begin() + last, 0);
}

// Moves the slots of from, starting at `first`, behind the slots of to.
void appendSlots(Node& to, Node& from, Slot first) noexcept {
    Slot const moved = from.count - first;
    transfer(from, first, to, to.count, moved);
    to.count += moved;
    from.count = first;
}

// True when the slots of two neighbours fit in one node.
bool canMerge(Node const& left, Node const& right) noexcept {
    return left.count + right.count <= capacityOf(left);
}

// Moves every slot of the child right of leftIndex behind those of the child at leftIndex, and
// drops the emptied child.
void mergeWithRight(Internal& parent, Slot leftIndex) noexcept {
    Node& left = *parent.children[leftIndex];
    Node* const right = parent.children[leftIndex + 1];
    appendSlots(left, *right, 0);
    parent.sizes[leftIndex] += parent.sizes[leftIndex + 1];
    eraseChild(parent, leftIndex + 1);
    destroy(right);
}

// Moves slots between the child at leftIndex and its right neighbour, which do not fit in one node,
// until the left one holds half of their slots (rounded down) and the right one the rest.
void stealBetween(Internal& parent, Slot leftIndex) noexcept {
    Node& left = *parent.children[leftIndex];
    Node& right = *parent.children[leftIndex + 1];
    Slot const wanted = (left.count + right.count) / 2;
    if (left.count < wanted) {
        Slot const n = wanted - left.count;
        transfer(right, 0, left, left.count, n);
        shiftDown(right, n, n);
        left.count += n;
        right.count -= n;
    } else {
        Slot const n = left.count - wanted;
        shiftUp(right, 0, n);
        transfer(left, wanted, right, 0, n);
        left.count = wanted;
        right.count += n;
    }
    if (!right.leaf) {
        renumber(asInternal(left), 0);
        renumber(asInternal(right), 0);
    }
    parent.sizes[leftIndex] = static_cast<std::uint32_t>(sizeOf(left));
    parent.sizes[leftIndex + 1] = static_cast<std::uint32_t>(sizeOf(right));
}

// Where a full node that receives a slot at `slot` divides: in the middle, or, when the slot goes
// behind the last node of its depth, after every slot, so that appending fills nodes.
Slot splitPoint(Node const& node, Slot slot) noexcept {
    if (slot == node.count && isLastOfItsDepth(node))
        return node.count;
    return node.count / 2;
}

// Splits a full node into itself and right (empty) and tells in which of them, at which slot, the
// new slot goes.
std::pair<Node*, Slot> splitFor(Node& node, Node& right, Slot slot) noexcept {
    Slot const middle = splitPoint(node, slot);
    appendSlots(right, node, middle);
    if (slot <= middle && middle < capacityOf(node))
        return {&node, slot};
    return {&right, slot - middle};
}

void expect(bool holds, char const* what) noexcept { expectInvariant(holds, "PositionTree", what); }

// A finger as the walk checks it: the leaf and start it names, and whether the walk met that leaf.
struct FingerCheck {
    Leaf const* leaf;
    std::size_t start;
    bool met = false;
};

// What the walk of checkInvariants() carries from node to node.
struct TreeCheck {
    bool keyed;
    std::size_t leafDepth = 0;
    std::array<FingerCheck, 2> fingers;
};

// Checks node and what lies below it; returns the number of values below it. start is the number of
// values before it, and last tells whether it is the last node of its depth.
std::size_t checkNode(Node const& node, Internal const* parent, std::size_t depth, std::size_t start,
                      bool last, TreeCheck& check) {
    expect(node.parent == parent, "a child does not point back at its parent");
    expect(parent == nullptr || parent->children[node.index] == &node, "a child has the wrong index");
    expect(node.count <= capacityOf(node), "a node holds more slots than it can");
    expect(parent == nullptr || node.count > 0, "a node below the root is empty");
    expect(parent == nullptr || last || node.count >= minCountOf(node),
           "a node that is neither the root nor the last of its depth is less than half full");
    expect(parent != nullptr || node.leaf || node.count >= 2, "an internal root has a single child");
    if (node.leaf) {
        if (check.leafDepth == 0)
            check.leafDepth = depth;
        expect(check.leafDepth == depth, "leaves lie at different depths");
        Leaf const& leaf = static_cast<Leaf const&>(node);
        for (Slot slot = leaf.count; slot < kLeafCapacity; ++slot)
            expect(leaf.values[slot].isEmpty(), "a free slot still holds a value");
        expect((leaf.keys != nullptr) == check.keyed,
               "a leaf of a keyed tree has no key array, or the reverse");
        if (leaf.keys) {
            for (Slot slot = 0; slot < kLeafCapacity; ++slot) {
                KeyRecord const* key = (*leaf.keys)[slot];
                expect(slot < leaf.count || key == nullptr, "a free slot still holds a key");
                expect(key == nullptr || (key->leaf == &leaf && key->slot == slot),
                       "a key record points at another leaf or slot");
            }
        }
        for (FingerCheck& finger : check.fingers) {
            if (finger.leaf == &leaf) {
                expect(finger.start == start, "a finger has the wrong start");
                finger.met = true;
            }
        }
        return leaf.count;
    }
    Internal const& internal = asInternal(node);
    std::size_t total = 0;
    for (Slot slot = 0; slot < internal.count; ++slot) {
        bool const lastChild = last && slot + 1 == internal.count;
        std::size_t const size =
            checkNode(*internal.children[slot], &internal, depth + 1, start + total, lastChild, check);
        expect(size == internal.sizes[slot], "an internal size differs from the values below it");
        total += size;
    }
    for (Slot slot = internal.count; slot < kFanout; ++slot)
        expect(internal.children[slot] == nullptr, "a free child slot is not empty");
    return total;
}

// The fewest values that a tree of the given height can hold under the fill rule.
std::size_t fewestValues(std::size_t height) noexcept {
    if (height <= 1)
        return height;
    std::size_t nodes = 2; // below the root
    for (std::size_t level = 3; level <= height; ++level)
        nodes = PositionTree::kMinChildren * (nodes - 1) + 1;
    return PositionTree::kMinLeafCount * (nodes - 1) + 1;
}

} // namespace

PositionTree::~PositionTree() {
    if (m_root)
        destroy(m_root);
}

PositionTree::Finger const& PositionTree::remember(std::size_t position) const {
    Node* node = m_root;
    std::size_t start = 0;
    while (!node->leaf) {
        Internal& internal = asInternal(*node);
        Slot slot = 0;
        while (position - start >= internal.sizes[slot])
            start += internal.sizes[slot++];
        node = internal.children[slot];
    }
    return rememberLeaf(asLeaf(*node), start);
}

PositionTree::Finger const& PositionTree::rememberLeaf(Leaf& leaf, std::size_t start) const noexcept {
    Finger& finger = m_fingers[m_nextFinger];
    finger = {&leaf, leaf.values.data(), start, start + leaf.count};
    m_nextFinger ^= 1;
    return finger;
}

void PositionTree::forgetFingers() noexcept { m_fingers = {}; }

void PositionTree::shiftFingers(Leaf const* changed, std::size_t start, std::ptrdiff_t delta) noexcept {
    // Without branches: which finger lies where is as hard to predict as the positions a sort
    // exchanges. An unset finger starts at 0 and is never moved.
    auto const step = static_cast<std::size_t>(delta);
    for (Finger& finger : m_fingers) {
        std::size_t const after = finger.start > start;
        finger.start += after * step;
        finger.end += (after | std::size_t{finger.leaf == changed}) * step;
    }
}

void PositionTree::swap(PositionTree& other) noexcept {
    std::swap(m_root, other.m_root);
    std::swap(m_size, other.m_size);
    std::swap(m_keyed, other.m_keyed);
    std::swap(m_fingers, other.m_fingers);
    std::swap(m_nextFinger, other.m_nextFinger);
}

void PositionTree::reserveKeyArrays(Reserve& reserve) const {
    reserve.unkeyedLeaves.reserve(m_size / kLeafCapacity + 1);
    auto collect = [&](auto& self, Node& node) -> void {
        if (node.leaf) {
            reserve.unkeyedLeaves.push_back(&asLeaf(node));
            return;
        }
        Internal& internal = asInternal(node);
        for (Slot slot = 0; slot < internal.count; ++slot)
            self(self, *internal.children[slot]);
    };
    collect(collect, *m_root);
    reserve.keyArrays.resize(reserve.unkeyedLeaves.size());
    for (auto& array : reserve.keyArrays)
        array = std::make_unique<KeyArray>();
}

void PositionTree::insert(std::size_t position, Variant&& value, KeyRecord* key) {
    bool const keyed = m_keyed || key;
    if (!m_root) {
        auto leaf = std::make_unique<Leaf>();
        if (keyed)
            leaf->keys = std::make_unique<KeyArray>();
        insertValue(*leaf, 0, std::move(value), key);
        m_root = leaf.release();
        m_size = 1;
        m_keyed = keyed;
        return;
    }
    // The finger's fields are read one by one: shiftFingers() wrote them one by one.
    Finger const& found = locate(position < m_size ? position : m_size - 1);
    Leaf& leaf = *found.leaf;
    std::size_t const start = found.start;
    auto const slot = static_cast<Slot>(position - start);
    bool const full = isFull(leaf);
    if (keyed == m_keyed && !full) {
        insertIntoLeaf(leaf, start, slot, std::move(value), key);
        return;
    }
    Reserve reserve;
    if (keyed != m_keyed)
        reserveKeyArrays(reserve);
    if (full)
        reserveSplits(leaf, keyed, reserve);
    // Nothing below fails.
    reserve.placeKeyArrays();
    m_keyed = keyed;
    if (full)
        insertIntoFull(leaf, slot, std::move(value), key, reserve);
    else
        insertIntoLeaf(leaf, start, slot, std::move(value), key);
}

[[gnu::always_inline]] inline void PositionTree::insertIntoLeaf(Leaf& leaf, std::size_t start, Slot slot,
                                                                Variant&& value, KeyRecord* key) noexcept {
    insertValue(leaf, slot, std::move(value), key);
    addToAncestors(leaf, 1);
    ++m_size;
    shiftFingers(&leaf, start, 1);
}

void PositionTree::reserveSplits(Leaf const& leaf, bool keyed, Reserve& reserve) {
    reserve.leaf = std::make_unique<Leaf>();
    if (keyed)
        reserve.leaf->keys = std::make_unique<KeyArray>();
    Node const* splitting = &leaf;
    while (splitting->parent && isFull(*splitting->parent)) {
        reserve.addInternal();
        splitting = splitting->parent;
    }
    if (!splitting->parent)
        reserve.addInternal();
}

void PositionTree::insertIntoFull(Leaf& leaf, Slot slot, Variant&& value, KeyRecord* key,
                                  Reserve& reserve) noexcept {
    Leaf* right = reserve.leaf.release();
    auto const [target, targetSlot] = splitFor(leaf, *right, slot);
    insertValue(asLeaf(*target), targetSlot, std::move(value), key);

    Node* left = &leaf;
    Node* newRight = right;
    while (Internal* parent = left->parent) {
        Slot const index = left->index;
        parent->sizes[index] = static_cast<std::uint32_t>(sizeOf(*left));
        if (!isFull(*parent)) {
            insertChild(*parent, index + 1, newRight, sizeOf(*newRight));
            addToAncestors(*parent, 1);
            newRight = nullptr;
            break;
        }
        Internal* sibling = reserve.takeInternal();
        auto const [host, hostSlot] = splitFor(*parent, *sibling, index + 1);
        insertChild(asInternal(*host), hostSlot, newRight, sizeOf(*newRight));
        left = parent;
        newRight = sibling;
    }
    if (newRight) {
        Internal* root = reserve.takeInternal();
        insertChild(*root, 0, left, sizeOf(*left));
        insertChild(*root, 1, newRight, sizeOf(*newRight));
        m_root = root;
    }
    ++m_size;
    forgetFingers();
}

PositionTree::KeyRecord* PositionTree::erase(std::size_t position, Variant& erased) noexcept {
    Finger const& found = locate(position);
    Leaf& leaf = *found.leaf;
    std::size_t const start = found.start;
    KeyRecord* key = eraseValue(leaf, static_cast<Slot>(position - start), erased);
    addToAncestors(leaf, -1);
    --m_size;
    if (m_size == 0 || (leaf.parent && leaf.count < kMinLeafCount && rebalance(&leaf))) {
        // Values moved between nodes, or nodes were freed, and a finger may point at one of them.
        forgetFingers();
        shrinkRoot();
    } else {
        shiftFingers(&leaf, start, -1);
    }
    return key;
}

bool PositionTree::rebalance(Node* node) noexcept {
    bool changed = false;
    while (Internal* parent = node->parent) {
        if (node->count >= minCountOf(*node))
            return changed;
        changed = true;
        if (node->count == 0) {
            eraseChild(*parent, node->index);
            destroy(node);
            node = parent;
            continue;
        }
        // An only child is the last of its depth (its parent, being under half full, is the last of
        // its own or the root, which shrinkRoot() replaces).
        if (parent->count == 1)
            return true;
        // The pair it forms with a neighbour under the same parent: with the left one where there is one.
        Slot const leftIndex = node->index > 0 ? node->index - 1 : 0;
        if (!canMerge(*parent->children[leftIndex], *parent->children[leftIndex + 1])) {
            stealBetween(*parent, leftIndex);
            return true;
        }
        mergeWithRight(*parent, leftIndex);
        node = parent;
    }
    return changed;
}

void PositionTree::shrinkRoot() noexcept {
    while (!m_root->leaf && m_root->count == 1) {
        Internal& root = asInternal(*m_root);
        Node* child = root.children[0];
        eraseChild(root, 0);
        destroy(&root);
        child->parent = nullptr;
        child->index = 0;
        m_root = child;
    }
    if (m_root->count == 0) {
        destroy(m_root);
        m_root = nullptr;
        m_keyed = false;
    }
}

std::size_t PositionTree::positionOf(KeyRecord const& record) const noexcept {
    Leaf& leaf = *record.leaf;
    auto const known = std::find_if(m_fingers.begin(), m_fingers.end(),
                                    [&](Finger const& finger) { return finger.leaf == &leaf; });
    std::size_t const start =
        known != m_fingers.end() ? known->start : rememberLeaf(leaf, startOf(leaf)).start;
    return start + record.slot;
}

Variant const& PositionTree::valueOf(KeyRecord const& record) const noexcept {
    return record.leaf->values[record.slot];
}

PositionTree::KeyRecord const* PositionTree::keyAt(std::size_t position) const noexcept {
    Finger const& found = locate(position);
    return found.leaf->keys ? (*found.leaf->keys)[position - found.start] : nullptr;
}

std::size_t PositionTree::height() const noexcept {
    std::size_t levels = 0;
    for (Node const* node = m_root; node; node = node->leaf ? nullptr : asInternal(*node).children[0])
        ++levels;
    return levels;
}

std::vector<std::vector<PositionTree::Slot>> PositionTree::shape() const {
    std::vector<std::vector<Slot>> levels;
    std::vector<Node const*> level;
    if (m_root)
        level.push_back(m_root);
    while (!level.empty()) {
        std::vector<Node const*> below;
        levels.emplace_back();
        for (Node const* node : level) {
            levels.back().push_back(node->count);
            if (!node->leaf) {
                auto const& children = asInternal(*node).children;
                below.insert(below.end(), children.begin(), children.begin() + node->count);
            }
        }
        level = std::move(below);
    }
    return levels;
}

void PositionTree::checkInvariants() const {
    if (!m_root) {
        expect(m_size == 0, "an empty tree counts values");
        expect(!m_keyed, "an empty tree stays keyed");
        expect(!m_fingers[0].leaf && !m_fingers[1].leaf, "an empty tree keeps a finger");
        return;
    }
    TreeCheck check{
        m_keyed, 0, {{{m_fingers[0].leaf, m_fingers[0].start}, {m_fingers[1].leaf, m_fingers[1].start}}}};
    expect(checkNode(*m_root, nullptr, 1, 0, true, check) == m_size, "the root's values differ from size()");
    expect(m_size >= fewestValues(height()), "the tree is higher than its fill rule allows");
    // Only a finger on a leaf of the tree may be read.
    for (std::size_t i = 0; i < check.fingers.size(); ++i) {
        Finger const& finger = m_fingers[i];
        expect(finger.leaf == nullptr || check.fingers[i].met, "a finger points at a leaf outside the tree");
        expect(finger.leaf == nullptr || (finger.values == finger.leaf->values.data() &&
                                          finger.end - finger.start == finger.leaf->count),
               "a finger covers the wrong values");
    }
}

} // namespace runtime
