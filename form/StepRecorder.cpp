#include "form/StepRecorder.h"

#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

#include <algorithm>
#include <map>

namespace form {

StepRecorder::StepRecorder(Owner& owner, ElementText elementText, std::span<MarkDefinition const> marks,
                           std::span<std::u16string_view const> jumps)
    : m_owner(owner), m_elementText(std::move(elementText)) {
    m_recording.marks.clear();
    for (MarkDefinition const& mark : marks)
        m_recording.marks.push_back({std::u16string(mark.label), mark.style});
    if (m_recording.marks.empty())
        m_recording.marks.emplace_back();
    m_recording.jumps.assign(jumps.begin(), jumps.end());
}

StepRecorder::~StepRecorder() = default;

Recording StepRecorder::record(std::function<void()> const& run) {
    try {
        run();
        if (m_failure)
            std::rethrow_exception(m_failure);
    } catch (...) {
        m_owner.failed(std::exchange(m_call, {}), errorText(runtime::currentError()));
    }
    return std::move(m_recording);
}

void StepRecorder::follow(runtime::Collection const& collection, runtime::Object const& handed) {
    m_collection = &collection;
    m_recording.chosen = classOf(handed);
    m_names.numberElements(collection);
    runtime::Observer::Pause const unobserved; // the recorder's own reads are no event of the run
    for (runtime::Variant const& element : collection) {
        m_recording.elements.push_back({m_elementText(element), {}});
        m_objects.push_back(element.isObject() ? element.asObject().get() : nullptr);
        m_elementNames.push_back(valueText(element));
        m_order.push_back(static_cast<std::uint16_t>(m_order.size()));
    }
}

int StepRecorder::addExplanation(Explanation explanation) {
    m_recording.explanations.push_back(std::move(explanation));
    return static_cast<int>(m_recording.explanations.size() - 1);
}

std::uint16_t StepRecorder::newElement(runtime::Variant const& value) {
    auto const element = static_cast<std::uint16_t>(m_recording.elements.size());
    {
        runtime::Observer::Pause const unobserved;
        m_recording.elements.push_back({m_elementText(value), {}});
    }
    m_objects.push_back(value.isObject() ? value.asObject().get() : nullptr);
    m_elementNames.push_back(valueText(value));
    return element;
}

void StepRecorder::nameAt(std::int32_t position, std::u16string name) {
    std::uint16_t const element = elementAt(position);
    std::erase_if(m_named, [&](auto const& named) { return named.first == element || named.second == name; });
    m_named.emplace_back(element, std::move(name));
}

std::vector<Row> StepRecorder::rows() const {
    std::vector<Row> rows;
    rows.reserve(m_order.size() + 1);
    for (std::size_t index = 0; index < m_order.size(); ++index)
        rows.push_back({static_cast<std::int32_t>(index + 1), m_order[index], 0});
    return rows;
}

int StepRecorder::elementOf(runtime::Object const& object) const {
    auto const found = std::find(m_objects.begin(), m_objects.end(), &object);
    return found == m_objects.end() ? -1 : static_cast<int>(found - m_objects.begin());
}

std::u16string StepRecorder::objectName(runtime::Object const& object) {
    int const element = elementOf(object);
    for (auto const& [named, name] : m_named) {
        if (static_cast<int>(named) == element)
            return name;
    }
    return m_names.nameOf(object);
}

std::u16string StepRecorder::valueText(runtime::Variant const& value) {
    return form::valueText(value, [this](runtime::Object const& object) { return objectName(object); });
}

void StepRecorder::memberRead(runtime::Object const& object, std::u16string_view member,
                              runtime::Variant const& value) noexcept {
    if (!m_collection || m_depth == 0)
        return;
    keep([&] {
        MemberRead read{objectName(object), std::u16string(member), valueText(value), elementOf(object)};
        if (read.element >= 0) {
            m_recording.valueName = member;
            m_recording.elements[static_cast<std::size_t>(read.element)].value = read.value;
        }
        m_call.lines.push_back({m_depth, read.object + u'.' + read.member + u" = " + read.value, true});
        m_call.reads.push_back(std::move(read));
    });
}

void StepRecorder::callBegun(runtime::Object const& callee, std::string_view operation,
                             std::span<runtime::Variant const> arguments) {
    if (!m_collection)
        return;
    if (m_depth == 0) {
        m_call = {};
        m_call.lines.reserve(4);
    }
    std::u16string line =
        m_names.classOf(callee) + u'.' + std::u16string(operation.begin(), operation.end()) + u'(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += u", ";
        line += valueText(arguments[i]);
    }
    line += u')';
    m_call.lines.push_back({m_depth, std::move(line)});
    ++m_depth;
}

