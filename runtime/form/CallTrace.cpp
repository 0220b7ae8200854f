#include "runtime/form/CallTrace.h"

#include "runtime/Text.h"

#include <ostream>

namespace runtime {

void CallTrace::call(std::string_view line) {
    ++m_calls;
    m_out << line << '\n';
}

void CallTrace::endClick() {
    m_out << "-- " << m_calls << (m_calls == 1 ? " call" : " calls") << std::endl;
    m_calls = 0;
}

std::string CallTrace::describe(Variant const& value) {
    switch (value.kind()) {
    case Kind::Int16:
    case Kind::Int32:
    case Kind::Boolean:
        return toUtf8(value.toText());
    case Kind::String:
        return '"' + toUtf8(value.asString()) + '"';
    case Kind::Object: {
        Ref<Object> const object = value.asObject();
        return object ? object->className() : "Nothing";
    }
    case Kind::Empty:
    case Kind::Missing:
        break;
    }
    return std::string(value.kindName());
}

} // namespace runtime
