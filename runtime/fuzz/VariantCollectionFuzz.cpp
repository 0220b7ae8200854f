// Differential fuzz target: decodes its input into Variant and Collection operations and checks each
// against a plain model written here: the same value of the same kind, or an error of the same kind.
#include "runtime/Collection.h"
#include "runtime/Members.h"
#include "runtime/Text.h"
#include "runtime/fuzz/FuzzInput.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace runtime;
using fuzzing::FuzzInput;

// An object whose default member reads a fixed value.
class Fixed final : public Object {
public:
    explicit Fixed(Variant value) : m_value(std::move(value)) {}
    Variant Value() { return m_value; }

protected:
    std::span<MemberEntry const> members() const override {
        static constexpr MemberEntry table[] = {defaultMember<&Fixed::Value>(u"Value")};
        return table;
    }

private:
    Variant m_value;
};

class Plain final : public Object {};

// The model of a value: what it is, independent of how Variant stores it.
struct Model {
    enum class Tag { Empty, Int16, Int32, Boolean, String, Missing, WithDefault, WithoutDefault };
    Model(Tag kind, std::int64_t value = 0, std::u16string characters = {})
        : tag(kind), number(value), text(std::move(characters)) {}

    Tag tag;
    std::int64_t number = 0;
    std::u16string text;
    std::shared_ptr<Model> defaultValue;
};

struct Sample {
    Variant value;
    Model model;
};

struct ModelError {
    ErrorKind kind;
};

constexpr std::int64_t kEdges[] = {0,     1,     -1,     2,          -2,          10,
                                   181,   182,   255,    256,        1000,        7777,
                                   10000, 32767, -32768, 32766,      -32767,      46340,
                                   46341, 65535, 65536,  2147483647, -2147483647, -2147483647 - 1};
constexpr char16_t kAlphabet[] = u"0123456789-+ \tax";
std::u16string const kKeys[] = {u"a", u"b", u"", u"key"};

bool fits16(std::int64_t value) { return value >= -32768 && value <= 32767; }
bool fits32(std::int64_t value) { return value >= -2147483648LL && value <= 2147483647LL; }

std::int64_t edgeOrRaw(FuzzInput& in, int rawBytes) {
    if (in.pick(2) == 0)
        return kEdges[in.pick(std::size(kEdges))];
    return in.bits(rawBytes);
}

Sample scalarSample(FuzzInput& in) {
    switch (in.pick(6)) {
    case 0:
        return {Variant(), {Model::Tag::Empty}};
    case 1: {
        std::int64_t const value = edgeOrRaw(in, 2);
        auto const narrow = static_cast<std::int16_t>(value); // wraps raw bits into the 16-bit range
        return {Variant(narrow), {Model::Tag::Int16, narrow}};
    }
    case 2: {
        auto const wide = static_cast<std::int32_t>(edgeOrRaw(in, 4));
        return {Variant(wide), {Model::Tag::Int32, wide}};
    }
    case 3: {
        bool const truth = in.pick(2) == 1;
        return {Variant::fromBool(truth), {Model::Tag::Boolean, truth ? -1 : 0}};
    }
    case 4: {
        std::u16string text;
        for (unsigned length = in.pick(7); length > 0; --length)
            text += kAlphabet[in.pick(std::size(kAlphabet) - 1)];
        return {Variant(text), {Model::Tag::String, 0, text}};
    }
    default:
        return {Variant(Missing{}), {Model::Tag::Missing}};
    }
}

Sample sample(FuzzInput& in) {
    switch (in.pick(8)) {
    case 0: {
        Sample inner = scalarSample(in);
        Model model{Model::Tag::WithDefault};
        model.defaultValue = std::make_shared<Model>(inner.model);
        return {Variant(make<Fixed>(inner.value)), model};
    }
    case 1:
        return {Variant(make<Plain>()), {Model::Tag::WithoutDefault}};
    default:
        return scalarSample(in);
    }
}

