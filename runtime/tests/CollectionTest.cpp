#include "runtime/Collection.h"

#include "TestObjects.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace runtime {
namespace {

using testing::collectionOf;
using testing::OnRelease;
using testing::Plain;
using testing::Probe;
using testing::raises;
using testing::textsOf;
using Texts = std::vector<std::string>;
using testing::i16;

TEST(CollectionTest, AddBeforeShiftsLaterElementsAndRemoveMovesThemDown) {
    auto col = collectionOf({i16(1), i16(2), i16(3)});
    col->Add(i16(9), Missing{}, i16(2));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "9", "2", "3"}));
    col->Remove(i16(3));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "9", "3"}));
    col->Add(i16(7), Missing{}, Missing{}, Variant(std::int32_t{3}));
    col->Add(i16(0), Missing{}, std::int32_t{1});
    EXPECT_EQ(textsOf(*col), (Texts{"0", "1", "9", "3", "7"}));
    EXPECT_EQ(col->Count(), 5);
}

TEST(CollectionTest, ItemAcceptsBothIntegerWidthsAndReturnsACopy) {
    auto col = collectionOf({Variant(u"a"), Variant(u"b")});
    EXPECT_EQ(col->Item(i16(2)), Variant(u"b"));
    EXPECT_EQ(col->Item(std::int32_t{1}), Variant(u"a"));
    Variant copy = col->Item(i16(1));
    copy = i16(5);
    EXPECT_EQ(col->Item(i16(1)), Variant(u"a"));
}

TEST(CollectionTest, PositionsOutsideOneToCountRaiseSubscriptOutOfRange) {
    auto col = collectionOf({i16(1), i16(2)});
    for (std::int32_t bad : {0, -1, 3, 32768, std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Item(bad); })) << bad;
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Remove(bad); })) << bad;
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Add(i16(0), Missing{}, bad); })) << bad;
        EXPECT_TRUE(
            raises(ErrorKind::SubscriptOutOfRange, [&] { col->Add(i16(0), Missing{}, Missing{}, bad); }));
    }
    EXPECT_EQ(textsOf(*col), (Texts{"1", "2"}));
    auto empty = make<Collection>();
    EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { empty->Item(i16(1)); }));
}

TEST(CollectionTest, KeysNameElementsAndMustBeUnique) {
    auto col = make<Collection>();
    col->Add(i16(1), Variant(u"one"));
    col->Add(i16(2), Variant(u"two"));
    col->Add(i16(3));
    col->Add(i16(0), Variant(u"zero"), Variant(u"one"));
    EXPECT_EQ(col->Item(Variant(u"two")), i16(2));
    EXPECT_EQ(textsOf(*col), (Texts{"0", "1", "2", "3"}));

    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Add(i16(9), Variant(u"one")); }));
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Item(Variant(u"One")); }));
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Remove(Variant(u"three")); }));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { col->Add(i16(9), i16(1)); }));
    EXPECT_EQ(col->Count(), 4);
    // The message names the key in UTF-8: a surrogate pair as one character, a lone one as U+FFFD.
    try {
        col->Item(Variant(u"\U0001F600\xD800"));
        ADD_FAILURE() << "an unknown key was found";
    } catch (RuntimeError const& error) {
        EXPECT_EQ(error.detail(), "index key '\xF0\x9F\x98\x80\xEF\xBF\xBD' is not in the collection");
    }

    col->Remove(Variant(u"one"));
    col->Add(i16(1), Variant(u"one")); // a removed key can be used again
    EXPECT_EQ(textsOf(*col), (Texts{"0", "2", "3", "1"}));
}

TEST(CollectionTest, IndexesThatAreNeitherPositionNorKeyAreATypeMismatch) {
    auto col = collectionOf({i16(1)});
    for (Variant const& bad : {Variant(), Variant(Boolean::True), Variant(Missing{})})
        EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { col->Item(bad); })) << bad;
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Add(i16(2), Missing{}, i16(1), i16(1)); }));
    EXPECT_EQ(col->Count(), 1);
}

// Enumeration by element identity, against a model that keeps every element ever added, the
// removed ones as tombstones, in collection order. An element added at position p goes just before
// the live element now at p, or last. A model iterator names the entry it stands on, or, waiting at
// the end, the last one it stood on; a waiting iterator stands on the first element added after that,
// a step leaves it waiting, and reading it raises subscript out of range.
class EnumerationModel {
public:
    static constexpr std::int32_t kNone = -1;
    struct Iterator {
        std::int32_t standing = kNone;
        std::int32_t passed = kNone; // kNone: the start
    };

