#include "form/StepRecorder.h"

#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

#include <algorithm>

namespace form {

namespace {

std::u16string ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

} // namespace

StepRecorder::StepRecorder(ElementText elementText) : m_elementText(std::move(elementText)) {}

StepRecorder::~StepRecorder() = default;

void StepRecorder::attachTo(runtime::Attachment& attachment) { attachment.add<runtime::Observer>(*this); }

Recording StepRecorder::record(std::function<void()> const& algorithm) {
    try {
        algorithm();
        // A hook that failed stopped the recording; the run itself went on to its end.
        if (m_failure)
            std::rethrow_exception(m_failure);
    } catch (...) {
        runtime::RuntimeError const error = runtime::currentError();
        // Shown with the lines of the call that the error left, if it left one.
        Step& step = addStep(StepKind::Error, m_lineInProgress,
                             u"実行時エラーが起きたので、この実行はここで終わります。");
        step.calls = std::move(m_callLines);
        step.error = error.what();
        step.errorKind = error.kind();
    }
    return std::move(m_recording);
}

void StepRecorder::follow(runtime::Collection const& collection) {
    m_collection = &collection;
    m_reading = true;
    runtime::Observer::Pause const unobserved; // the recorder's own reads are no event of the run
    for (runtime::Variant const& element : collection) {
        auto const number = static_cast<std::uint16_t>(m_recording.elements.size());
        m_recording.elements.push_back({m_elementText(element), {}});
        m_objects.push_back(element.isObject() ? element.asObject().get() : nullptr);
        m_order.push_back(number);
    }
    m_reading = false;
}

Step& StepRecorder::addStep(StepKind kind, int line, std::u16string sentence) {
    Step& step = m_recording.steps.emplace_back();
    step.kind = kind;
    step.line = line;
    step.sentence = std::move(sentence);
    step.order = m_order;
    step.pass = m_pass;
    step.comparison = m_comparison;
    step.exchanges = m_exchanges;
    step.element = m_element;
    return step;
}

std::u16string const& StepRecorder::classOf(runtime::Object const& object) {
    for (auto const& [known, name] : m_classes) {
        if (known == &object)
            return name;
    }
    return m_classes.emplace_back(&object, ascii(object.className())).second;
}

int StepRecorder::elementOf(runtime::Object const& object) const {
    auto const found = std::find(m_objects.begin(), m_objects.end(), &object);
    return found == m_objects.end() ? -1 : static_cast<int>(found - m_objects.begin());
}

void StepRecorder::nameElementsAt(std::int32_t lhsPosition, std::int32_t rhsPosition) {
    m_named = {m_order.at(static_cast<std::size_t>(lhsPosition - 1)),
               m_order.at(static_cast<std::size_t>(rhsPosition - 1))};
}

std::u16string StepRecorder::keyAt(std::int32_t position) const {
    int const element = m_order.at(static_cast<std::size_t>(position - 1));
    for (auto const& [read, value] : m_reads) {
        if (read == element)
            return value;
    }
    return m_recording.elements[static_cast<std::size_t>(element)].text;
}

std::u16string StepRecorder::describe(runtime::Object const& object) {
    int const element = elementOf(object);
    if (element >= 0 && element == m_named.first)
        return u"lhs";
    if (element >= 0 && element == m_named.second)
        return u"rhs";
    return classOf(object);
}

std::u16string StepRecorder::describe(runtime::Variant const& value) {
    switch (value.kind()) {
    case runtime::Kind::String:
        return u"\"" + value.asString() + u"\"";
    case runtime::Kind::Object: {
        runtime::Ref<runtime::Object> const object = value.asObject();
        return object ? describe(*object) : std::u16string(u"Nothing");
    }
    case runtime::Kind::Empty:
    case runtime::Kind::Missing:
        return ascii(value.kindName());
    default:
        return value.toText();
    }
}

void StepRecorder::memberRead(runtime::Object const& object, std::u16string_view member,
                              runtime::Variant const& value) noexcept {
    recordOrStop([&] { readMember(object, member, value); });
}

void StepRecorder::readMember(runtime::Object const& object, std::u16string_view member,
                              runtime::Variant const& value) {
    if (m_reading || !m_collection)
        return;
    std::u16string text = describe(value);
    int const element = elementOf(object);
    if (element >= 0) {
        m_recording.valueName = member;
        m_recording.elements[static_cast<std::size_t>(element)].value = text;
        m_reads.emplace_back(element, text);
    }
    std::u16string line = describe(object);
    line += u'.';
    line += member;
    line += u" = ";
    line += text;
    m_callLines.push_back({m_depth, std::move(line), true});
}

void StepRecorder::callBegun(runtime::Object const& callee, std::string_view operation,
                             std::span<runtime::Variant const> arguments) {
    if (!m_collection)
        return;
    if (m_depth == 0) {
        m_callLines.clear();
        m_reads.clear();
    }
    std::u16string line = classOf(callee) + u'.' + ascii(operation) + u'(';
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += u", ";
        line += describe(arguments[i]);
    }
    line += u')';
    m_callLines.push_back({m_depth, std::move(line)});
    ++m_depth;
}

void StepRecorder::callEnded(runtime::Object const& callee, std::string_view operation,
                             runtime::Variant const* result) noexcept {
    (void)callee, (void)operation;
    if (!m_collection || m_depth == 0)
        return;
    --m_depth;
    recordOrStop([&] {
        // The call's own line is the last one opened at its depth.
        auto const own = std::find_if(m_callLines.rbegin(), m_callLines.rend(),
                                      [&](CallLine const& line) { return line.depth == m_depth; });
        own->text += result ? u" = " + describe(*result) : std::u16string(u" → エラー");
        if (m_depth == 0 && result)
            onCall(std::exchange(m_callLines, {}), result);
    });
}

void StepRecorder::itemRead(runtime::Collection const& collection, std::int32_t position,
                            runtime::Variant const& value) noexcept {
    (void)value;
    if (&collection != m_collection)
        return;
    recordOrStop([&] {
        m_lastRead = m_order.at(static_cast<std::size_t>(position - 1));
        onItemRead(position);
    });
}

void StepRecorder::added(runtime::Collection const& collection, std::int32_t position) noexcept {
    if (&collection != m_collection)
        return;
    recordOrStop([&] {
        m_order.insert(m_order.begin() + (position - 1), addedElement());
        onAdded(position);
    });
}

void StepRecorder::removed(runtime::Collection const& collection, std::int32_t position,
                           runtime::Variant const& value) noexcept {
    (void)value;
    if (&collection != m_collection)
        return;
    recordOrStop([&] {
        auto const at = m_order.begin() + (position - 1);
        std::uint16_t const element = *at;
        m_order.erase(at);
        onRemoved(position, element);
    });
}

} // namespace form