// The model's rules.
Model resolved(Model const& model) {
    if (model.tag == Model::Tag::WithDefault)
        return *model.defaultValue;
    if (model.tag == Model::Tag::WithoutDefault)
        throw ModelError{ErrorKind::FailedCall};
    return model;
}

struct Number {
    std::int64_t value;
    bool wide;
};

// nullopt for text; Missing is a type mismatch.
std::optional<Number> numeric(Model const& model) {
    switch (model.tag) {
    case Model::Tag::Empty:
        return Number{0, false};
    case Model::Tag::Int16:
    case Model::Tag::Boolean:
        return Number{model.number, false};
    case Model::Tag::Int32:
        return Number{model.number, true};
    case Model::Tag::String:
        return std::nullopt;
    default:
        throw ModelError{ErrorKind::TypeMismatch};
    }
}

Number arithmeticOperand(Model const& model) {
    auto const number = numeric(resolved(model));
    if (!number)
        throw ModelError{ErrorKind::TypeMismatch};
    return *number;
}

Variant arithmetic(Model const& left, Model const& right, bool multiply) {
    Number const a = arithmeticOperand(left);
    Number const b = arithmeticOperand(right);
    std::int64_t const result = multiply ? a.value * b.value : a.value - b.value;
    if (!a.wide && !b.wide && fits16(result))
        return Variant(static_cast<std::int16_t>(result));
    if (fits32(result))
        return Variant(static_cast<std::int32_t>(result));
    throw ModelError{ErrorKind::Overflow};
}

Variant less(Model const& left, Model const& right) {
    Model const a = resolved(left);
    Model const b = resolved(right);
    auto const x = numeric(a);
    auto const y = numeric(b);
    bool answer = false;
    if (x && y)
        answer = x->value < y->value;
    else if (!x && !y)
        answer = a.text < b.text;
    else if (a.tag == Model::Tag::Empty)
        answer = !b.text.empty();
    else if (b.tag == Model::Tag::Empty)
        answer = false;
    else
        answer = x.has_value();
    return Variant::fromBool(answer);
}

Variant toInt32(Model const& model) {
    Model const value = resolved(model);
    if (value.tag != Model::Tag::String)
        return Variant(static_cast<std::int32_t>(numeric(value)->value));
    std::string ascii(value.text.begin(), value.text.end());
    auto const first = ascii.find_first_not_of(" \t");
    auto const last = ascii.find_last_not_of(" \t");
    std::string const trimmed = first == std::string::npos ? "" : ascii.substr(first, last - first + 1);
    std::size_t digits = trimmed.size();
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+'))
        --digits;
    if (digits == 0 || trimmed.find_first_not_of("0123456789", trimmed.size() - digits) != std::string::npos)
        throw ModelError{ErrorKind::TypeMismatch};
    std::int64_t const number = std::stoll(trimmed); // at most six characters: no overflow here
    if (!fits32(number))
        throw ModelError{ErrorKind::Overflow};
    return Variant(static_cast<std::int32_t>(number));
}

Variant toText(Model const& model) {
    Model const value = resolved(model);
    switch (value.tag) {
    case Model::Tag::Empty:
        return Variant(u"");
    case Model::Tag::String:
        return Variant(value.text);
    case Model::Tag::Boolean:
        return Variant(value.number ? u"True" : u"False");
    case Model::Tag::Int16:
    case Model::Tag::Int32: {
        std::string const digits = std::to_string(value.number);
        return Variant(std::u16string(digits.begin(), digits.end()));
    }
    default:
        throw ModelError{ErrorKind::TypeMismatch};
    }
}

// Runs the real operation and the model's, and checks that they agree.
template <class Real, class Expected>
void agree(Real&& real, Expected&& expected) {
    std::optional<ErrorKind> expectedError;
    Variant expectedValue;
    try {
        expectedValue = expected();
    } catch (ModelError const& error) {
        expectedError = error.kind;
    }
    try {
        Variant const value = real();
        FUZZ_CHECK(!expectedError);
        FUZZ_CHECK(value == expectedValue);
    } catch (RuntimeError const& error) {
        FUZZ_CHECK(expectedError && error.kind() == *expectedError);
    }
}

