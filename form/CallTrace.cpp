#include "form/CallTrace.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <ostream>

namespace form {

CallTrace::CallTrace(std::ostream& out) : m_out(out) {}

CallTrace::~CallTrace() = default;

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
            writeHeader(std::string());
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

void CallTrace::callBegun(runtime::Object const& callee, std::string_view operation,
                          std::span<runtime::Variant const> arguments) {
    (void)callee;
    // The outermost call after an algorithm said which positions it is about shows them.
    std::optional<std::pair<std::int32_t, std::int32_t>> positions;
    if (m_open.empty())
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
                          runtime::Variant const* result) {
    (void)callee, (void)operation;
    if (m_open.empty()) // a call whose start could not be recorded
        return;
    OpenCall call = std::move(m_open.back());
    m_open.pop_back();
    call.line += result ? ") = " + describe(*result) : std::string(") raised an error");
    if (m_open.empty())
        ++m_calls;
    write(call.line);
    for (std::string const& nested : call.inner)
        write("  " + nested);
}

void CallTrace::writeHeader(runtime::Object const& chosen) { writeHeader(chosen.className()); }

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
        m_open.back().inner.push_back(line);
    else
        m_out << line << '\n';
}

void CallTrace::writeHeader(std::string const& chosen) {
    m_headerWritten = true;
    m_out << "== " << runtime::toUtf8(m_caption) << (chosen.empty() ? "" : ": ") << chosen << '\n';
}

} // namespace form
