#include "runtime/PositionTree.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>

namespace runtime {

namespace treenode {

constexpr std::uint16_t kLeafCapacity = PositionTree::kLeafCapacity;
constexpr std::uint16_t kFanout = PositionTree::kFanout;
using KeyRecord = PositionTree::KeyRecord;
using KeyArray = std::array<KeyRecord*, kLeafCapacity>;

struct Node {
    explicit Node(bool isLeaf) noexcept : leaf(isLeaf) {}
    Internal* parent = nullptr;
    std::uint16_t index = 0; // its slot in the parent
    std::uint16_t count = 0; // slots in use
    bool const leaf;
};

struct Leaf final : Node {
    Leaf() noexcept : Node(true) {}
    std::array<Variant, kLeafCapacity> values;
    std::unique_ptr<KeyArray> keys; // only once a keyed value has been here
};

struct Internal final : Node {
    Internal() noexcept : Node(false) {}
    std::array<Node*, kFanout> children{};
    std::array<std::uint32_t, kFanout> sizes{}; // values below each child
};

// Every node that one insert may need, allocated before the insert changes anything.
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

std::uint16_t capacityOf(Node const& node) noexcept { return node.leaf ? kLeafCapacity : kFanout; }
bool isFull(Node const& node) noexcept { return node.count == capacityOf(node); }

void destroy(Node* node) noexcept {
    if (node->leaf) {
        delete &asLeaf(*node);
        return;
    }
    Internal* internal = &asInternal(*node);
    for (std::uint16_t i = 0; i < internal->count; ++i)
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
void place(Internal& parent, std::uint16_t slot, Node* child) noexcept {
    parent.children[slot] = child;
    child->parent = &parent;
    child->index = slot;
}

// Renumbers the children of parent from slot first on, after they moved.
void renumber(Internal& parent, std::uint16_t first) noexcept {
    for (std::uint16_t slot = first; slot < parent.count; ++slot)
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

void insertValue(Leaf& leaf, std::uint16_t slot, Variant&& value, KeyRecord* key) noexcept {
    std::move_backward(leaf.values.begin() + slot, leaf.values.begin() + leaf.count,
                       leaf.values.begin() + leaf.count + 1);
    leaf.values[slot] = std::move(value);
    if (leaf.keys) {
        auto& keys = *leaf.keys;
        std::copy_backward(keys.begin() + slot, keys.begin() + leaf.count, keys.begin() + leaf.count + 1);
        keys[slot] = key;
    }
    if (key)
        key->leaf = &leaf;
    ++leaf.count;
}

KeyRecord* eraseValue(Leaf& leaf, std::uint16_t slot) noexcept {
    std::move(leaf.values.begin() + slot + 1, leaf.values.begin() + leaf.count, leaf.values.begin() + slot);
    leaf.values[leaf.count - 1] = Variant();
    KeyRecord* key = nullptr;
    if (leaf.keys) {
        auto& keys = *leaf.keys;
        key = keys[slot];
        std::copy(keys.begin() + slot + 1, keys.begin() + leaf.count, keys.begin() + slot);
        keys[leaf.count - 1] = nullptr;
    }
    --leaf.count;
    return key;
}

void insertChild(Internal& parent, std::uint16_t slot, Node* child, std::size_t size) noexcept {
    std::copy_backward(parent.children.begin() + slot, parent.children.begin() + parent.count,
                       parent.children.begin() + parent.count + 1);
    std::copy_backward(parent.sizes.begin() + slot, parent.sizes.begin() + parent.count,
                       parent.sizes.begin() + parent.count + 1);
    parent.sizes[slot] = static_cast<std::uint32_t>(size);
    ++parent.count;
    place(parent, slot, child);
    renumber(parent, static_cast<std::uint16_t>(slot + 1));
}

void eraseChild(Internal& parent, std::uint16_t slot) noexcept {
    std::copy(parent.children.begin() + slot + 1, parent.children.begin() + parent.count,
              parent.children.begin() + slot);
    std::copy(parent.sizes.begin() + slot + 1, parent.sizes.begin() + parent.count,
              parent.sizes.begin() + slot);
    --parent.count;
    parent.children[parent.count] = nullptr;
    parent.sizes[parent.count] = 0;
    renumber(parent, slot);
}

// Moves the slots of from, starting at `first`, behind the slots of to. A receiving leaf without a
// key array takes over the sender's, which is only possible when the sender gives up every slot;
// otherwise the receiver already has one.
void appendSlots(Node& to, Node& from, std::uint16_t first) noexcept {
    auto const moved = static_cast<std::uint16_t>(from.count - first);
    if (to.leaf) {
        Leaf& target = asLeaf(to);
        Leaf& source = asLeaf(from);
        std::move(source.values.begin() + first, source.values.begin() + source.count,
                  target.values.begin() + target.count);
        if (source.keys && !target.keys) {
            auto& keys = *source.keys;
            std::copy_backward(keys.begin(), keys.begin() + moved, keys.begin() + target.count + moved);
            std::fill(keys.begin(), keys.begin() + target.count, nullptr);
            target.keys = std::move(source.keys);
        } else if (source.keys) {
            auto& keys = *source.keys;
            std::copy(keys.begin() + first, keys.begin() + source.count, target.keys->begin() + target.count);
            std::fill(keys.begin() + first, keys.begin() + source.count, nullptr);
        }
        if (target.keys) {
            for (std::uint16_t slot = target.count; slot < target.count + moved; ++slot) {
                if (KeyRecord* key = (*target.keys)[slot])
                    key->leaf = &target;
            }
        }
    } else {
        Internal& target = asInternal(to);
        Internal& source = asInternal(from);
        for (std::uint16_t slot = first; slot < source.count; ++slot) {
            std::uint16_t const at = target.count + (slot - first);
            place(target, at, std::exchange(source.children[slot], nullptr));
            target.sizes[at] = std::exchange(source.sizes[slot], 0);
        }
    }
    to.count = static_cast<std::uint16_t>(to.count + moved);
    from.count = first;
}

// Where a full node that receives a slot at `slot` divides: in the middle, or, when the slot goes
// behind the last node of its depth, after every slot, so that appending fills nodes.
std::uint16_t splitPoint(Node const& node, std::size_t slot) noexcept {
    if (slot == node.count && isLastOfItsDepth(node))
        return node.count;
    return static_cast<std::uint16_t>(node.count / 2);
}

// Splits a full node into itself and right (empty) and tells in which of them, at which slot, the
// new slot goes.
std::pair<Node*, std::uint16_t> splitFor(Node& node, Node& right, std::size_t slot) noexcept {
    std::uint16_t const middle = splitPoint(node, slot);
    appendSlots(right, node, middle);
    if (slot <= middle && middle < capacityOf(node))
        return {&node, static_cast<std::uint16_t>(slot)};
    return {&right, static_cast<std::uint16_t>(slot - middle)};
}

[[noreturn]] void broken(char const* what) {
    std::fprintf(stderr, "PositionTree: broken invariant: %s\n", what);
    std::abort();
}

void expect(bool holds, char const* what) {
    if (!holds)
        broken(what);
}

// A finger as the walk checks it: the leaf and start it names, and whether the walk met that leaf.
struct FingerCheck {
    Leaf const* leaf;
    std::size_t start;
    bool met = false;
};

// Checks node and what lies below it; returns the number of values below it.
std::size_t checkNode(Node const& node, Internal const* parent, std::size_t depth, std::size_t& leafDepth,
                      std::size_t start, std::array<FingerCheck, 2>& fingers) {
    expect(node.parent == parent, "a child does not point back at its parent");
    expect(parent == nullptr || parent->children[node.index] == &node, "a child has the wrong index");
    expect(parent == nullptr || node.count > 0, "a node below the root is empty");
    expect(node.count <= capacityOf(node), "a node holds more slots than it can");
    if (node.leaf) {
        if (leafDepth == 0)
            leafDepth = depth;
        expect(leafDepth == depth, "leaves lie at different depths");
        Leaf const& leaf = static_cast<Leaf const&>(node);
        for (std::uint16_t slot = leaf.count; slot < kLeafCapacity; ++slot)
            expect(leaf.values[slot].isEmpty(), "a free slot still holds a value");
        if (leaf.keys) {
            for (std::uint16_t slot = 0; slot < kLeafCapacity; ++slot) {
                KeyRecord const* key = (*leaf.keys)[slot];
                expect(slot < leaf.count || key == nullptr, "a free slot still holds a key");
                expect(key == nullptr || key->leaf == &leaf, "a key record points at another leaf");
            }
        }
        for (FingerCheck& finger : fingers) {
            if (finger.leaf == &leaf) {
                expect(finger.start == start, "a finger has the wrong start");
                finger.met = true;
            }
        }
        return leaf.count;
    }
    Internal const& internal = asInternal(node);
    std::size_t total = 0;
    for (std::uint16_t slot = 0; slot < internal.count; ++slot) {
        std::size_t const size =
            checkNode(*internal.children[slot], &internal, depth + 1, leafDepth, start + total, fingers);
        expect(size == internal.sizes[slot], "an internal size differs from the values below it");
        total += size;
    }
    for (std::uint16_t slot = internal.count; slot < kFanout; ++slot)
        expect(internal.children[slot] == nullptr, "a free child slot is not empty");
    return total;
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
        std::uint16_t slot = 0;
        while (position - start >= internal.sizes[slot])
            start += internal.sizes[slot++];
        node = internal.children[slot];
    }
    Leaf& leaf = asLeaf(*node);
    Finger& finger = m_fingers[m_nextFinger];
    finger = {&leaf, leaf.values.data(), start, start + leaf.count};
    m_nextFinger ^= 1;
    return finger;
}

void PositionTree::forgetFingers() noexcept { m_fingers = {}; }

void PositionTree::shiftFingers(Leaf const* changed, std::size_t start, std::ptrdiff_t delta) noexcept {
    for (Finger& finger : m_fingers) {
        if (finger.leaf == changed) {
            finger.end += static_cast<std::size_t>(delta);
        } else if (finger.leaf && finger.start > start) {
            finger.start += static_cast<std::size_t>(delta);
            finger.end += static_cast<std::size_t>(delta);
        }
    }
}

void PositionTree::insert(std::size_t position, Variant value, KeyRecord* key) {
    if (!m_root) {
        auto leaf = std::make_unique<Leaf>();
        if (key)
            leaf->keys = std::make_unique<KeyArray>();
        insertValue(*leaf, 0, std::move(value), key);
        m_root = leaf.release();
        m_size = 1;
        return;
    }
    Finger const at = locate(position < m_size ? position : m_size - 1);
    Leaf& leaf = *at.leaf;
    auto const slot = static_cast<std::uint16_t>(position - at.start);
    std::unique_ptr<KeyArray> keys = key && !leaf.keys ? std::make_unique<KeyArray>() : nullptr;

    if (!isFull(leaf)) {
        if (keys)
            leaf.keys = std::move(keys);
        insertValue(leaf, slot, std::move(value), key);
        addToAncestors(leaf, 1);
        ++m_size;
        shiftFingers(&leaf, at.start, 1);
        return;
    }

    Reserve reserve;
    reserve.leaf = std::make_unique<Leaf>();
    if (keys || leaf.keys)
        reserve.leaf->keys = std::make_unique<KeyArray>();
    Node const* splitting = &leaf;
    while (splitting->parent && isFull(*splitting->parent)) {
        reserve.addInternal();
        splitting = splitting->parent;
    }
    if (!splitting->parent)
        reserve.addInternal();
    // Nothing below fails.
    if (keys)
        leaf.keys = std::move(keys);
    insertIntoFull(at, slot, std::move(value), key, reserve);
}

void PositionTree::insertIntoFull(Finger at, std::size_t slot, Variant&& value, KeyRecord* key,
                                  Reserve& reserve) noexcept {
    Leaf* right = reserve.leaf.release();
    auto const [target, targetSlot] = splitFor(*at.leaf, *right, slot);
    insertValue(asLeaf(*target), targetSlot, std::move(value), key);

    Node* left = at.leaf;
    Node* newRight = right;
    while (Internal* parent = left->parent) {
        std::uint16_t const index = left->index;
        parent->sizes[index] = static_cast<std::uint32_t>(sizeOf(*left));
        if (!isFull(*parent)) {
            insertChild(*parent, static_cast<std::uint16_t>(index + 1), newRight, sizeOf(*newRight));
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

PositionTree::KeyRecord* PositionTree::erase(std::size_t position) noexcept {
    Finger const at = locate(position);
    Leaf& leaf = *at.leaf;
    KeyRecord* key = eraseValue(leaf, static_cast<std::uint16_t>(position - at.start));
    addToAncestors(leaf, -1);
    --m_size;
    if (m_size == 0 || (leaf.parent && leaf.count < kLeafCapacity / 2 && mergeUnderfull(&leaf))) {
        // Nodes were merged or freed, and a finger may point at one of them.
        forgetFingers();
        shrinkRoot();
    } else {
        shiftFingers(&leaf, at.start, -1);
    }
    return key;
}

bool PositionTree::mergeUnderfull(Node* node) noexcept {
    bool merged = false;
    while (Internal* parent = node->parent) {
        std::uint16_t const index = node->index;
        std::uint16_t const capacity = capacityOf(*node);
        if (node->count == 0) {
            eraseChild(*parent, index);
            destroy(node);
        } else if (node->count >= capacity / 2) {
            return merged;
        } else if (index > 0 && parent->children[index - 1]->count + node->count <= capacity) {
            appendSlots(*parent->children[index - 1], *node, 0);
            parent->sizes[index - 1] += parent->sizes[index];
            eraseChild(*parent, index);
            destroy(node);
        } else if (index + 1 < parent->count &&
                   node->count + parent->children[index + 1]->count <= capacity) {
            Node* right = parent->children[index + 1];
            appendSlots(*node, *right, 0);
            parent->sizes[index] += parent->sizes[index + 1];
            eraseChild(*parent, static_cast<std::uint16_t>(index + 1));
            destroy(right);
        } else {
            return merged;
        }
        merged = true;
        node = parent;
    }
    return merged;
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
    }
}

std::size_t PositionTree::positionOf(KeyRecord const& record) const noexcept {
    Leaf const& leaf = *record.leaf;
    auto const& keys = *leaf.keys;
    auto const slot = static_cast<std::size_t>(std::find(keys.begin(), keys.end(), &record) - keys.begin());
    return startOf(leaf) + slot;
}

void PositionTree::checkInvariants() const {
    if (!m_root) {
        expect(m_size == 0, "an empty tree counts values");
        expect(!m_fingers[0].leaf && !m_fingers[1].leaf, "an empty tree keeps a finger");
        return;
    }
    std::array<FingerCheck, 2> fingers{
        {{m_fingers[0].leaf, m_fingers[0].start}, {m_fingers[1].leaf, m_fingers[1].start}}};
    std::size_t leafDepth = 0;
    expect(checkNode(*m_root, nullptr, 1, leafDepth, 0, fingers) == m_size,
           "the root's values differ from size()");
    // Only a finger on a leaf of the tree may be read.
    for (std::size_t i = 0; i < fingers.size(); ++i) {
        Finger const& finger = m_fingers[i];
        expect(finger.leaf == nullptr || fingers[i].met, "a finger points at a leaf outside the tree");
        expect(finger.leaf == nullptr || (finger.values == finger.leaf->values.data() &&
                                          finger.end - finger.start == finger.leaf->count),
               "a finger covers the wrong values");
    }
}

} // namespace runtime
