#include "form/ObjectNames.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <algorithm>

namespace form {

namespace {

std::u16string ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

} // namespace

void ObjectNames::clear() noexcept {
    m_new.clear();
    m_numbers.clear();
    m_madeOfClass.clear();
    m_classes.clear();
    m_firstNumber = 1;
}

void ObjectNames::made(runtime::Object const& object) noexcept {
    try {
        m_new.push_back(&object);
    } catch (...) {
        // Without memory the object goes without a number and is named by its class alone.
    }
}

void ObjectNames::gone(runtime::Object const& object) noexcept {
    std::erase(m_new, &object);
    m_numbers.erase(&object);
    m_classes.erase(&object);
}

void ObjectNames::numberNewObjects() {
    for (runtime::Object const* object : m_new) {
        if (!m_numbers.contains(object))
            m_numbers[object] = m_firstNumber + m_madeOfClass[object->className()]++;
    }
    m_new.clear();
}

void ObjectNames::numberElements(runtime::Collection const& collection) {
    std::size_t position = 0;
    for (runtime::Variant const& element : collection) {
        ++position;
        if (element.kind() == runtime::Kind::Object && element.asObject()) {
            m_numbers[element.asObject().get()] = position;
            m_firstNumber = 0;
        }
    }
}

std::u16string ObjectNames::nameOf(runtime::Object const& object) {
    numberNewObjects();
    auto const found = m_numbers.find(&object);
    if (found == m_numbers.end())
        return classOf(object);
    return classOf(object) + u'#' + runtime::decimalText(static_cast<std::int64_t>(found->second));
}

std::u16string const& ObjectNames::classOf(runtime::Object const& object) {
    auto found = m_classes.find(&object);
    if (found == m_classes.end())
        found = m_classes.emplace(&object, form::classOf(object)).first;
    return found->second;
}

std::u16string valueText(runtime::Variant const& value,
                         std::function<std::u16string(runtime::Object const&)> const& nameOf) {
    switch (value.kind()) {
    case runtime::Kind::Int16:
    case runtime::Kind::Int32:
    case runtime::Kind::Boolean:
        return value.toText();
    case runtime::Kind::String:
        return u'"' + value.asString() + u'"';
    case runtime::Kind::Object: {
        runtime::Ref<runtime::Object> const object = value.asObject();
        return object ? nameOf(*object) : std::u16string(u"Nothing");
    }
    case runtime::Kind::Empty:
    case runtime::Kind::Missing:
        break;
    }
    return ascii(value.kindName());
}

std::u16string classOf(runtime::Object const& object) { return ascii(object.className()); }

} // namespace form
