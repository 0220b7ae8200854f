#include "form/CallTrace.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <ostream>

namespace form {

CallTrace::CallTrace(std::ostream& out) : m_replaced(runtime::Watcher::install(this)), m_out(out) {}

CallTrace::~CallTrace() { runtime::Watcher::install(m_replaced); }

void CallTrace::beginClick(std::u16string_view caption) {
    m_caption = caption;
    m_headerWritten = false;
    m_new.clear();
    m_numbers.clear();
    m_madeOfClass.clear();
    m_open.clear();
    m_positions.reset();
}

void CallTrace::endClick() noexcept {
    try {
        if (!m_headerWritten)
            writeHeader("");
        m_out << "-- " << m_calls << (m_calls == 1 ? " call" : " calls") << std::endl;
    } catch (...) {
        // Without memory the closing lines are lost; the next click is traced as usual.
    }
    m_calls = 0;
    m_open.clear();
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
    for (runtime::Object const* object : m_new)
        m_numbers[object] = ++m_madeOfClass[object->className()];
    m_new.clear();
}

void CallTrace::memberRead(runtime::Object const& object, std::u16string_view member,
                           runtime::Variant const& value) {
    write(describe(object) + '.' + runtime::toUtf8(member) + " = " + describe(value));
}

void CallTrace::callStarted() { m_open.emplace_back(); }

void CallTrace::callEnded(std::string_view name, std::span<runtime::Variant const> arguments,
                          runtime::Variant const* result) {
    // A sort's comparison shows where its two elements stand.
    bool const positioned = m_positions && m_open.size() == 1 && arguments.size() == 2;
    std::string line(name);
    line += '(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ", ";
        if (positioned)
            line += '[' + runtime::decimal(i == 0 ? m_positions->first : m_positions->second) + "] ";
        line += describe(arguments[i]);
    }
    line += result ? ") = " + describe(*result) : std::string(") raised an error");

    std::vector<std::string> inner;
    if (!m_open.empty()) { // a call whose start could not be recorded has nothing beneath it
        inner = std::move(m_open.back());
        m_open.pop_back();
    }
    if (m_open.empty()) {
        ++m_calls;
        m_positions.reset();
    }
    write(line);
    for (std::string const& nested : inner)
        write("  " + nested);
}

void CallTrace::entryChosen(runtime::Object const& entry) {
    auto const* wrapper = dynamic_cast<TracedEntry const*>(&entry);
    writeHeader((wrapper ? wrapper->traced() : entry).className());
}

void CallTrace::comparing(std::int32_t lhs, std::int32_t rhs) { m_positions.emplace(lhs, rhs); }

void CallTrace::exchanged(runtime::Collection const& collection, std::int32_t i, std::int32_t j) {
    std::string line = "Exchange " + runtime::decimal(i) + " and " + runtime::decimal(j) + ":";
    for (runtime::Variant const& element : collection)
        line += ' ' + describe(element);
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
        return object ? describe(*object) : "Nothing";
    }
    case runtime::Kind::Empty:
    case runtime::Kind::Missing:
        break;
    }
    return std::string(value.kindName());
}

std::string CallTrace::describe(runtime::Object const& object) {
    numberNewObjects();
    auto const found = m_numbers.find(&object);
    if (found == m_numbers.end())
        return object.className();
    return object.className() + '#' + runtime::decimal(static_cast<std::int64_t>(found->second));
}

void CallTrace::write(std::string const& line) {
    if (!m_open.empty())
        m_open.back().push_back(line);
    else
        m_out << line << '\n';
}

void CallTrace::writeHeader(std::string const& chosen) {
    m_headerWritten = true;
    m_out << "== " << runtime::toUtf8(m_caption) << (chosen.empty() ? "" : ": ") << chosen << '\n';
}

} // namespace form