void variantOperation(FuzzInput& in) {
    Sample const left = sample(in);
    Sample const right = sample(in);
    switch (in.pick(5)) {
    case 0:
        return agree([&] { return left.value * right.value; },
                     [&] { return arithmetic(left.model, right.model, true); });
    case 1:
        return agree([&] { return left.value - right.value; },
                     [&] { return arithmetic(left.model, right.model, false); });
    case 2:
        return agree([&] { return lessThan(left.value, right.value); },
                     [&] { return less(left.model, right.model); });
    case 3:
        return agree([&] { return Variant(left.value.toInt32()); }, [&] { return toInt32(left.model); });
    default:
        return agree([&] { return Variant(left.value.toText()); }, [&] { return toText(left.model); });
    }
}

// An object whose release acts on the collection that held it: it checks that the collection is
// whole, and appends its marker, a number no other element has. It acts only once armed, which the
// target does when a collection has taken it.
class Echo final : public Object {
public:
    explicit Echo(std::int32_t marker) : m_marker(marker) {}
    ~Echo() override {
        if (!m_holder)
            return;
        m_holder->checkInvariants();
        std::int32_t enumerated = 0;
        for (auto it = m_holder->begin(); it != m_holder->end(); ++it)
            ++enumerated;
        FUZZ_CHECK(enumerated == m_holder->Count());
        m_holder->Add(Variant(m_marker));
    }
    void arm(Collection& holder) { m_holder = &holder; }
    std::int32_t marker() const { return m_marker; }

private:
    std::int32_t m_marker;
    Collection* m_holder = nullptr;
};

// The collection model: a plain vector of values with optional keys. An Echo is kept by identity
// (and its marker) only, so that the real collection holds its only reference.
struct Entry {
    Variant value;
    std::optional<std::u16string> key;
    Echo* echo = nullptr;
    std::int32_t marker = 0;
};

// The value an entry stands for.
Variant valueOf(Entry const& entry) { return entry.echo ? Variant(Ref<Object>(*entry.echo)) : entry.value; }

// What the real collection does when it lets go of an entry: an Echo appends its marker.
void released(Entry const& entry, std::vector<Entry>& model) {
    if (entry.echo)
        model.push_back(Entry{Variant(entry.marker), std::nullopt});
}

Variant indexSample(FuzzInput& in, std::size_t count) {
    auto const position = static_cast<std::int64_t>(in.pick(static_cast<unsigned>(count) + 3)) - 1;
    switch (in.pick(5)) {
    case 0:
        return Variant(static_cast<std::int16_t>(position));
    case 1:
        return Variant(static_cast<std::int32_t>(position));
    case 2:
        return Variant(kKeys[in.pick(std::size(kKeys))]);
    case 3:
        return Variant(static_cast<std::int32_t>(edgeOrRaw(in, 4)));
    default:
        return scalarSample(in).value;
    }
}

std::size_t modelPosition(std::vector<Entry> const& entries, Variant const& index) {
    if (index.kind() == Kind::Int16 || index.kind() == Kind::Int32) {
        std::int64_t const position = index.kind() == Kind::Int16 ? index.asInt16() : index.asInt32();
        if (position < 1 || position > static_cast<std::int64_t>(entries.size()))
            throw ModelError{ErrorKind::SubscriptOutOfRange};
        return static_cast<std::size_t>(position - 1);
    }
    if (index.kind() == Kind::String) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].key == index.asString())
                return i;
        throw ModelError{ErrorKind::InvalidArgument};
    }
    throw ModelError{ErrorKind::TypeMismatch};
}

