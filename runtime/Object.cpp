#include "runtime/Object.h"

#include "runtime/Error.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"
#include "runtime/Observer.h"

#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace runtime {

Object::~Object() {
    --s_liveCount;
    if (Observer::attached())
        Observer::tell(&Observer::objectGone, *this);
}

namespace {

Variant reported(Object const& object, MemberEntry const& entry, Variant value) {
    if (Observer::attached())
        Observer::tell(&Observer::memberRead, object, entry.name, value);
    return value;
}

} // namespace

Object::Object() noexcept {
    ++s_liveCount;
    if (Observer::attached())
        Observer::tell(&Observer::objectMade, *this);
}

Variant Object::readMember(std::u16string_view name) {
    for (MemberEntry const& entry : members()) {
        if (entry.name == name)
            return reported(*this, entry, entry.read(*this));
    }
    auto const objectName = [this] { return className(); };
    raise(ErrorKind::FailedCall, en(objectName, " has no member '", name, "'"),
          ja("オブジェクト ", objectName, " にメンバー ", name, " がありません"));
}

Variant Object::readDefaultMember() {
    for (MemberEntry const& entry : members()) {
        if (entry.isDefault)
            return reported(*this, entry, entry.read(*this));
    }
    auto const objectName = [this] { return className(); };
    raise(ErrorKind::FailedCall, en(objectName, " has no default member"),
          ja("オブジェクト ", objectName, " には既定のメンバーがありません"));
}

bool Object::hasDefaultMember() const {
    for (MemberEntry const& entry : members()) {
        if (entry.isDefault)
            return true;
    }
    return false;
}

std::string Object::className() const {
    char const* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    // Show the class as the programs name it, without its namespace.
    if (auto const colon = name.rfind("::"); colon != std::string::npos)
        name.erase(0, colon + 2);
    return name;
}

} // namespace runtime