    void add(std::size_t position, std::int32_t id) {
        auto const at = std::find_if(m_entries.begin(), m_entries.end(),
                                     [&](Entry const& entry) { return entry.live && position-- == 0; });
        m_entries.insert(at, Entry{id, true});
    }
    void remove(std::size_t position) {
        for (Entry& entry : m_entries) {
            if (entry.live && position-- == 0) {
                entry.live = false;
                return;
            }
        }
    }
    std::vector<std::int32_t> live() const {
        std::vector<std::int32_t> ids;
        for (Entry const& entry : m_entries)
            if (entry.live)
                ids.push_back(entry.id);
        return ids;
    }

    Iterator begin() const { return {firstLiveAfter(kNone), kNone}; }
    // The entry it yields, or kNone at the end.
    std::int32_t current(Iterator const& it) const { return it.standing; }
    void step(Iterator& it) const {
        if (it.standing == kNone)
            return;
        it.passed = it.standing;
        it.standing = firstLiveAfter(it.passed);
    }
    void settle(Iterator& it) const {
        if (it.standing == kNone)
            it.standing = firstLiveAfter(it.passed);
    }

private:
    struct Entry {
        std::int32_t id;
        bool live;
    };
    std::int32_t firstLiveAfter(std::int32_t id) const {
        auto entry = m_entries.begin();
        if (id != kNone)
            entry = std::next(
                std::find_if(m_entries.begin(), m_entries.end(), [&](Entry const& e) { return e.id == id; }));
        entry = std::find_if(entry, m_entries.end(), [](Entry const& e) { return e.live; });
        return entry == m_entries.end() ? kNone : entry->id;
    }

    std::vector<Entry> m_entries;
};

TEST(CollectionTest, EnumerationFollowsElementsWhateverTheOrderOfStepsReadsAndChanges) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::uint32_t state = seed;
        auto next = [&](std::uint32_t bound) {
            state = state * 1103515245 + 12345;
            return (state >> 8) % bound;
        };
        auto col = make<Collection>();
        EnumerationModel model;
        std::int32_t nextId = 0;
        // A few elements or none: an iterator on an empty collection must see what is added later.
        for (std::uint32_t n = next(4); n > 0; --n) {
            col->Add(Variant(nextId));
            model.add(model.live().size(), nextId++);
        }
        std::vector<Collection::Iterator> real;
        std::vector<EnumerationModel::Iterator> modelled;
        for (int step = 0; step < 400; ++step) {
            auto const size = static_cast<std::uint32_t>(col->Count());
            std::size_t const which = real.empty() ? 0 : next(static_cast<std::uint32_t>(real.size()));
            switch (next(9)) {
            case 0: // a new iterator, a copy, or an assignment
                if (real.empty() || next(3) == 0) {
                    real.push_back(col->begin());
                    modelled.push_back(model.begin());
                } else if (next(2) == 0) {
                    real.push_back(Collection::Iterator(real[which]));
                    modelled.push_back(modelled[which]);
                } else {
                    std::size_t const target = next(static_cast<std::uint32_t>(real.size()));
                    real[target] = real[which];
                    modelled[target] = modelled[which];
                }
                break;
            case 1: // an iterator goes away
                if (!real.empty()) {
                    real.erase(real.begin() + static_cast<std::ptrdiff_t>(which));
                    modelled.erase(modelled.begin() + static_cast<std::ptrdiff_t>(which));
                }
                break;
            case 2:
            case 3: { // an element added anywhere, at the end included
                std::uint32_t const position = next(size + 1);
                if (position == size)
                    col->Add(Variant(nextId));
                else if (position == 0 || next(2) == 0)
                    col->Add(Variant(nextId), Missing{}, Variant(static_cast<std::int32_t>(position + 1)));
                else
                    col->Add(Variant(nextId), Missing{}, Missing{},
                             Variant(static_cast<std::int32_t>(position)));
                model.add(position, nextId++);
                for (EnumerationModel::Iterator& it : modelled)
                    model.settle(it);
                break;
            }
            case 4: // an element removed
                if (size > 0) {
                    std::uint32_t const position = next(size);
                    col->Remove(Variant(static_cast<std::int32_t>(position + 1)));
                    model.remove(position);
                }
                break;
            case 5: // calls that fail change nothing
                EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange,
                                   [&] { col->Remove(Variant(static_cast<std::int32_t>(size + 1))); }));
                EXPECT_TRUE(
                    raises(ErrorKind::InvalidArgument, [&] { col->Add(i16(0), Missing{}, i16(1), i16(1)); }));
                break;
            default: // any number of reads, then perhaps a step, at the end too
                if (!real.empty()) {
                    std::int32_t const expected = model.current(modelled[which]);
                    for (std::uint32_t reads = next(3); reads > 0; --reads) {
                        if (expected == EnumerationModel::kNone)
                            ASSERT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { (void)*real[which]; }));
                        else
                            ASSERT_EQ(*real[which], Variant(expected));
                    }
                    if (next(4) != 0) {
                        ++real[which];
                        model.step(modelled[which]);
                    }
                }
                break;
            }
            ASSERT_EQ(real.size(), modelled.size());
            for (std::size_t i = 0; i < real.size(); ++i) {
                std::int32_t const expected = model.current(modelled[i]);
                ASSERT_EQ(real[i] == col->end(), expected == EnumerationModel::kNone) << "iterator " << i;
                if (expected != EnumerationModel::kNone) {
                    ASSERT_EQ(*real[i], Variant(expected)) << "iterator " << i << ", step " << step;
                }
            }
            std::vector<std::int32_t> contents;
            for (Variant const& element : *col)
                contents.push_back(element.toInt32());
            ASSERT_EQ(contents, model.live());
        }
    }
}