void modelAdd(std::vector<Entry>& entries, Variant const& item, Variant const& key, Variant const& before,
              Variant const& after) {
    if (!before.isMissing() && !after.isMissing())
        throw ModelError{ErrorKind::InvalidArgument};
    std::optional<std::u16string> entryKey;
    if (!key.isMissing()) {
        if (key.kind() != Kind::String)
            throw ModelError{ErrorKind::TypeMismatch};
        for (Entry const& entry : entries)
            if (entry.key == key.asString())
                throw ModelError{ErrorKind::InvalidArgument};
        entryKey = key.asString();
    }
    std::size_t position = entries.size();
    if (!before.isMissing())
        position = modelPosition(entries, before);
    else if (!after.isMissing())
        position = modelPosition(entries, after) + 1;
    Entry entry{item, entryKey};
    if (item.isObject()) {
        if (auto* echo = dynamic_cast<Echo*>(item.asObject().get()))
            entry = Entry{Variant(), entryKey, echo, echo->marker()};
    }
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
}

Variant optionalArgument(FuzzInput& in, std::size_t count) {
    return in.pick(3) == 0 ? indexSample(in, count) : Variant(Missing{});
}

// Runs long enough to split and merge leaves and internal nodes. The model takes each run in one
// linear step, so that replaying the corpus stays fast in a debug build.
constexpr std::size_t kMostElements = 6000;

Variant keyArgument(std::optional<std::u16string> const& key) {
    return key ? Variant(*key) : Variant(Missing{});
}

// Up to 2,048 additions, some keyed (keys are unique within one input): appended, inserted as a
// block at one place, or (a short run) spread out.
void addRun(FuzzInput& in, Collection& real, std::vector<Entry>& model, std::int32_t& serial) {
    unsigned const mode = model.empty() ? 0 : in.pick(3);
    unsigned count = mode == 2 ? 1 + in.pick(64) : 1 + in.pick(256) * (1 + in.pick(8));
    count = static_cast<unsigned>(
        std::min<std::size_t>(count, kMostElements - std::min(kMostElements, model.size())));
    unsigned const keyEvery = 1 + in.pick(16);
    std::size_t const at = model.empty() ? 0 : in.pick(static_cast<unsigned>(model.size()) + 1);
    std::vector<Entry> block;
    for (unsigned i = 0; i < count; ++i) {
        Entry entry{Variant(serial), std::nullopt};
        if (i % keyEvery == 0)
            entry.key = u"run" + decimalText(serial);
        ++serial;
        if (mode == 0) {
            real.Add(entry.value, keyArgument(entry.key));
            model.push_back(std::move(entry));
        } else if (mode == 1) {
            auto const position = static_cast<std::int32_t>(at + i);
            if (position == 0)
                real.Add(entry.value, keyArgument(entry.key), Variant(std::int32_t{1}));
            else
                real.Add(entry.value, keyArgument(entry.key), Missing{}, Variant(position));
            block.push_back(std::move(entry));
        } else {
            std::size_t const position = (at + i * 7) % (model.size() + 1);
            if (position == model.size())
                real.Add(entry.value, keyArgument(entry.key));
            else
                real.Add(entry.value, keyArgument(entry.key),
                         Variant(static_cast<std::int32_t>(position + 1)));
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
        }
    }
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(std::min(at, model.size())),
                 std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
}

// Removals from one place on: a block, every other element, or the keyed elements of a block by key.
void removeRun(FuzzInput& in, Collection& real, std::vector<Entry>& model) {
    if (model.empty())
        return;
    unsigned const mode = in.pick(3);
    std::size_t const at = in.pick(static_cast<unsigned>(model.size()));
    std::size_t const count = std::min<std::size_t>(1 + in.pick(256) * (1 + in.pick(8)), model.size() - at);
    std::vector<Entry> kept(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(at));
    std::vector<Entry> markers;
    for (std::size_t i = 0; i < count; ++i) {
        Entry& entry = model[at + i];
        bool const removed = mode == 0 || (mode == 1 && i % 2 == 0) || (mode == 2 && entry.key);
        if (!removed) {
            kept.push_back(std::move(entry));
            continue;
        }
        if (mode == 2)
            real.Remove(Variant(*entry.key));
        else
            real.Remove(Variant(static_cast<std::int32_t>(kept.size() + 1)));
        released(entry, markers);
    }
    kept.insert(kept.end(), std::make_move_iterator(model.begin() + static_cast<std::ptrdiff_t>(at + count)),
                std::make_move_iterator(model.end()));
    kept.insert(kept.end(), std::make_move_iterator(markers.begin()), std::make_move_iterator(markers.end()));
    model = std::move(kept);
}