void StepRecorder::callEnded(runtime::Object const& callee, std::string_view operation,
                             runtime::Variant const* result) noexcept {
    (void)callee, (void)operation;
    if (!m_collection || m_depth == 0)
        return;
    --m_depth;
    keep([&] {
        // The call's own line is the last one opened at its depth.
        auto const own = std::find_if(m_call.lines.rbegin(), m_call.lines.rend(), [&](CallLine const& line) {
            return line.depth == m_depth && !line.memberRead;
        });
        own->text += result ? u" = " + valueText(*result) : std::u16string(u" → エラー");
        // A call that an error left keeps its lines for the step of the error.
        if (m_depth == 0 && result)
            m_owner.called(std::exchange(m_call, {}), *result);
    });
}

void StepRecorder::itemRead(runtime::Collection const& collection, std::int32_t position,
                            runtime::Variant const& value) noexcept {
    (void)value;
    if (&collection != m_collection)
        return;
    keep([&] {
        m_lastRead = elementAt(position);
        m_owner.itemRead(position);
    });
}

void StepRecorder::added(runtime::Collection const& collection, std::int32_t position) noexcept {
    if (&collection != m_collection)
        return;
    keep([&] {
        m_order.insert(m_order.begin() + (position - 1), m_owner.addedElement());
        m_owner.added(position);
    });
}

void StepRecorder::removed(runtime::Collection const& collection, std::int32_t position,
                           runtime::Variant const& value) noexcept {
    (void)value;
    if (&collection != m_collection)
        return;
    keep([&] {
        auto const at = m_order.begin() + (position - 1);
        std::uint16_t const element = *at;
        m_order.erase(at);
        m_owner.removed(position, element);
    });
}

void markRow(std::vector<Row>& rows, std::int32_t position, std::uint8_t mark) {
    for (Row& row : rows) {
        if (row.position == position)
            row.mark = mark;
    }
}

void groupTies(std::span<Element> elements) {
    std::map<std::u16string_view, int> counts;
    for (Element const& element : elements)
        ++counts[tiedValue(element)];
    std::vector<std::u16string_view> groups;
    for (Element& element : elements) {
        std::u16string_view const value = tiedValue(element);
        if (counts[value] < 2)
            continue;
        auto const group = std::find(groups.begin(), groups.end(), value);
        element.tie = static_cast<std::uint16_t>(group - groups.begin() + 1);
        if (group == groups.end())
            groups.push_back(value);
    }
}

void showRemoved(std::vector<Row>& rows, std::int32_t position, std::uint16_t element, std::uint8_t mark) {
    auto const at =
        std::find_if(rows.begin(), rows.end(), [&](Row const& row) { return row.position >= position; });
    rows.insert(at, Row{0, element, mark});
}

Variables::Variables(std::initializer_list<std::u16string_view> names) {
    for (std::u16string_view const name : names)
        m_variables.push_back({std::u16string(name), {}, false});
}

std::vector<Variable> Variables::forStep() {
    std::vector<Variable> shown = m_variables;
    for (Variable& variable : m_variables)
        variable.changed = false;
    return shown;
}

} // namespace form
