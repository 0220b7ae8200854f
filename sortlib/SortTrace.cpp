#include "sortlib/SortTrace.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

namespace sortlib {

namespace {

std::string bracketed(std::int32_t position) { return '[' + runtime::decimal(position) + ']'; }

} // namespace

void SortTrace::clickBegun() {
    m_collection = nullptr;
    m_orderMember.clear();
    m_orderValues.clear();
    m_sorted = false;
    m_exchanges = 0;
    m_comparing = false;
}

void SortTrace::sortBegun(runtime::Collection const& collection, ICompare const& comparator) {
    m_collection = &collection;
    m_sorted = true;
    writeHeader(comparator);
    numberElements(collection);
    m_orderMember = orderMember(comparator);
    if (!m_orderMember.empty()) {
        // The trace's own reads are no event of the click.
        runtime::ObserverScope<runtime::Observer> const unobserved(nullptr);
        for (runtime::Variant const& element : collection) {
            if (element.kind() != runtime::Kind::Object || !element.asObject())
                continue;
            try {
                m_orderValues[element.asObject().get()] =
                    valueText(element.asObject()->readMember(m_orderMember));
            } catch (runtime::RuntimeError const& error) {
                // An element without the member is shown by its name alone.
                if (error.kind() != runtime::ErrorKind::FailedCall)
                    throw;
            }
        }
    }
    writeElements(m_orderMember.empty() ? "Start" : "Start (" + runtime::toUtf8(m_orderMember) + ')',
                  collection);
}

void SortTrace::passBegun(std::int32_t i, std::int32_t last) {
    std::int32_t const count = m_collection->Count();
    write("Pass " + runtime::decimal(i) + " of " + runtime::decimal(last) + ": compares " + bracketed(count) +
          (count > i + 1 ? " down to " + bracketed(i + 1) : std::string()) + " with " + bracketed(i));
}

void SortTrace::comparing(std::int32_t lhs, std::int32_t rhs) {
    setPositions(lhs, rhs);
    m_comparing = true;
}

void SortTrace::callBegun(runtime::Object const& callee, std::string_view operation,
                          std::span<runtime::Variant const> arguments) {
    if (m_comparing && !inCall() && arguments.size() == 2) {
        m_comparing = false;
        m_lhs = valueText(arguments[0]);
        m_rhs = valueText(arguments[1]);
    }
    CallTrace::callBegun(callee, operation, arguments);
}

void SortTrace::exchangeEnded(std::int32_t i, std::int32_t j) {
    ++m_exchanges;
    write("Exchange " + bracketed(i) + " and " + bracketed(j) + ": " + m_lhs + " to " + bracketed(i) + ", " +
          m_rhs + " to " + bracketed(j));
}

void SortTrace::sortEnded() {
    writeElements(m_orderMember.empty() ? "End" : "End (" + runtime::toUtf8(m_orderMember) + ')',
                  *m_collection);
}

void SortTrace::objectGone(runtime::Object const& object) noexcept {
    m_orderValues.erase(&object);
    CallTrace::objectGone(object);
}

void SortTrace::memberRead(runtime::Object const& object, std::u16string_view member,
                           runtime::Variant const& value) {
    // The comparator's read of that member from an element is shown beside the element already.
    if (inCall() && member == m_orderMember && m_orderValues.contains(&object))
        return;
    CallTrace::memberRead(object, member, value);
}

void SortTrace::writeClosingCounts() {
    if (m_sorted)
        writeCount(", ", m_exchanges, "exchange", "exchanges");
}

std::string SortTrace::valueText(runtime::Variant const& value) {
    std::string text = CallTrace::valueText(value);
    if (value.kind() == runtime::Kind::Object) {
        if (auto const found = m_orderValues.find(value.asObject().get()); found != m_orderValues.end())
            text += '(' + found->second + ')';
    }
    return text;
}

} // namespace sortlib
