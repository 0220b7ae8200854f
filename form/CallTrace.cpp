#include "form/CallTrace.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <algorithm>
#include <ostream>

namespace form {

namespace {

// Counts one more of name in a list kept in order of first appearance.
template <class Name, class Given>
void countOne(std::vector<std::pair<Name, std::size_t>>& counts, Given const& name) {
    auto const found = std::ranges::find(counts, name, &std::pair<Name, std::size_t>::first);
    if (found != counts.end())
        ++found->second;
    else
        counts.emplace_back(Name(name), 1);
}

} // namespace

CallTrace::CallTrace(std::ostream& out) : m_out(out) {}

CallTrace::~CallTrace() = default;

void CallTrace::writeNote(std::string_view line) { m_out << line << '\n'; }

void CallTrace::attachTo(runtime::Attachment& attachment) { attachment.add<runtime::Observer>(*this); }

void CallTrace::beginClick(std::u16string_view caption) {
    m_caption = caption;
    m_headerWritten = false;
    m_names.clear();
    m_calls.clear();
    m_unshownReads.clear();
    m_open.clear();
    m_positions.reset();
    m_linesLost = false;
    clickBegun();
}

void CallTrace::endClick(runtime::RuntimeError const* error) noexcept {
    try {
        if (!m_headerWritten)
            writeHeader(std::string());
        // The error's own text, written as it stands: it needs no memory of its own.
        if (error)
            m_out << "Error: " << error->what() << '\n';
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

void CallTrace::objectMade(runtime::Object const& object) noexcept { m_names.made(object); }

void CallTrace::objectGone(runtime::Object const& object) noexcept { m_names.gone(object); }

void CallTrace::memberRead(runtime::Object const& object, std::u16string_view member,
                           runtime::Variant const& value) noexcept {
    writeOrLose([&] {
        if (!inCall())
            countOne(m_unshownReads, runtime::toUtf8(member));
        else
            write(nameOf(object) + '.' + runtime::toUtf8(member) + " = " + valueText(value));
    });
}

void CallTrace::callBegun(runtime::Object const& callee, std::string_view operation,
                          std::span<runtime::Variant const> arguments) {
    // The outermost call after an algorithm said which positions it is about shows them.
    std::optional<std::pair<std::int32_t, std::int32_t>> positions;
    if (!inCall())
        positions = std::exchange(m_positions, std::nullopt);
    // A call made in turn names the class of the object called; the outermost one's is in the header.
    std::string line = inCall() ? runtime::toUtf8(m_names.classOf(callee)) + '.' : std::string();
    line += operation;
    line += '(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ", ";
        if (positions && i < 2)
            line += '[' + runtime::decimal(i == 0 ? positions->first : positions->second) + "] ";
        line += valueText(arguments[i]);
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
        call.line += result ? ") = " + valueText(*result) : std::string(") raised an error");
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
        std::string const text = valueText(element);
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

std::string CallTrace::valueText(runtime::Variant const& value) {
    return runtime::toUtf8(
        form::valueText(value, [this](runtime::Object const& object) { return m_names.nameOf(object); }));
}

std::string CallTrace::nameOf(runtime::Object const& object) {
    return runtime::toUtf8(m_names.nameOf(object));
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