// Enumerates while removing some current elements: every element present at the start is yielded
// once, in order, and so is every marker that a released Echo appends meanwhile.
void enumerateWhileRemoving(FuzzInput& in, Collection& real, std::vector<Entry>& model) {
    std::vector<Entry> kept;
    std::size_t seen = 0;
    for (auto it = real.begin(); it != real.end(); ++it) {
        FUZZ_CHECK(seen < model.size() && *it == valueOf(model[seen]));
        if (in.pick(2) == 0) {
            real.Remove(Variant(static_cast<std::int32_t>(kept.size() + 1)));
            FUZZ_CHECK(*it == valueOf(model[seen]));
            Entry const removed = model[seen];
            released(removed, model);
        } else {
            kept.push_back(model[seen]);
        }
        ++seen;
    }
    FUZZ_CHECK(seen == model.size());
    model = std::move(kept);
}

void collectionOperation(FuzzInput& in, Collection& real, std::vector<Entry>& model, std::int32_t& serial) {
    switch (in.pick(6)) {
    case 3:
        addRun(in, real, model, serial);
        break;
    case 4:
        removeRun(in, real, model);
        break;
    case 5:
        enumerateWhileRemoving(in, real, model);
        break;
    case 0: {
        Echo* echo = nullptr;
        Variant const item = in.pick(6) == 0 ? Variant(make<Echo>(-1000000 - serial++)) : sample(in).value;
        if (item.isObject())
            echo = dynamic_cast<Echo*>(item.asObject().get());
        Variant const key = in.pick(2) == 0 ? Variant(Missing{})
                                            : (in.pick(4) == 0 ? scalarSample(in).value
                                                               : Variant(kKeys[in.pick(std::size(kKeys))]));
        Variant const before = optionalArgument(in, model.size());
        Variant const after = optionalArgument(in, model.size());
        agree(
            [&] {
                real.Add(item, key, before, after);
                if (echo)
                    echo->arm(real);
                return Variant();
            },
            [&] {
                modelAdd(model, item, key, before, after);
                return Variant();
            });
        break;
    }
    case 1: {
        Variant const index = indexSample(in, model.size());
        agree([&] { return real.Item(index); }, [&] { return valueOf(model[modelPosition(model, index)]); });
        break;
    }
    default: {
        Variant const index = indexSample(in, model.size());
        agree(
            [&] {
                real.Remove(index);
                return Variant();
            },
            [&] {
                auto const removed = model.begin() + static_cast<std::ptrdiff_t>(modelPosition(model, index));
                Entry const entry = *removed;
                model.erase(removed);
                released(entry, model);
                return Variant();
            });
        break;
    }
    }
    real.checkInvariants();
    FUZZ_CHECK(real.Count() == static_cast<std::int32_t>(model.size()));
    std::size_t position = 0;
    for (Variant const& element : real) {
        FUZZ_CHECK(position < model.size() && element == valueOf(model[position]));
        ++position;
    }
    FUZZ_CHECK(position == model.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::size_t const liveAtStart = Object::liveCount();
    {
        FuzzInput in(data, size);
        auto const collection = make<Collection>();
        std::vector<Entry> model;
        std::int32_t serial = 0;
        for (int step = 0; step < 64 && !in.atEnd(); ++step) {
            if (in.pick(2) == 0)
                variantOperation(in);
            else
                collectionOperation(in, *collection, model, serial);
        }
    }
    FUZZ_CHECK(Object::liveCount() == liveAtStart);
    return 0;
}