// Whatever a destructor does to the collection that held its object, it does to a whole collection:
// releases happen only once an operation has finished.
TEST(CollectionTest, AValueIsReleasedOnlyOnceItsHolderIsWhole) {
    auto const live = Object::liveCount();
    auto col = make<Collection>();
    for (std::int32_t i = 1; i <= 64; ++i)
        col->Add(Variant(i));
    Texts seen;
    // Removed: its destructor reads the collection and adds to it, in a tree of two leaves.
    col->Add(Variant(make<OnRelease>([&] {
                 seen = textsOf(*col);
                 col->Add(i16(100), Missing{}, i16(3));
             })),
             Missing{}, i16(2));
    col->Remove(i16(2));
    col->checkInvariants();
    Texts expected;
    for (std::int32_t i = 1; i <= 64; ++i)
        expected.push_back(decimal(i));
    EXPECT_EQ(seen, expected);
    expected.insert(expected.begin() + 2, "100");
    EXPECT_EQ(textsOf(*col), expected);

    // Stood on by an iterator: the removed element stays its value until it steps on, and the
    // element its release adds at the end is still ahead of it.
    auto it = col->begin();
    col->Add(Variant(make<OnRelease>([&] { col->Add(i16(200)); })), Missing{}, i16(1));
    it = col->begin();
    col->Remove(i16(1));
    EXPECT_EQ(Object::liveCount(), live + 2);
    EXPECT_TRUE((*it).isObject());
    ++it;
    EXPECT_EQ(Object::liveCount(), live + 1);
    EXPECT_EQ(*it, Variant(std::int32_t{1}));
    Texts yielded;
    for (; it != col->end(); ++it)
        yielded.push_back(toUtf8((*it).toText()));
    EXPECT_EQ(yielded.back(), "200");
    EXPECT_EQ(yielded.size(), 66u);

    // Assigned over: the destructor already sees the new value, and a move leaves its source Empty.
    Variant slot;
    Variant sawInSlot;
    slot = Variant(make<OnRelease>([&] { sawInSlot = slot; }));
    slot = i16(5);
    EXPECT_EQ(sawInSlot, i16(5));
    slot = Variant(make<OnRelease>([&] { sawInSlot = slot; }));
    Variant source = i16(7);
    slot = std::move(source);
    EXPECT_EQ(sawInSlot, i16(7));
    EXPECT_TRUE(source.isEmpty());

    // Destroyed: the elements are released from an empty collection, which their destructors may
    // read, enumerate and add to; what they add is released too.
    Collection* const raw = col.get();
    std::vector<std::int32_t> countsSeen;
    col->Add(Variant(make<OnRelease>([&] {
        countsSeen.push_back(raw->Count());
        for (Variant const& element : *raw)
            (void)element;
        raw->Add(Variant(make<Plain>()));
    })));
    it = {};
    col = nullptr;
    EXPECT_EQ(countsSeen, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(Object::liveCount(), live);
}

TEST(CollectionTest, AnIteratorKeepsItsCollectionAlive) {
    auto const before = Object::liveCount();
    auto col = collectionOf({i16(1), i16(2)});
    auto it = col->begin();
    col = nullptr;
    EXPECT_EQ(Object::liveCount(), before + 1);
    ++it;
    EXPECT_EQ(*it, i16(2));
    it = {};
    EXPECT_EQ(Object::liveCount(), before);
}

// Thousands of elements cross many leaves and internal nodes: every operation is checked against a
// plain vector, and the structure's invariants after each step.
TEST(CollectionTest, LargeCollectionsAgreeWithAPlainSequenceThroughSplitsAndMerges) {
    auto const col = make<Collection>();
    std::vector<std::int32_t> model;
    std::uint32_t state = 12345;
    auto next = [&](std::uint32_t bound) {
        state = state * 1103515245 + 12345;
        return (state >> 8) % bound;
    };
    for (int step = 0; step < 20000; ++step) {
        auto const value = static_cast<std::int32_t>(step);
        bool const growing = step < 12000 ? next(4) != 0 : next(4) == 0;
        if (growing || model.empty()) {
            auto const position =
                static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size()) + 1));
            if (position == static_cast<std::int32_t>(model.size()))
                col->Add(Variant(value));
            else
                col->Add(Variant(value), Missing{}, Variant(position + 1));
            model.insert(model.begin() + position, value);
        } else {
            auto const position = static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size())));
            col->Remove(Variant(position + 1));
            model.erase(model.begin() + position);
        }
        if (step % 500 == 0)
            col->checkInvariants();
        ASSERT_EQ(col->Count(), static_cast<std::int32_t>(model.size()));
        if (!model.empty()) {
            auto const probe = static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size())));
            ASSERT_EQ(col->Item(Variant(probe + 1)), Variant(model[static_cast<std::size_t>(probe)])) << step;
        }
    }
    col->checkInvariants();
    std::size_t position = 0;
    for (Variant const& element : *col)
        ASSERT_EQ(element, Variant(model[position++]));
}

