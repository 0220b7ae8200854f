#include "form/CallTrace.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <algorithm>
#include <ostream>

namespace form {

namespace {

// Counts one more of key in a list kept in order of first appearance.
template <class Key, class Name>
void countOne(std::vector<std::pair<Key, std::size_t>>& counts, Name const& key) {
    auto const found = std::ranges::find(counts, key, &std::pair<Key, std::size_t>::first);
    if (found != counts.end())
        ++found->second;
    else
        counts.emplace_back(Key(key), 1);
}

} // namespace

CallTrace::CallTrace(std::ostream& out) : m_out(out) {}

CallTrace::~CallTrace() = default;

void CallTrace::attachTo(runtime::Attachment& attachment) { attachment.add<runtime::Observer>(*this); }

void CallTrace::beginClick(std::u16string_view caption) {
    m_caption = caption;
    m_headerWritten = false;
    m_new.clear();
    m_numbers.clear();
    m_madeOfClass.clear();
    m_firstNumber = 1;
    m_calls.clear();
    m_unshownReads.clear();
    m_open.clear();
    m_positions.reset();
    m_linesLost = false;
    clickBegun();
}

void CallTrace::endClick() noexcept {
    try {
        if (!m_headerWritten)
            writeHeader(std::string());
        writeClosingLine();
    } catch (...) {
        // Without memory the closing lines are lost; the next click is traced as usual.
    }
    m_open.clear();
}

void CallTrace::writeClosingLine() {
    // Written piece by piece, since a line built first would need memory that may have run out.
    m_out << "--";
    if (m_calls.empty())
        m_out << " 0 calls";
    for (std::size_t i = 0; i < m_calls.size(); ++i)
        writeCount(i > 0 ? ", " : " ", m_calls[i].second, "call", "calls") << " of " << m_calls[i].first;
    writeClosingCounts();
    for (std::size_t i = 0; i < m_unshownReads.size(); ++i)
        writeCount(i > 0 ? ", " : "; not shown: ", m_unshownReads[i].second, "read", "reads")
            << " of " << m_unshownReads[i].first;
    if (m_linesLost)
        m_out << "; lines lost for want of memory";
    m_out << std::endl;
}

std::ostream& CallTrace::writeCount(std::string_view separator, std::size_t count, std::string_view one,
                                    std::string_view many) {
    return m_out << separator << count << ' ' << (count == 1 ? one : many);
}

void CallTrace::objectMade(runtime::Object const& object) noexcept {
    try {
        m_new.push_back(&object);
    } catch (...) {
        // Without memory the object goes without a number; the trace names it by its class alone.
    }
}

void CallTrace::objectGone(runtime::Object const& object) noexcept {
    std::erase(m_new, &object);
    m_numbers.erase(&object);
}

void CallTrace::numberNewObjects() {
    for (runtime::Object const* object : m_new) {
        if (!m_numbers.contains(object))
            m_numbers[object] = m_firstNumber + m_madeOfClass[object->className()]++;
    }
    m_new.clear();
}

void CallTrace::numberElements(runtime::Collection const& collection) {
    std::size_t position = 0;
    for (runtime::Variant const& element : collection) {
        ++position;
        if (element.kind() == runtime::Kind::Object && element.asObject())
            m_numbers[element.asObject().get()] = position;
    }
    m_firstNumber = 0;
}

void CallTrace::memberRead(runtime::Object const& object, std::u16string_view member,
                           runtime::Variant const& value) noexcept {
    writeOrLose([&] {
        if (!inCall())
            countOne(m_unshownReads, runtime::toUtf8(member));
        else
            write(nameOf(object) + '.' + runtime::toUtf8(member) + " = " + describe(value));
    });
}

void CallTrace::callBegun(runtime::Object const& callee, std::string_view operation,
                          std::span<runtime::Variant const> arguments) {
    (void)callee;
    // The outermost call after an algorithm said which positions it is about shows them.
    std::optional<std::pair<std::int32_t, std::int32_t>> positions;
    if (!inCall())
        positions = std::exchange(m_positions, std::nullopt);
    std::string line(operation);
    line += '(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ", ";
        if (positions && i < 2)
            line += '[' + runtime::decimal(i == 0 ? positions->first : positions->second) + "] ";
        line += describe(arguments[i]);
    }
    m_open.push_back(OpenCall{std::move(line), {}});
}

void CallTrace::callEnded(runtime::Object const& callee, std::string_view operation,
                          runtime::Variant const* result) noexcept {
    (void)callee;
    if (!inCall()) // a call whose start could not be recorded
        return;
    OpenCall call = std::move(m_open.back());
    m_open.pop_back();
    writeOrLose([&] {
        call.line += result ? ") = " + describe(*result) : std::string(") raised an error");
        if (!inCall())
            countOne(m_calls, operation);
        write(call.line);
        for (std::string const& nested : call.inner)
            write("  " + nested);
    });
}

void CallTrace::writeHeader(runtime::Object const& chosen) { writeHeader(chosen.className()); }

void CallTrace::writeElements(std::string_view label, runtime::Collection const& collection) {
    std::string line(label);
    line += ':';
    std::size_t const indent = line.size() + 1;
    std::size_t onLine = 0;
    for (runtime::Variant const& element : collection) {
        std::string const text = describe(element);
        if (onLine > 0 && line.size() + 1 + text.size() > kLineWidth) {
            write(line);
            line.assign(indent - 1, ' ');
            onLine = 0;
        }
        line += ' ' + text;
        ++onLine;
    }
    write(line);
}

std::string CallTrace::describe(runtime::Variant const& value) {
    switch (value.kind()) {
    case runtime::Kind::Int16:
    case runtime::Kind::Int32:
    case runtime::Kind::Boolean:
        return runtime::toUtf8(value.toText());
    case runtime::Kind::String:
        return '"' + runtime::toUtf8(value.asString()) + '"';
    case runtime::Kind::Object: {
        runtime::Ref<runtime::Object> const object = value.asObject();
        return object ? nameOf(*object) : "Nothing";
    }
    case runtime::Kind::Empty:
    case runtime::Kind::Missing:
        break;
    }
    return std::string(value.kindName());
}

std::string CallTrace::nameOf(runtime::Object const& object) {
    numberNewObjects();
    auto const found = m_numbers.find(&object);
    if (found == m_numbers.end())
        return object.className();
    return object.className() + '#' + runtime::decimal(static_cast<std::int64_t>(found->second));
}

void CallTrace::write(std::string const& line) {
    if (inCall())
        m_open.back().inner.push_back(line);
    else
        m_out << line << '\n';
}

void CallTrace::writeHeader(std::string const& chosen) {
    m_headerWritten = true;
    m_out << "== " << runtime::toUtf8(m_caption) << (chosen.empty() ? "" : ": ") << chosen << '\n';
}

} // namespace form