TEST(CollectionTest, KeysFollowTheirElementsAcrossNodes) {
    auto const col = make<Collection>();
    for (std::int32_t i = 0; i < 5000; ++i)
        col->Add(Variant(i), i % 3 == 0 ? Variant(u"k" + decimalText(i)) : Variant(Missing{}));
    // Inserting at the front and removing from the middle moves every keyed element at least once.
    // Element i then stands at 2001 + i, and removing position 3000 1,500 times removes 999..2498.
    for (std::int32_t i = 0; i < 2000; ++i)
        col->Add(Variant(-1 - i), Missing{}, i16(1));
    for (std::int32_t i = 0; i < 1500; ++i)
        col->Remove(Variant(std::int32_t{3000}));
    col->checkInvariants();
    EXPECT_EQ(col->Item(Variant(std::int32_t{2001})), Variant(std::int32_t{0}));
    EXPECT_EQ(col->Item(Variant(std::int32_t{2999})), Variant(std::int32_t{998}));
    EXPECT_EQ(col->Item(Variant(std::int32_t{3000})), Variant(std::int32_t{2499}));
    std::int32_t keyedLeft = 0;
    for (std::int32_t i = 0; i < 5000; i += 3) {
        Variant const key(u"k" + decimalText(i));
        if (i >= 999 && i <= 2498) {
            EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Item(key); })) << i;
            continue;
        }
        ASSERT_EQ(col->Item(key), Variant(i));
        col->Remove(key);
        ++keyedLeft;
    }
    col->checkInvariants();
    EXPECT_EQ(col->Count(), 7000 - 1500 - keyedLeft);
}

TEST(CollectionTest, HeldObjectsLiveAsLongAsTheCollectionHoldsThem) {
    auto const before = Object::liveCount();
    {
        auto col = make<Collection>();
        col->Add(Variant(make<Probe>()));
        col->Add(Variant(make<Probe>()));
        EXPECT_EQ(Object::liveCount(), before + 3);
        col->Remove(i16(1));
        EXPECT_EQ(Object::liveCount(), before + 2);
        Variant const kept = col->Item(i16(1));
        col->Remove(i16(1));
        EXPECT_EQ(Object::liveCount(), before + 2);
    }
    EXPECT_EQ(Object::liveCount(), before);
}

} // namespace
} // namespace runtime
